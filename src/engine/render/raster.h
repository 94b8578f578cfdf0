// Integer line rasterising shared by the drawing services and code that draws straight into
// pixel buffers, so that both produce exactly the same pixels.
#pragma once

#include <cstdlib>

namespace orvela {

// Calls plot(x, y) for every pixel of the 8-connected line from (x0, y0) to (x1, y1), in order,
// the end point only when last_pixel is set (a zero-length line without it plots nothing).
template <typename Plot>
void ForEachLinePixel(int x0, int y0, int x1, int y1, bool last_pixel, Plot plot) {
  const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  int x = x0, y = y0;
  while (x != x1 || y != y1) {
    plot(x, y);
    const int e2 = 2 * err;
    if (e2 >= dy) err += dy, x += sx;
    if (e2 <= dx) err += dx, y += sy;
  }
  if (last_pixel) plot(x1, y1);
}

}  // namespace orvela
