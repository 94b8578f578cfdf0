// The SDL platform and its renderer. Draws are collected into batches of triangles that share
// one texture and one blend mode and sent with one SDL_RenderGeometry call per batch; every
// image frame has one texture made when it is first drawn.
#include "engine/sdl_platform.h"

#include <SDL.h>
#if !defined(_WIN32) && !defined(__APPLE__)
#include <pwd.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "engine/utf8.h"

namespace orvela {

namespace {

struct SdlTexture : Texture {
  std::weak_ptr<bool> renderer_alive;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* texture = nullptr;
  PixmapRef pixels;  // kept to make the thresholded copies masked drawing needs
  bool filtered = false;
  mutable std::map<uint32_t, SDL_Texture*> masked;  // texel alpha threshold -> copy

  ~SdlTexture() override {
    if (renderer_alive.expired()) return;  // the renderer took its textures with it
    if (texture) SDL_DestroyTexture(texture);
    for (auto& [threshold, copy] : masked) SDL_DestroyTexture(copy);
  }
};

SDL_Texture* MakeSdlTexture(SDL_Renderer* renderer, const TPixmap& bgra, bool filtered) {
  SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                           SDL_TEXTUREACCESS_STATIC, bgra.width, bgra.height);
  if (!texture) return nullptr;
  SDL_UpdateTexture(texture, nullptr, bgra.pixels, bgra.pitch);
  SDL_SetTextureScaleMode(texture, filtered ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
  return texture;
}

bool SameAsciiName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && SDL_strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

int VirtualKey(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return 112 + (key - SDLK_F1);
  if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return 97 + (key - SDLK_KP_1);
  switch (key) {
    case SDLK_BACKSPACE:
      return 8;
    case SDLK_TAB:
      return 9;
    case SDLK_RETURN:
      return 13;
    case SDLK_KP_ENTER:
      return 13;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
      return 16;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
      return 17;
    case SDLK_LALT:
    case SDLK_RALT:
      return 18;
    case SDLK_PAUSE:
      return 19;
    case SDLK_ESCAPE:
      return 27;
    case SDLK_SPACE:
      return 32;
    case SDLK_PAGEUP:
      return 33;
    case SDLK_PAGEDOWN:
      return 34;
    case SDLK_END:
      return 35;
    case SDLK_HOME:
      return 36;
    case SDLK_LEFT:
      return 37;
    case SDLK_UP:
      return 38;
    case SDLK_RIGHT:
      return 39;
    case SDLK_DOWN:
      return 40;
    case SDLK_INSERT:
      return 45;
    case SDLK_DELETE:
      return 46;
    case SDLK_KP_0:
      return 96;
    default:
      return -1;
  }
}

int EngineButton(Uint8 button) {
  switch (button) {
    case SDL_BUTTON_LEFT:
      return 1;
    case SDL_BUTTON_RIGHT:
      return 2;
    case SDL_BUTTON_MIDDLE:
      return 3;
    default:
      return 0;
  }
}

}  // namespace

class SdlRenderer : public Renderer {
 public:
  SdlRenderer(SDL_Renderer* renderer, int width, int height)
      : renderer_(renderer), width_(width), height_(height) {
    SDL_RenderSetLogicalSize(renderer_, width, height);
  }
  ~SdlRenderer() override {
    alive_.reset();
    SDL_DestroyRenderer(renderer_);
  }

  void SetLogicalSize(int width, int height) {
    Flush();
    width_ = width, height_ = height;
    SDL_RenderSetLogicalSize(renderer_, width, height);
  }

  int Width() const override { return width_; }
  int Height() const override { return height_; }

  std::unique_ptr<Texture> CreateTexture(const PixmapRef& bgra, bool filtered) override {
    auto texture = std::make_unique<SdlTexture>();
    texture->renderer_alive = alive_;
    texture->renderer = renderer_;
    texture->pixels = bgra;
    texture->filtered = filtered;
    texture->width = bgra->width;
    texture->height = bgra->height;
    texture->texture = MakeSdlTexture(renderer_, *bgra, filtered);
    return texture;
  }

