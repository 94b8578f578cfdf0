// Two plain records of the toolkit layer: TACL (a placement with enabled and visible flags)
// and TRSA (rotation, alpha and scale).
#pragma once

#include "engine/object.h"
#include "ui/dim.h"

namespace orvela {

class TACL : public TObject {
 public:
  DimRef dim;
  int enabled = 1;
  int visible = 1;
};

class TRSA : public TObject {
 public:
  float rotation = 0;
  float alpha = 0;
  float scale = 0;
};

}  // namespace orvela
