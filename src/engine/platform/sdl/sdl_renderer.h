// The SDL platform's renderer: draws are collected into batches of triangles that share one
// texture and one blend mode and sent with one SDL_RenderGeometry call per batch; every image
// frame has one texture, made when it is first drawn. The canvas is scaled into the window's
// output pixels by the renderer itself (canvas_fit.h), not by SDL's logical size, so that the
// pointer's mapping and the drawing share one exact fit. Offscreen canvases are made at the
// output's pixel size too, so a still layer shows the same pixels as drawing straight to the
// window at any scale. Only the SDL backend includes this.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/platform/canvas_fit.h"
#include "engine/render/renderer.h"

namespace orvela {

struct SdlTexture;

class SdlRenderer : public Renderer {
 public:
  SdlRenderer(SDL_Renderer* renderer, int width, int height);
  ~SdlRenderer() override;
  void SetLogicalSize(int width, int height);
  // The canvas's fit into the output as the frame being drawn uses it; renewed by Clear, at
  // the start of every frame, from the window's present size.
  const CanvasFit& Fit() const { return fit_; }
  // The fit into the output as it is now (the window may have changed since Clear).
  CanvasFit CurrentFit() const;
  // The output's size in pixels (on a high-density display larger than the window's size).
  void OutputSize(int& width, int& height) const;
  int Width() const override { return width_; }
  int Height() const override { return height_; }

  std::unique_ptr<Texture> CreateTexture(const PixmapRef& bgra, bool filtered) override;
  void Clear() override;
  void DrawQuad(const QuadDraw& q) override;
  void DrawPoints(const std::vector<PixelPoint>& points, uint8_t r, uint8_t g, uint8_t b,
                  float alpha, int blend) override;
  void DrawPixmap(const TPixmap& pixmap, int x, int y) override;
  PixmapRef ReadPixels(int x, int y, int w, int h) override;
  void Flush() override;
  std::unique_ptr<Texture> CreateTarget(int width, int height) override;
  bool SetTarget(Texture* target) override;
  bool TargetSuits(const Texture& target) const override;
  void Present(bool vsync);
  // SDL's name for the render driver drawing ("software", "opengl", ...).
  std::string DriverName() const;

 private:
  // A copy of the texture whose texels are fully opaque where their alpha reaches the
  // threshold and fully transparent elsewhere, for masked drawing.
  SDL_Texture* Masked(const SdlTexture& t, uint32_t threshold);
  // Whether the quad shows the whole of an offscreen canvas untransformed at a whole pixel.
  static bool ShowsWholeTarget(const QuadDraw& q);
  // Shows an offscreen canvas texel for pixel (what ShowsWholeTarget accepts).
  void CopyTarget(const SdlTexture& t, const QuadDraw& q, SDL_BlendMode mode, Uint8 alpha);
  // The texture's pixels, read back from SDL (null when SDL cannot).
  PixmapRef TexturePixels(const SdlTexture& t);
  void RefreshFit();
  // Draws go to the canvas's rectangle of the output (SDL resets it when the window changes).
  void KeepViewport();

  SDL_Renderer* renderer_;
  int width_, height_;
  CanvasFit fit_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  std::vector<SDL_Vertex> vertices_;
  std::vector<int> indices_;
  SDL_Texture* batch_texture_ = nullptr;
  SDL_BlendMode batch_mode_ = SDL_BLENDMODE_NONE;
  bool vsync_ = false;
  SDL_Texture* target_ = nullptr;            // the offscreen canvas draws go to; null: the window
  int target_w_ = 0, target_h_ = 0;          // its size in texels
  mutable int window_w_ = 0, window_h_ = 0;  // the output's size, as last seen
};

// Which SDL renderer draws the window. A GPU renderer whose GL is a rasteriser running on the
// CPU (every machine without a working graphics driver) draws the same pictures as SDL's own
// software renderer at several times its cost in time and memory, so there the software
// renderer draws instead.

// Whether a GL_RENDERER string names a rasteriser that runs on the CPU: Mesa's llvmpipe,
// softpipe, swrast and SWR, the Direct3D one under Mesa's d3d12, Apple's and Windows' own.
bool SoftwareRasteriser(std::string_view gl_renderer);

// Whether an accelerated renderer SDL made gives way to SDL's software renderer: `name` is
// SDL's name for it, `gl_renderer` the GL_RENDERER string of its GL context ("" where it has
// none or it could not be read, and then the renderer is kept).
bool PreferSoftwareRenderer(std::string_view name, std::string_view gl_renderer);

// Whether `device_folder` (the machine's /dev) holds a device a GPU driver draws through: a
// kernel render node (dri/renderD*), which every GPU driver of Mesa's needs, or the device of a
// GPU vendor's own driver. Where it holds none, any GL there is would draw on the CPU, and
// asking it (loading a GL driver: a tenth of a second and some 70 MB that stay mapped) is
// left out. Outside Linux this is always true.
bool GpuDevicePresent(const std::string& device_folder);

// The window's renderer: SDL's choice where SDL_RENDER_DRIVER (SDL's own setting) names one;
// otherwise SDL's accelerated renderer unless `gpu_device` is false or its GL draws on the
// CPU, SDL's software renderer in those cases and where no accelerated one can be made. Null
// when none can be made.
SDL_Renderer* CreateWindowRenderer(SDL_Window* window, bool gpu_device);

}  // namespace orvela