  void Clear() override {
    Flush();
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
  }

  void DrawQuad(const QuadDraw& q) override {
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
    vertices_.push_back({{q.x, q.y}, colour, {u0, v0}});
    vertices_.push_back({{q.x + wx, q.y + wy}, colour, {u1, v0}});
    vertices_.push_back({{q.x + wx + hx, q.y + wy + hy}, colour, {u1, v1}});
    vertices_.push_back({{q.x + hx, q.y + hy}, colour, {u0, v1}});
    for (int i : {0, 1, 2, 0, 2, 3}) indices_.push_back(base + i);
  }

  void DrawPoints(const std::vector<PixelPoint>& points, uint8_t r, uint8_t g, uint8_t b,
                  float alpha, int blend) override {
    Flush();
    SDL_BlendMode mode = SDL_BLENDMODE_NONE;
    Uint8 a = 255;
    if (blend == 1 && MaskThreshold(alpha) > 255) return;
    if (blend == 3 || blend == 4) {
      mode = blend == 3 ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_ADD;
      a = AlphaByte(alpha);
    } else if (blend == 5) {
      mode = SDL_BLENDMODE_MOD;
    }
    std::vector<SDL_Point> sdl_points;
    sdl_points.reserve(points.size());
    for (const PixelPoint& p : points) sdl_points.push_back({p.x, p.y});
    SDL_SetRenderDrawBlendMode(renderer_, mode);
    SDL_SetRenderDrawColor(renderer_, r, g, b, a);
    SDL_RenderDrawPoints(renderer_, sdl_points.data(), static_cast<int>(sdl_points.size()));
  }

  void DrawPixmap(const TPixmap& pixmap, int x, int y) override {
    Flush();
    const PixmapRef bgra = pixmap.Convert(PF_BGRA8888);
    SDL_Texture* texture = MakeSdlTexture(renderer_, *bgra, false);
    if (!texture) return;
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
    const SDL_Rect dst{x, y, bgra->width, bgra->height};
    SDL_RenderCopy(renderer_, texture, nullptr, &dst);
    SDL_DestroyTexture(texture);
  }

