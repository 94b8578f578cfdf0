// TDim: the placement rectangle every widget keeps, with its origin mode, scale and offset,
// and strict hit-tests. Widgets share the TDim they are given, so moving it moves them.
#pragma once

#include <memory>

#include "engine/object.h"

namespace orvela {

class TDim : public TObject {
 public:
  // A rectangle with those fields and offsets 0. Most callers pass a point with natural
  // scale and top-left origin: Create(x, y, 0, 0, 0, 1, 1, 0).
  static std::shared_ptr<TDim> Create(float x, float y, float width, float height, float size,
                                      float scalex, float scaley, int origin);

  float x = 0;
  float y = 0;
  float width = 0;
  float height = 0;
  float Size = 0;  // for the owner's use (a colour frame's border thickness)
  int origin = 0;  // 0: (x, y) is the top-left of the unscaled box; 1: its centre
  float scalex = 0;
  float scaley = 0;
  float xoffset = 0;
  float yoffset = 0;

  // Edges of the scaled box. Origin 0 scales about the unscaled box's centre; origin 1 keeps
  // the box centred on the anchor; any other origin gives Left and Top 0.
  float Left() const;
  float Top() const;
  float Bottom() const { return Top() + height * scaley; }
  float Right() const { return Left() + width * scalex; }

  // Strict tests: a point on an edge is outside.
  int InXY(float px, float py) const { return InX(px) && InY(py) ? 1 : 0; }
  int InX(float px) const { return Left() < px && px < Right() ? 1 : 0; }
  int InY(float py) const { return Top() < py && py < Bottom() ? 1 : 0; }
  // The other rectangle's raw anchor point (x, y) lies inside this one.
  int in(const TDim& other) const { return InXY(other.x, other.y); }
};

using DimRef = std::shared_ptr<TDim>;

DimRef CreateDim(float x, float y, float width, float height, float size, float scalex,
                 float scaley, int origin);

}  // namespace orvela
