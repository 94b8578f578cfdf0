// The SDL platform: the window, SDL's events, the sound card, message boxes, the URL opener and
// the system's folders and clock. Its renderer lives in sdl_renderer.cpp.
#include "engine/platform/sdl/sdl_platform.h"

#include <SDL.h>
#if !defined(_WIN32) && !defined(__APPLE__)
#include <pwd.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "engine/platform/sdl/sdl_renderer.h"
#include "engine/render/frame_recorder.h"
#include "engine/text/utf8.h"

namespace orvela {

namespace {

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

SdlPlatform::SdlPlatform(std::string device_folder) : device_folder_(std::move(device_folder)) {
  SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
  SDL_SetHint(SDL_HINT_VIDEO_HIGHDPI_DISABLED, "0");
  if (SDL_Init(SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
    SDL_Log("SDL could not start: %s", SDL_GetError());
  }
}

SdlPlatform::~SdlPlatform() {
  audio_.reset();
  recorder_.reset();
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

namespace {

// Video drivers that show a window's own pixels without a GPU renderer of SDL's.
bool PresentsWindowPixels(const std::string& driver) {
  return SameAsciiName(driver, "x11") || SameAsciiName(driver, "offscreen");
}

}  // namespace

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
    // SDL's software renderer draws into the window's pixels; by default SDL then shows them
    // through a GPU renderer of its own, which on a machine without a working graphics driver
    // loads a software GL (tens of MB and its shader compiler) and redraws the whole window
    // on it every frame. Where the video driver puts a window's pixels on screen itself, that
    // detour is left out (an SDL_FRAMEBUFFER_ACCELERATION in the environment still decides).
    if (PresentsWindowPixels(driver)) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
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
    SDL_Renderer* renderer = CreateWindowRenderer(window_, GpuDevicePresent(device_folder_));
    if (!renderer) {
      SDL_Log("No renderer: %s", SDL_GetError());
      SDL_DestroyWindow(window_);
      window_ = nullptr;
      return false;
    }
    renderer_ = std::make_unique<SdlRenderer>(renderer, mode.width, mode.height);
    recorder_ = std::make_unique<FrameRecorder>(*renderer_);
    SDL_StartTextInput();
    return true;
  }
  // Switching the open window keeps its renderer, so every texture stays valid.
  renderer_->Flush();
  SDL_SetWindowFullscreen(window_, fullscreen);
  if (!mode.fullscreen) SDL_SetWindowSize(window_, mode.width, mode.height);
  renderer_->SetLogicalSize(mode.width, mode.height);
  recorder_->Invalidate();
  return true;
}

std::string SdlPlatform::RenderDriver() const {
  return renderer_ ? renderer_->DriverName() : std::string();
}

Renderer* SdlPlatform::GetRenderer() {
  return recorder_.get();
}

void SdlPlatform::Present(bool vsync) {
  if (renderer_) renderer_->Present(vsync);
}

void SdlPlatform::WarpMouse(int x, int y) {
  if (!window_ || !renderer_) return;
  const PointerScale pointer = Pointer();
  SDL_WarpMouseInWindow(window_, static_cast<int>(OutputX(pointer.fit, x) / pointer.ratio_x),
                        static_cast<int>(OutputY(pointer.fit, y) / pointer.ratio_y));
}

SdlPlatform::PointerScale SdlPlatform::Pointer() const {
  PointerScale pointer;
  if (!window_ || !renderer_) return pointer;
  pointer.fit = renderer_->CurrentFit();
  // Events come in window points; on a high-density display a point is several pixels.
  int window_w = 0, window_h = 0, output_w = 0, output_h = 0;
  SDL_GetWindowSize(window_, &window_w, &window_h);
  renderer_->OutputSize(output_w, output_h);
  if (window_w > 0 && window_h > 0 && output_w > 0 && output_h > 0) {
    pointer.ratio_x = static_cast<float>(output_w) / static_cast<float>(window_w);
    pointer.ratio_y = static_cast<float>(output_h) / static_cast<float>(window_h);
  }
  return pointer;
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
  // Window points to canvas pixels, through the letterboxed scale of the window as it is.
  const PointerScale pointer = Pointer();
  const auto move = [&](int x, int y) {
    sink.OnMouseMove(CanvasPixelX(pointer.fit, static_cast<float>(x) * pointer.ratio_x),
                     CanvasPixelY(pointer.fit, static_cast<float>(y) * pointer.ratio_y));
  };
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
        move(event.motion.x, event.motion.y);
        break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
        move(event.button.x, event.button.y);
        if (const int button = EngineButton(event.button.button)) {
          sink.OnMouseButton(button, event.type == SDL_MOUSEBUTTONDOWN);
        }
        break;
      case SDL_WINDOWEVENT:
        switch (event.window.event) {
          case SDL_WINDOWEVENT_FOCUS_LOST:
          case SDL_WINDOWEVENT_MINIMIZED:
          case SDL_WINDOWEVENT_HIDDEN:
            sink.OnFocusChange(false);
            break;
          case SDL_WINDOWEVENT_FOCUS_GAINED:
            sink.OnFocusChange(true);
            break;
          default:
            break;
        }
        // The window's picture may have to be drawn again even where nothing moved.
        if (recorder_) recorder_->Invalidate();
        break;
      case SDL_RENDER_TARGETS_RESET:
      case SDL_RENDER_DEVICE_RESET:
        if (recorder_) recorder_->Invalidate();
        break;
      default:
        break;
    }
  }
}

void SdlPlatform::ShowMessage(const std::string& text, bool serious) {
  // Where no message box can be shown (no desktop, SDL's offscreen driver) the message goes
  // to the standard error stream rather than nowhere.
  if (SDL_ShowSimpleMessageBox(serious ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION,
                               title_.c_str(), text.c_str(), window_) != 0) {
    std::fprintf(stderr, "%s: %s\n", title_.empty() ? "Orvela Puzzle Game" : title_.c_str(),
                 text.c_str());
  }
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