  PixmapRef ReadPixels(int x, int y, int w, int h) override {
    Flush();
    SDL_RenderFlush(renderer_);
    // Reading happens in output pixels: read the scaled rectangle and sample it back down.
    float sx = 1, sy = 1;
    SDL_RenderGetScale(renderer_, &sx, &sy);
    SDL_Rect viewport;
    SDL_RenderGetViewport(renderer_, &viewport);
    const SDL_Rect physical{static_cast<int>((viewport.x + x) * sx),
                            static_cast<int>((viewport.y + y) * sy),
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

  void Flush() override {
    if (indices_.empty()) return;
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

  void Present(bool vsync) {
    Flush();
    if (vsync != vsync_) {
      SDL_RenderSetVSync(renderer_, vsync ? 1 : 0);
      vsync_ = vsync;
    }
    SDL_RenderPresent(renderer_);
  }

 private:
  // A copy of the texture whose texels are fully opaque where their alpha reaches the
  // threshold and fully transparent elsewhere, for masked drawing.
  SDL_Texture* Masked(const SdlTexture& t, uint32_t threshold) {
    if (auto it = t.masked.find(threshold); it != t.masked.end()) return it->second;
    auto copy = t.pixels->Copy();
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

  SDL_Renderer* renderer_;
  int width_, height_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  std::vector<SDL_Vertex> vertices_;
  std::vector<int> indices_;
  SDL_Texture* batch_texture_ = nullptr;
  SDL_BlendMode batch_mode_ = SDL_BLENDMODE_NONE;
  bool vsync_ = false;
};

SdlPlatform::SdlPlatform() {
  SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
  SDL_SetHint(SDL_HINT_VIDEO_HIGHDPI_DISABLED, "0");
  if (SDL_Init(SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
    SDL_Log("SDL could not start: %s", SDL_GetError());
  }
}

SdlPlatform::~SdlPlatform() {
  audio_.reset();
  renderer_.reset();
  if (window_) SDL_DestroyWindow(window_);
  SDL_Quit();
}

bool UsableVideoDriver(const std::string& driver, const std::string& asked) {
  if (!SameAsciiName(driver, "offscreen") && !SameAsciiName(driver, "dummy")) return true;
  // SDL_VIDEODRIVER holds one driver name or several separated by commas.
  size_t start = 0;
  for (;;) {
    const size_t comma = asked.find(',', start);
    if (SameAsciiName(asked.substr(start, comma - start), driver)) return true;
    if (comma == std::string::npos) return false;
    start = comma + 1;
  }
}

bool SdlPlatform::OpenDisplay(const DisplayMode& mode) {
  if (!video_ready_) {
    // No display is the caller's one message to give; SDL's reason adds nothing for the player.
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    if (!driver || !UsableVideoDriver(driver, asked ? asked : "")) {
      SDL_QuitSubSystem(SDL_INIT_VIDEO);
      return false;
    }
    video_ready_ = true;
  }
  if (!mode.title.empty()) title_ = mode.title;
  const Uint32 fullscreen = mode.fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0;
  if (!window_) {
    window_ =
        SDL_CreateWindow(title_.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, mode.width,
                         mode.height, SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI | fullscreen);
    if (!window_) {
      SDL_Log("No window: %s", SDL_GetError());
      return false;
    }
    SDL_Renderer* renderer = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
    if (!renderer) {
      SDL_Log("No accelerated renderer (%s); drawing in software", SDL_GetError());
      renderer = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    }
    if (!renderer) {
      SDL_Log("No renderer: %s", SDL_GetError());
      SDL_DestroyWindow(window_);
      window_ = nullptr;
      return false;
    }
    renderer_ = std::make_unique<SdlRenderer>(renderer, mode.width, mode.height);
    SDL_StartTextInput();
    return true;
  }
  // Switching the open window keeps its renderer, so every texture stays valid.
  renderer_->Flush();
  SDL_SetWindowFullscreen(window_, fullscreen);
  if (!mode.fullscreen) SDL_SetWindowSize(window_, mode.width, mode.height);
  renderer_->SetLogicalSize(mode.width, mode.height);
  return true;
}

Renderer* SdlPlatform::GetRenderer() {
  return renderer_.get();
}

void SdlPlatform::Present(bool vsync) {
  if (renderer_) renderer_->Present(vsync);
}

void SdlPlatform::WarpMouse(int x, int y) {
  if (!window_ || !renderer_) return;
  // Canvas pixels to window points through the letterboxed scale.
  int window_w = 0, window_h = 0;
  SDL_GetWindowSize(window_, &window_w, &window_h);
  const float scale = std::min(static_cast<float>(window_w) / renderer_->Width(),
                               static_cast<float>(window_h) / renderer_->Height());
  const float left = (window_w - renderer_->Width() * scale) / 2;
  const float top = (window_h - renderer_->Height() * scale) / 2;
  SDL_WarpMouseInWindow(window_, static_cast<int>(left + x * scale),
                        static_cast<int>(top + y * scale));
}

void SdlPlatform::ShowCursor(bool visible) {
  SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

void SdlPlatform::SetTitle(const std::string& title) {
  title_ = title;
  if (window_) SDL_SetWindowTitle(window_, title.c_str());
}

int64_t SdlPlatform::Milliseconds() {
  return SystemMilliseconds();
}

void SdlPlatform::SleepUntil(int64_t milliseconds) {
  for (int64_t now = Milliseconds(); now < milliseconds; now = Milliseconds()) {
    SDL_Delay(static_cast<Uint32>(milliseconds - now));
  }
}

void SdlPlatform::PumpEvents(InputSink& sink) {
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    switch (event.type) {
      case SDL_QUIT:
        sink.OnQuitRequest();
        break;
      case SDL_KEYDOWN:
      case SDL_KEYUP: {
        const bool down = event.type == SDL_KEYDOWN;
        const int key = VirtualKey(event.key.keysym.sym);
        if (key >= 0) sink.OnKey(key, down, event.key.repeat != 0);
        // Backspace arrives as a typed character, repeats included.
        if (down && event.key.keysym.sym == SDLK_BACKSPACE) sink.OnChar(8);
        break;
      }
      case SDL_TEXTINPUT:
        for (char32_t c : DecodeUtf8(event.text.text)) sink.OnChar(c);
        break;
      case SDL_MOUSEMOTION:
        sink.OnMouseMove(event.motion.x, event.motion.y);
        break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
        sink.OnMouseMove(event.button.x, event.button.y);
        if (const int button = EngineButton(event.button.button)) {
          sink.OnMouseButton(button, event.type == SDL_MOUSEBUTTONDOWN);
        }
        break;
      case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED ||
            event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
          sink.OnFocusChange();
        }
        break;
      default:
        break;
    }
  }
}

void SdlPlatform::ShowMessage(const std::string& text, bool serious) {
  SDL_ShowSimpleMessageBox(serious ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION,
                           title_.c_str(), text.c_str(), window_);
}

void SdlPlatform::OpenUrl(const std::string& address) {
  SDL_OpenURL(address.c_str());
}

std::string SdlPlatform::AppDataPath() {
  return SystemAppDataPath();
}

namespace {

// The sound card: SDL's audio callback pulls the mixed frames (SDL converts them to the
// device's own format and rate when they differ).
class SdlAudio : public AudioOutput {
 public:
  bool Open() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    SDL_AudioSpec want;
    SDL_zero(want);
    want.freq = kMixRate;
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = &SdlAudio::Pull;
    want.userdata = mixer_.get();
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (device_ == 0) return false;
    SDL_PauseAudioDevice(device_, 0);
    return true;
  }
  ~SdlAudio() override {
    if (device_ != 0) SDL_CloseAudioDevice(device_);
  }

 private:
  static void Pull(void* mixer, Uint8* stream, int bytes) {
    static_cast<Mixer*>(mixer)->Render(reinterpret_cast<float*>(stream),
                                       bytes / static_cast<int>(2 * sizeof(float)));
  }
  SDL_AudioDeviceID device_ = 0;
};

int64_t SdlClock(void*) {
  return SystemMilliseconds();
}

#if !defined(_WIN32) && !defined(__APPLE__)
// The home folder of the account the game runs as, from the password database; "" if none.
std::string PasswordHome() {
  long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(static_cast<size_t>(size > 0 ? size : 16384));
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found ||
      !found->pw_dir) {
    return std::string();
  }
  return found->pw_dir;
}
#endif

}  // namespace

int64_t SystemMilliseconds() {
  // The system's monotonic clock counts from the system's start, not from this program's:
  // the random generator is seeded from it, and a count from program start would give every
  // launch one of a few dozen seeds (and the same first cut).
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

AudioOutput& SdlPlatform::Audio() {
  if (!audio_) {
    auto device = std::make_unique<SdlAudio>();
    if (device->Open()) {
      audio_ = std::move(device);
    } else {
      SDL_Log("No sound device (%s); sounds play silently", SDL_GetError());
      audio_ = std::make_unique<ClockDrivenAudio>(&SdlClock, nullptr);
    }
  }
  return *audio_;
}

std::string SystemAppDataPath() {
  auto env = [](const char* name) -> std::string {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
  };
#if defined(_WIN32)
  return env("APPDATA");
#elif defined(__APPLE__)
  const std::string home = env("HOME");
  return home.empty() ? std::string() : home + "/Library/Application Support";
#else
  // Trailing separators go; the file-system root itself is no per-user folder (the game then
  // keeps nothing rather than filling the root).
  auto folder = [](std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path.size() > 1 && path.front() == '/' ? path : std::string();
  };
  if (const std::string xdg = folder(env("XDG_DATA_HOME")); !xdg.empty()) return xdg;
  std::string home = folder(env("HOME"));
  if (home.empty()) home = folder(PasswordHome());  // HOME unset: the account's home folder
  return home.empty() ? std::string() : home + "/.local/share";
#endif
}

}  // namespace orvela
