// TColor.
#include "ui/color.h"

namespace orvela {

std::shared_ptr<TColor> TColor::Create(uint32_t packed) {
  auto colour = std::make_shared<TColor>();
  colour->Color(packed);
  return colour;
}

int TColor::Color(uint32_t packed) {
  argb = packed;
  r = Red(packed);
  g = Green(packed);
  b = Blue(packed);
  a = Alpha(packed);
  return 0;
}

}  // namespace orvela
