// The canvas's fit into the window.
#include "engine/platform/canvas_fit.h"

#include <algorithm>
#include <cmath>

namespace orvela {

CanvasFit FitCanvas(int canvas_w, int canvas_h, int output_w, int output_h) {
  CanvasFit fit;
  fit.canvas_w = canvas_w, fit.canvas_h = canvas_h;
  fit.width = canvas_w, fit.height = canvas_h;
  if (canvas_w <= 0 || canvas_h <= 0 || output_w <= 0 || output_h <= 0) return fit;
  fit.scale = std::min(static_cast<float>(output_w) / static_cast<float>(canvas_w),
                       static_cast<float>(output_h) / static_cast<float>(canvas_h));
  // The side that fills the output fills it exactly; the other is rounded to whole pixels.
  fit.width = std::min(output_w, static_cast<int>(std::lround(canvas_w * fit.scale)));
  fit.height = std::min(output_h, static_cast<int>(std::lround(canvas_h * fit.scale)));
  fit.left = (output_w - fit.width) / 2;
  fit.top = (output_h - fit.height) / 2;
  return fit;
}

int CanvasPixelX(const CanvasFit& fit, float output_x) {
  return static_cast<int>(std::floor((output_x + 0.5f - static_cast<float>(fit.left)) / fit.scale));
}

int CanvasPixelY(const CanvasFit& fit, float output_y) {
  return static_cast<int>(std::floor((output_y + 0.5f - static_cast<float>(fit.top)) / fit.scale));
}

float OutputX(const CanvasFit& fit, int canvas_x) {
  return static_cast<float>(fit.left) + (static_cast<float>(canvas_x) + 0.5f) * fit.scale;
}

float OutputY(const CanvasFit& fit, int canvas_y) {
  return static_cast<float>(fit.top) + (static_cast<float>(canvas_y) + 0.5f) * fit.scale;
}

}  // namespace orvela
