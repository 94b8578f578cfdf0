// The offscreen renderer: rasterises the engine's quads and pixel lists into a PF_BGRA8888
// canvas in memory, with exactly the blend table's arithmetic. Headless runs and tests draw
// through it; the canvas is what their screenshots show.
#pragma once

#include "engine/render/renderer.h"

namespace orvela {

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
