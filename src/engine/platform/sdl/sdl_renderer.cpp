// SdlRenderer (see sdl_renderer.h).
#include "engine/platform/sdl/sdl_renderer.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <map>
#include <utility>

namespace orvela {

// An image frame's SDL texture (SDL holds the only copy of its pixels), with the thresholded
// copies made for masked drawing.
struct SdlTexture : Texture {
  std::weak_ptr<bool> renderer_alive;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* texture = nullptr;
  bool filtered = false;
  bool target = false;                              // an offscreen canvas (CreateTarget)
  int texels_w = 0, texels_h = 0;                   // an offscreen canvas's size in output pixels
  mutable std::map<uint32_t, SDL_Texture*> masked;  // texel alpha threshold -> copy

  ~SdlTexture() override {
    if (renderer_alive.expired()) return;  // the renderer took its textures with it
    if (texture) SDL_DestroyTexture(texture);
    for (auto& [threshold, copy] : masked) SDL_DestroyTexture(copy);
  }
};

namespace {

SDL_Texture* MakeSdlTexture(SDL_Renderer* renderer, const TPixmap& bgra, bool filtered) {
  SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                           SDL_TEXTUREACCESS_STATIC, bgra.width, bgra.height);
  if (!texture) return nullptr;
  SDL_UpdateTexture(texture, nullptr, bgra.pixels, bgra.pitch);
  SDL_SetTextureScaleMode(texture, filtered ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
  return texture;
}

}  // namespace

SdlRenderer::SdlRenderer(SDL_Renderer* renderer, int width, int height)
    : renderer_(renderer), width_(width), height_(height) {
  RefreshFit();
}

SdlRenderer::~SdlRenderer() {
  alive_.reset();
  SDL_DestroyRenderer(renderer_);
}

void SdlRenderer::SetLogicalSize(int width, int height) {
  Flush();
  width_ = width, height_ = height;
  RefreshFit();
}

void SdlRenderer::OutputSize(int& width, int& height) const {
  // While an offscreen canvas is drawn into, SDL reports the canvas's size: the window's is
  // the one last seen.
  if (!target_) {
    window_w_ = window_h_ = 0;
    SDL_GetRendererOutputSize(renderer_, &window_w_, &window_h_);
  }
  width = window_w_, height = window_h_;
}

CanvasFit SdlRenderer::CurrentFit() const {
  int output_w = 0, output_h = 0;
  OutputSize(output_w, output_h);
  return FitCanvas(width_, height_, output_w, output_h);
}

void SdlRenderer::RefreshFit() {
  fit_ = CurrentFit();
  KeepViewport();
}

void SdlRenderer::KeepViewport() {
  const SDL_Rect wanted = target_ ? SDL_Rect{0, 0, target_w_, target_h_}
                                  : SDL_Rect{fit_.left, fit_.top, fit_.width, fit_.height};
  SDL_Rect now;
  SDL_RenderGetViewport(renderer_, &now);
  if (now.x != wanted.x || now.y != wanted.y || now.w != wanted.w || now.h != wanted.h) {
    const SDL_Rect other{0, 0, 1, 1};
    SDL_RenderSetViewport(renderer_, &other);
    SDL_RenderSetViewport(renderer_, &wanted);
  }
}

std::unique_ptr<Texture> SdlRenderer::CreateTexture(const PixmapRef& bgra, bool filtered) {
  auto texture = std::make_unique<SdlTexture>();
  texture->renderer_alive = alive_;
  texture->renderer = renderer_;
  texture->filtered = filtered;
  texture->width = bgra->width;
  texture->height = bgra->height;
  texture->texture = MakeSdlTexture(renderer_, *bgra, filtered);
  return texture;
}

void SdlRenderer::Clear() {
  Flush();
  RefreshFit();  // a new frame: the window may have changed size
  // SDL clears the whole output, the bars beside the canvas included.
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
}

void SdlRenderer::DrawQuad(const QuadDraw& q) {
  if (!DrawsAnything(q.alpha, q.blend)) return;  // nothing to rasterise
  SDL_Texture* texture = nullptr;
  SDL_BlendMode mode = SDL_BLENDMODE_NONE;
  Uint8 alpha = 255;
  switch (q.blend) {
    case 1:
      if (MaskThreshold(q.alpha) > 255) return;
      mode = SDL_BLENDMODE_BLEND;
      break;
    case 3:
      mode = SDL_BLENDMODE_BLEND;
      alpha = AlphaByte(q.alpha);
      break;
    case 4:
      mode = SDL_BLENDMODE_ADD;
      alpha = AlphaByte(q.alpha);
      break;
    case 5:
      mode = SDL_BLENDMODE_MOD;
      break;
    default:
      break;
  }
  if (q.texture) {
    const auto* t = static_cast<const SdlTexture*>(q.texture);
    if (t->target && ShowsWholeTarget(q)) {
      CopyTarget(*t, q, mode, alpha);
      return;
    }
    texture = q.blend == 1 ? Masked(*t, MaskThreshold(q.alpha)) : t->texture;
    if (!texture) return;
  } else if (q.blend == 1) {
    mode = SDL_BLENDMODE_NONE;  // a solid rectangle that passed the threshold
  }
  if (texture != batch_texture_ || mode != batch_mode_) {
    Flush();
    batch_texture_ = texture;
    batch_mode_ = mode;
  }
  const float tw = q.texture ? static_cast<float>(q.texture->width) : 1.0f;
  const float th = q.texture ? static_cast<float>(q.texture->height) : 1.0f;
  const float u0 = q.src_x / tw, v0 = q.src_y / th;
  const float u1 = (q.src_x + q.src_w) / tw, v1 = (q.src_y + q.src_h) / th;
  const SDL_Color colour{q.r, q.g, q.b, alpha};
  const float wx = q.src_w * q.ax, wy = q.src_w * q.ay;
  const float hx = q.src_h * q.bx, hy = q.src_h * q.by;
  const int base = static_cast<int>(vertices_.size());
  const float s = fit_.scale;  // canvas to output pixels
  vertices_.push_back({{q.x * s, q.y * s}, colour, {u0, v0}});
  vertices_.push_back({{(q.x + wx) * s, (q.y + wy) * s}, colour, {u1, v0}});
  vertices_.push_back({{(q.x + wx + hx) * s, (q.y + wy + hy) * s}, colour, {u1, v1}});
  vertices_.push_back({{(q.x + hx) * s, (q.y + hy) * s}, colour, {u0, v1}});
  for (int i : {0, 1, 2, 0, 2, 3}) indices_.push_back(base + i);
}

bool SdlRenderer::ShowsWholeTarget(const QuadDraw& q) {
  return q.src_x == 0 && q.src_y == 0 && q.src_w == static_cast<float>(q.texture->width) &&
         q.src_h == static_cast<float>(q.texture->height) && q.ax == 1 && q.ay == 0 && q.bx == 0 &&
         q.by == 1 && q.x == std::floor(q.x) && q.y == std::floor(q.y);
}

void SdlRenderer::CopyTarget(const SdlTexture& t, const QuadDraw& q, SDL_BlendMode mode,
                             Uint8 alpha) {
  // Texel for pixel: at a fractional scale the triangles' sampling would drift by a texel
  // here and there across the canvas.
  Flush();
  KeepViewport();
  const SDL_Rect dst{static_cast<int>(std::lround(q.x * fit_.scale)),
                     static_cast<int>(std::lround(q.y * fit_.scale)), t.texels_w, t.texels_h};
  SDL_SetTextureBlendMode(t.texture, mode);
  SDL_SetTextureColorMod(t.texture, q.r, q.g, q.b);
  SDL_SetTextureAlphaMod(t.texture, alpha);
  SDL_RenderCopy(renderer_, t.texture, nullptr, &dst);
  SDL_SetTextureColorMod(t.texture, 255, 255, 255);
  SDL_SetTextureAlphaMod(t.texture, 255);
}

void SdlRenderer::DrawPoints(const std::vector<PixelPoint>& points, uint8_t r, uint8_t g, uint8_t b,
                             float alpha, int blend) {
  if (!DrawsAnything(alpha, blend)) return;
  Flush();
  SDL_BlendMode mode = SDL_BLENDMODE_NONE;
  Uint8 a = 255;
  if (blend == 3 || blend == 4) {
    mode = blend == 3 ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_ADD;
    a = AlphaByte(alpha);
  } else if (blend == 5) {
    mode = SDL_BLENDMODE_MOD;
  }
  // Each canvas pixel covers a square of output pixels.
  const float s = fit_.scale;
  std::vector<SDL_FRect> squares;
  squares.reserve(points.size());
  for (const PixelPoint& p : points) squares.push_back({p.x * s, p.y * s, s, s});
  KeepViewport();
  SDL_SetRenderDrawBlendMode(renderer_, mode);
  SDL_SetRenderDrawColor(renderer_, r, g, b, a);
  SDL_RenderFillRectsF(renderer_, squares.data(), static_cast<int>(squares.size()));
}

void SdlRenderer::DrawPixmap(const TPixmap& pixmap, int x, int y) {
  Flush();
  const PixmapRef bgra = pixmap.Convert(PF_BGRA8888);
  SDL_Texture* texture = MakeSdlTexture(renderer_, *bgra, false);
  if (!texture) return;
  SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
  const float s = fit_.scale;
  const SDL_FRect dst{x * s, y * s, bgra->width * s, bgra->height * s};
  KeepViewport();
  SDL_RenderCopyF(renderer_, texture, nullptr, &dst);
  SDL_DestroyTexture(texture);
}

PixmapRef SdlRenderer::ReadPixels(int x, int y, int w, int h) {
  Flush();
  SDL_RenderFlush(renderer_);
  // Reading happens in output pixels: read the scaled rectangle and sample it back down.
  const float sx = fit_.scale, sy = fit_.scale;
  const int left = target_ ? 0 : fit_.left, top = target_ ? 0 : fit_.top;
  const SDL_Rect physical{left + static_cast<int>(x * sx), top + static_cast<int>(y * sy),
                          std::max(1, static_cast<int>(std::ceil(w * sx))),
                          std::max(1, static_cast<int>(std::ceil(h * sy)))};
  auto raw = TPixmap::Create(physical.w, physical.h, PF_BGRA8888, 4);
  auto out = TPixmap::Create(w, h, PF_BGRA8888, 4);
  if (SDL_RenderReadPixels(renderer_, &physical, SDL_PIXELFORMAT_ARGB8888, raw->pixels,
                           raw->pitch) != 0) {
    return out;
  }
  for (int row = 0; row < h; ++row) {
    const int ry = std::min(physical.h - 1, static_cast<int>((row + 0.5f) * sy));
    for (int col = 0; col < w; ++col) {
      const int rx = std::min(physical.w - 1, static_cast<int>((col + 0.5f) * sx));
      out->Row32(row)[col] = raw->Row32(ry)[rx] | 0xFF000000u;
    }
  }
  return out;
}

void SdlRenderer::Flush() {
  if (indices_.empty()) return;
  KeepViewport();
  if (batch_texture_) {
    SDL_SetTextureBlendMode(batch_texture_, batch_mode_);
  } else {
    SDL_SetRenderDrawBlendMode(renderer_, batch_mode_);
  }
  SDL_RenderGeometry(renderer_, batch_texture_, vertices_.data(),
                     static_cast<int>(vertices_.size()), indices_.data(),
                     static_cast<int>(indices_.size()));
  vertices_.clear();
  indices_.clear();
}

namespace {

// The output pixels an offscreen canvas of the given canvas size takes under the fit: the
// whole canvas takes exactly the fit's rectangle.
std::pair<int, int> TargetTexels(const CanvasFit& fit, int width, int height) {
  if (width == fit.canvas_w && height == fit.canvas_h) return {fit.width, fit.height};
  return {std::max(1, static_cast<int>(std::lround(width * fit.scale))),
          std::max(1, static_cast<int>(std::lround(height * fit.scale)))};
}

}  // namespace

std::unique_ptr<Texture> SdlRenderer::CreateTarget(int width, int height) {
  if (width <= 0 || height <= 0 || !SDL_RenderTargetSupported(renderer_)) return nullptr;
  // Made at the output's pixel size: draws land in it as they would land in the window, and
  // it is shown texel for pixel over the canvas's rectangle. Its width and height stay the
  // canvas's, the units draws from it are given in.
  const auto [texels_w, texels_h] = TargetTexels(CurrentFit(), width, height);
  SDL_Texture* canvas = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888,
                                          SDL_TEXTUREACCESS_TARGET, texels_w, texels_h);
  if (!canvas) return nullptr;
  SDL_SetTextureScaleMode(canvas, SDL_ScaleModeNearest);
  auto texture = std::make_unique<SdlTexture>();
  texture->renderer_alive = alive_;
  texture->renderer = renderer_;
  texture->texture = canvas;
  texture->target = true;
  texture->texels_w = texels_w;
  texture->texels_h = texels_h;
  texture->width = width;
  texture->height = height;
  return texture;
}

