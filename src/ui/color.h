// TColor: a colour held as a packed 0xAARRGGBB value and as its four components.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/object.h"

namespace orvela {

class TColor : public TObject {
 public:
  static std::shared_ptr<TColor> Create(uint32_t argb);

  int r = 0, g = 0, b = 0, a = 0;
  uint32_t argb = 0;

  // Replaces the packed value and recomputes the components; returns 0.
  int Color(uint32_t packed);

  static uint8_t Red(uint32_t packed) { return (packed >> 16) & 255; }
  static uint8_t Green(uint32_t packed) { return (packed >> 8) & 255; }
  static uint8_t Blue(uint32_t packed) { return packed & 255; }
  static uint8_t Alpha(uint32_t packed) { return (packed >> 24) & 255; }
};

using ColorRef = std::shared_ptr<TColor>;

}  // namespace orvela
