// The drawing backend beneath the engine's drawing services.
// The engine turns every draw into textured or solid quads and pixel lists in canvas pixels;
// a renderer only rasterises them. Three renderers exist: the SDL one (GPU, window), the
// software one (offscreen, headless runs and tests) and the null one (records nothing).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/image/pixmap.h"

namespace orvela {

// A backend copy of one pixel buffer, made once and drawn many times.
class Texture {
 public:
  Texture();
  virtual ~Texture() = default;
  Texture(const Texture&) = delete;
  Texture& operator=(const Texture&) = delete;
  // A number no other texture of this run has (a texture made later at the same address
  // gets another).
  uint64_t Number() const { return number_; }
  int width = 0;
  int height = 0;

 private:
  uint64_t number_;
};

// One parallelogram: the texel rectangle (src_x, src_y, src_w, src_h) of the texture lands with
// its corner (src_x, src_y) on (x, y); one texel step along u moves (ax, ay) on the canvas and
// one step along v moves (bx, by). A null texture draws a solid parallelogram of src_w × src_h
// units. Colour (r, g, b) multiplies the texels; alpha and blend follow the engine's blend table.
struct QuadDraw {
  const Texture* texture = nullptr;
  float src_x = 0, src_y = 0, src_w = 0, src_h = 0;
  float x = 0, y = 0;
  float ax = 1, ay = 0;
  float bx = 0, by = 1;
  uint8_t r = 255, g = 255, b = 255;
  float alpha = 1;
  int blend = 1;
};

struct PixelPoint {
  int x = 0;
  int y = 0;
};

// The smallest texel alpha t (0 … 255) that masked drawing (blend mode 1) writes at this
// alpha, t/255 · alpha >= 0.5; 256 when no texel passes. The alpha is clamped to 0 … 1, and an
// alpha below 1/255 (a fade that has all but ended, or NaN) counts as 0.
uint32_t MaskThreshold(float alpha);
// The alpha as a byte for blending (modes 3 and 4), under the same rule: clamped to 0 … 1,
// below 1/255 (or NaN) 0.
uint8_t AlphaByte(float alpha);
// Whether a draw at this alpha and blend mode changes any pixel: a masked draw whose threshold
// no texel reaches and an alpha-blended or additive draw at alpha 0 change nothing, and are
// never sent to a renderer.
bool DrawsAnything(float alpha, int blend);

class Renderer {
 public:
  Renderer();
  virtual ~Renderer() = default;
  Renderer(const Renderer&) = delete;
  Renderer& operator=(const Renderer&) = delete;

  // A number no other renderer of this run has; textures remember the renderer they belong to.
  uint64_t Serial() const { return serial_; }

  virtual int Width() const = 0;
  virtual int Height() const = 0;

  // A texture from a PF_BGRA8888 buffer; filtered = bilinear sampling, else nearest.
  virtual std::unique_ptr<Texture> CreateTexture(const PixmapRef& bgra, bool filtered) = 0;

  virtual void Clear() = 0;  // the whole canvas to opaque black
  virtual void DrawQuad(const QuadDraw& quad) = 0;
  virtual void DrawPoints(const std::vector<PixelPoint>& points, uint8_t r, uint8_t g, uint8_t b,
                          float alpha, int blend) = 0;
  // Copies the buffer onto the canvas at (x, y), untransformed and unblended.
  virtual void DrawPixmap(const TPixmap& pixmap, int x, int y) = 0;
  // A PF_BGRA8888 copy of a canvas rectangle (what has been drawn so far this frame).
  virtual PixmapRef ReadPixels(int x, int y, int w, int h) = 0;
  // Finishes the pending draws of the frame (before presenting or reading back).
  virtual void Flush() {}
  // Ends the frame before it is presented: finishes its draws and says whether it has to be
  // presented (false: it shows exactly what the screen already shows). `must_show` draws and
  // presents it in any case.
  virtual bool FinishFrame(bool /*must_show*/ = false) {
    Flush();
    return true;
  }

  // An offscreen canvas of the given size to draw into (see SetTarget) and then to draw from
  // like any texture; null when this renderer cannot draw offscreen.
  virtual std::unique_ptr<Texture> CreateTarget(int /*width*/, int /*height*/) { return nullptr; }
  // Sends the following draws (Clear included) into the target, one this renderer made with
  // CreateTarget; null returns them to the canvas. False when the target cannot be used.
  virtual bool SetTarget(Texture* /*target*/) { return false; }
  // Whether a target still suits the output as it is now; a renderer that draws the canvas
  // scaled makes its targets at the output's pixel size, which the window may since have
  // changed. A target that no longer suits is refused by SetTarget and made anew.
  virtual bool TargetSuits(const Texture& /*target*/) const { return true; }

 private:
  uint64_t serial_;
};

}  // namespace orvela