bool SdlRenderer::TargetSuits(const Texture& target) const {
  // It must suit both the fit the frame draws with and the window as it is now.
  const auto& t = static_cast<const SdlTexture&>(target);
  const std::pair<int, int> texels{t.texels_w, t.texels_h};
  return t.target && texels == TargetTexels(fit_, t.width, t.height) &&
         texels == TargetTexels(CurrentFit(), t.width, t.height);
}

bool SdlRenderer::SetTarget(Texture* target) {
  Flush();
  SDL_Texture* canvas = nullptr;
  int texels_w = 0, texels_h = 0;
  if (target) {
    auto* t = static_cast<SdlTexture*>(target);
    if (!t->target || t->renderer != renderer_ || !t->texture) return false;
    // Drawing offscreen from here on uses the window's present fit; a canvas made for
    // another size of the window would show its pixels stretched.
    RefreshFit();
    if (!TargetSuits(*t)) return false;
    canvas = t->texture;
    texels_w = t->texels_w, texels_h = t->texels_h;
  }
  if (canvas == target_) return true;
  if (SDL_SetRenderTarget(renderer_, canvas) != 0) return false;
  target_ = canvas;
  target_w_ = texels_w, target_h_ = texels_h;
  KeepViewport();
  return true;
}

std::string SdlRenderer::DriverName() const {
  SDL_RendererInfo info;
  return SDL_GetRendererInfo(renderer_, &info) == 0 && info.name ? info.name : "";
}

