// DrawBackdrop.
#include "ui/backdrop.h"

#include "engine/engine.h"

namespace orvela {

void DrawBackdrop(const Backdrop& backdrop) {
  SetColor(255, 255, 255);
  SetAlpha(1);
  SetDrawScale(1, 1);
  if (backdrop) backdrop();
}

}  // namespace orvela
