// TWsp: a point of the picture with a payload value (0 for grid points and edge pixels, a
// pixel colour where one is remembered). A plain value: points are copied, not shared.
#pragma once

#include <cstdint>

namespace orvela {

struct TWsp {
  int32_t x = 0;
  int32_t y = 0;
  int32_t v = 0;

  static TWsp Create(int32_t x, int32_t y, int32_t v) { return TWsp{x, y, v}; }
  bool operator==(const TWsp&) const = default;
};

}  // namespace orvela
