// The offscreen renderer: rasterises the engine's quads and pixel lists into a PF_BGRA8888
// canvas in memory, with exactly the blend table's arithmetic. Headless runs and tests draw
// through it; the canvas is what their screenshots show.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "engine/render/renderer.h"

namespace orvela {

// x / 255 rounded, for x up to 65535: how the software renderer scales by a byte.
inline uint32_t Div255(uint32_t x) {
  x += 128;
  return (x + (x >> 8)) >> 8;
}

// One row of a quad as the software renderer covers it: pixels first … first + count − 1 of
// canvas row y, and the texel point (u, v from the texture's corner, 16.16 fixed point) at the
// centre of the first, with its step from pixel to pixel.
struct QuadSpan {
  int y = 0, first = 0, count = 0;
  int32_t fu = 0, fv = 0, du = 0, dv = 0;
};

// The integer pixels p with 0 <= start + p·step < limit, as [lo, hi).
inline void QuadSpanRange(double start, double step, double limit, double* lo, double* hi) {
  if (step > 0) {
    *lo = std::ceil(-start / step);
    *hi = std::ceil((limit - start) / step);
  } else if (step < 0) {
    *lo = std::floor((limit - start) / step) + 1;
    *hi = std::floor(-start / step) + 1;
  } else if (start >= 0 && start < limit) {
    *lo = -1e9, *hi = 1e9;
  } else {
    *lo = 0, *hi = 0;
  }
}

// Calls visit(QuadSpan) for every row of a quad that covers pixels of a width × height canvas,
// top to bottom: a pixel is covered when its centre maps inside the quad's texel rectangle.
// A quad without texels or a flat one covers nothing. The software renderer draws exactly
// these spans; code that must match its pixels walks them too.
template <typename Visit>
void ForEachQuadSpan(const QuadDraw& q, int width, int height, Visit visit) {
  if (q.src_w <= 0 || q.src_h <= 0) return;
  const double det = static_cast<double>(q.ax) * q.by - static_cast<double>(q.bx) * q.ay;
  if (std::fabs(det) < 1e-12) return;
  // Corners of the parallelogram, for the rows to visit.
  const double cy[4] = {q.y, q.y + q.src_w * q.ay, q.y + q.src_w * q.ay + q.src_h * q.by,
                        q.y + q.src_h * q.by};
  const double min_y = std::min({cy[0], cy[1], cy[2], cy[3]});
  const double max_y = std::max({cy[0], cy[1], cy[2], cy[3]});
  const int row_first = std::max(0, static_cast<int>(std::floor(min_y)));
  const int row_last = std::min(height - 1, static_cast<int>(std::ceil(max_y)));

  // Canvas point (X, Y) -> texel offsets (U, V) from the rectangle's corner.
  const double du_dx = q.by / det, dv_dx = -q.ay / det;
  const double du_dy = -q.bx / det, dv_dy = q.ax / det;
  const int32_t du = static_cast<int32_t>(std::lround(du_dx * 65536.0));
  const int32_t dv = static_cast<int32_t>(std::lround(dv_dx * 65536.0));
  // Without a shear (bx = 0), U does not change from row to row (dy · du_dy is a zero), nor
  // what follows from it: worked out once.
  const bool same_u = q.bx == 0;
  bool have_u = false;
  double lo_u = 0, hi_u = 0;
  int fu_first = -1;
  int32_t fu = 0;
  for (int py = row_first; py <= row_last; ++py) {
    const double dy = py + 0.5 - q.y;
    const double u0 = (0.5 - q.x) * du_dx + dy * du_dy;  // at the centre of pixel 0
    const double v0 = (0.5 - q.x) * dv_dx + dy * dv_dy;
    if (!same_u || !have_u) QuadSpanRange(u0, du_dx, q.src_w, &lo_u, &hi_u), have_u = true;
    double lo_v, hi_v;
    QuadSpanRange(v0, dv_dx, q.src_h, &lo_v, &hi_v);
    const double lo = std::max({lo_u, lo_v, 0.0});
    const double hi = std::min({hi_u, hi_v, static_cast<double>(width)});
    if (hi <= lo) continue;
    const int first = static_cast<int>(lo), end = static_cast<int>(hi);
    if (!same_u || first != fu_first) {
      fu = static_cast<int32_t>(std::lround((q.src_x + u0 + first * du_dx) * 65536.0));
      fu_first = first;
    }
    const double v = q.src_y + v0 + first * dv_dx;
    QuadSpan span;
    span.y = py, span.first = first, span.count = end - first;
    span.fu = fu, span.du = du, span.dv = dv;
    span.fv = static_cast<int32_t>(std::lround(v * 65536.0));
    visit(span);
  }
}

class SoftwareRenderer : public Renderer {
 public:
  SoftwareRenderer(int width, int height);

  // The canvas (every pixel opaque); what has been drawn so far. Draws sent into a target
  // (SetTarget) land in the target instead.
  const TPixmap& Canvas() const { return *canvas_; }
  PixmapRef CanvasRef() const { return canvas_; }
  void Resize(int width, int height);

  int Width() const override { return canvas_->width; }
  int Height() const override { return canvas_->height; }
  std::unique_ptr<Texture> CreateTexture(const PixmapRef& bgra, bool filtered) override;
  void Clear() override;
  void DrawQuad(const QuadDraw& quad) override;
  void DrawPoints(const std::vector<PixelPoint>& points, uint8_t r, uint8_t g, uint8_t b,
                  float alpha, int blend) override;
  void DrawPixmap(const TPixmap& pixmap, int x, int y) override;
  PixmapRef ReadPixels(int x, int y, int w, int h) override;
  std::unique_ptr<Texture> CreateTarget(int width, int height) override;
  bool SetTarget(Texture* target) override;

 private:
  PixmapRef canvas_;
  PixmapRef dest_;  // where draws land: the canvas or the pixels of the target in use
};

// A renderer that records nothing: the cost of issuing draws alone.
class NullRenderer : public Renderer {
 public:
  NullRenderer(int width, int height) : width_(width), height_(height) {}
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  std::unique_ptr<Texture> CreateTexture(const PixmapRef& bgra, bool filtered) override;
  void Clear() override {}
  void DrawQuad(const QuadDraw&) override { ++draws_; }
  void DrawPoints(const std::vector<PixelPoint>&, uint8_t, uint8_t, uint8_t, float, int) override {
    ++draws_;
  }
  void DrawPixmap(const TPixmap&, int, int) override { ++draws_; }
  PixmapRef ReadPixels(int x, int y, int w, int h) override;
  long Draws() const { return draws_; }

 private:
  int width_, height_;
  long draws_ = 0;
};

}  // namespace orvela