void SdlRenderer::Present(bool vsync) {
  Flush();
  if (vsync != vsync_) {
    SDL_RenderSetVSync(renderer_, vsync ? 1 : 0);
    vsync_ = vsync;
  }
  SDL_RenderPresent(renderer_);
}

SDL_Texture* SdlRenderer::Masked(const SdlTexture& t, uint32_t threshold) {
  if (auto it = t.masked.find(threshold); it != t.masked.end()) return it->second;
  if (t.target) return t.texture;  // an offscreen canvas is opaque: nothing to threshold
  const PixmapRef copy = TexturePixels(t);
  if (!copy) return t.texture;
  for (int y = 0; y < copy->height; ++y) {
    uint32_t* row = copy->Row32(y);
    for (int x = 0; x < copy->width; ++x) {
      row[x] = (row[x] & 0xFFFFFFu) | ((row[x] >> 24) >= threshold ? 0xFF000000u : 0u);
    }
  }
  SDL_Texture* texture = MakeSdlTexture(renderer_, *copy, t.filtered);
  t.masked[threshold] = texture;
  return texture;
}

PixmapRef SdlRenderer::TexturePixels(const SdlTexture& t) {
  Flush();
  SDL_Texture* canvas = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888,
                                          SDL_TEXTUREACCESS_TARGET, t.width, t.height);
  if (!canvas) return nullptr;
  PixmapRef pixels;
  if (SDL_SetRenderTarget(renderer_, canvas) == 0) {
    // Copied texel for texel, alpha included.
    SDL_SetTextureBlendMode(t.texture, SDL_BLENDMODE_NONE);
    SDL_SetTextureColorMod(t.texture, 255, 255, 255);
    SDL_SetTextureAlphaMod(t.texture, 255);
    SDL_SetTextureScaleMode(t.texture, SDL_ScaleModeNearest);
    SDL_RenderCopy(renderer_, t.texture, nullptr, nullptr);
    pixels = TPixmap::Create(t.width, t.height, PF_BGRA8888, 4);
    if (SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels->pixels,
                             pixels->pitch) != 0) {
      pixels = nullptr;
    }
    SDL_SetTextureScaleMode(t.texture, t.filtered ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
  }
  SDL_SetRenderTarget(renderer_, target_);
  SDL_DestroyTexture(canvas);
  return pixels;
}

