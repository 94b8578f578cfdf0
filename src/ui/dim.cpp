// TDim edges.
#include "ui/dim.h"

namespace orvela {

DimRef TDim::Create(float x, float y, float width, float height, float size, float scalex,
                    float scaley, int origin) {
  auto dim = std::make_shared<TDim>();
  dim->x = x, dim->y = y;
  dim->width = width, dim->height = height;
  dim->Size = size;
  dim->scalex = scalex, dim->scaley = scaley;
  dim->origin = origin;
  return dim;
}

DimRef CreateDim(float x, float y, float width, float height, float size, float scalex,
                 float scaley, int origin) {
  return TDim::Create(x, y, width, height, size, scalex, scaley, origin);
}

float TDim::Left() const {
  switch (origin) {
    case 0:
      return x - width * (scalex - 1) / 2 + xoffset;
    case 1:
      return x - width * scalex / 2 + xoffset;
    default:
      return 0;
  }
}

float TDim::Top() const {
  switch (origin) {
    case 0:
      return y - height * (scaley - 1) / 2 + yoffset;
    case 1:
      return y - height * scaley / 2 + yoffset;
    default:
      return 0;
  }
}

}  // namespace orvela