bool SoftwareRasteriser(std::string_view gl_renderer) {
  std::string lower(gl_renderer);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const char* name : {"llvmpipe", "softpipe", "swrast", "software rasterizer",
                           "software renderer", "gdi generic", "basic render driver"}) {
    if (lower.find(name) != std::string::npos) return true;
  }
  // SWR only as a word of its own, in capitals as Mesa writes it.
  for (size_t at = gl_renderer.find("SWR"); at != std::string_view::npos;
       at = gl_renderer.find("SWR", at + 1)) {
    const auto letter = [&](size_t i) {
      return i < gl_renderer.size() && std::isalnum(static_cast<unsigned char>(gl_renderer[i]));
    };
    if ((at == 0 || !letter(at - 1)) && !letter(at + 3)) return true;
  }
  return false;
}

bool PreferSoftwareRenderer(std::string_view name, std::string_view gl_renderer) {
  const bool on_gl = name == "opengl" || name == "opengles2" || name == "opengles";
  return on_gl && SoftwareRasteriser(gl_renderer);
}

bool GpuDevicePresent(const std::string& device_folder) {
#if defined(__linux__)
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path folder(device_folder);
  for (fs::directory_iterator it(folder / "dri", error), end; !error && it != end;
       it.increment(error)) {
    if (it->path().filename().string().rfind("renderD", 0) == 0) return true;
  }
  // NVIDIA's, Arm Mali's, Vivante's, PowerVR's, Adreno's and the older Raspberry Pi's drivers.
  for (const char* device : {"nvidiactl", "mali0", "galcore", "pvr_sync", "kgsl-3d0", "vchiq"}) {
    if (fs::exists(folder / device, error)) return true;
  }
  return false;
#else
  (void)device_folder;
  return true;
#endif
}

namespace {

// The GL_RENDERER string of the GL context current on this thread ("" without one).
std::string CurrentGlRenderer() {
  if (!SDL_GL_GetCurrentContext()) return "";
  using GetString = const unsigned char* (*)(unsigned);
  constexpr unsigned kGlRenderer = 0x1F01;
  const auto get = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const unsigned char* text = get ? get(kGlRenderer) : nullptr;
  return text ? reinterpret_cast<const char*>(text) : "";
}

SDL_Renderer* SoftwareRenderer(SDL_Window* window) {
  // Asked for by its index: SDL_RENDER_DRIVER would otherwise name the driver again.
  for (int i = 0, count = SDL_GetNumRenderDrivers(); i < count; ++i) {
    SDL_RendererInfo info;
    if (SDL_GetRenderDriverInfo(i, &info) == 0 && info.name &&
        std::string_view(info.name) == "software") {
      return SDL_CreateRenderer(window, i, SDL_RENDERER_SOFTWARE);
    }
  }
  return SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
}

}  // namespace

SDL_Renderer* CreateWindowRenderer(SDL_Window* window, bool gpu_device) {
  const char* asked = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
  const bool named = asked && *asked;
  SDL_Renderer* renderer = nullptr;
  if (named || gpu_device) {
    renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
    if (!renderer) {
      SDL_Log("No accelerated renderer (%s); drawing in software", SDL_GetError());
    } else if (SDL_RendererInfo info; !named && SDL_GetRendererInfo(renderer, &info) == 0 &&
                                      !(info.flags & SDL_RENDERER_SOFTWARE) && info.name) {
      // SDL's GL renderers leave their context current.
      const std::string gl_renderer = CurrentGlRenderer();
      if (PreferSoftwareRenderer(info.name, gl_renderer)) {
        SDL_LogVerbose(SDL_LOG_CATEGORY_RENDER, "%s draws on the CPU; drawing in software",
                       gl_renderer.c_str());
        SDL_DestroyRenderer(renderer);
        renderer = nullptr;
      }
    }
  }
  return renderer ? renderer : SoftwareRenderer(window);
}

}  // namespace orvela
