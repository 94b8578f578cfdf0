// The SDL platform: a real window with SDL's GPU renderer (SDL's software renderer where no
// accelerated one can be made or its GL draws on the CPU; see CreateWindowRenderer) behind a frame
// recorder (unchanged frames are not drawn again), the canvas scaled to the window and letterboxed,
// desktop full screen, SDL's event queue, message boxes and URL opener.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/platform/canvas_fit.h"
#include "engine/platform/platform.h"

struct SDL_Window;

namespace orvela {

class FrameRecorder;
class SdlRenderer;

class SdlPlatform : public Platform {
 public:
  // `device_folder` is where the machine's devices are looked for when the renderer is chosen
  // (GpuDevicePresent); the backend's tests and benchmarks point it elsewhere.
  explicit SdlPlatform(std::string device_folder = "/dev");
  ~SdlPlatform() override;
  SdlPlatform(const SdlPlatform&) = delete;
  SdlPlatform& operator=(const SdlPlatform&) = delete;

  bool OpenDisplay(const DisplayMode& mode) override;
  Renderer* GetRenderer() override;
  void Present(bool vsync) override;
  bool HasVsync() const override { return renderer_ != nullptr; }
  void WarpMouse(int x, int y) override;
  void ShowCursor(bool visible) override;
  void SetTitle(const std::string& title) override;
  int64_t Milliseconds() override;
  void SleepUntil(int64_t milliseconds) override;
  void PumpEvents(InputSink& sink) override;
  void ShowMessage(const std::string& text, bool serious) override;
  void OpenUrl(const std::string& address) override;
  std::string AppDataPath() override;
  AudioOutput& Audio() override;

  // The window (null before the first OpenDisplay), for the SDL backend's own tests.
  SDL_Window* Window() const { return window_; }
  // SDL's name for the render driver drawing the window ("" before the first OpenDisplay).
  std::string RenderDriver() const;

 private:
  // How window points map to canvas pixels just now.
  struct PointerScale {
    CanvasFit fit;
    float ratio_x = 1, ratio_y = 1;  // output pixels per window point
  };
  PointerScale Pointer() const;

  SDL_Window* window_ = nullptr;
  std::unique_ptr<SdlRenderer> renderer_;
  // In front of renderer_: a frame that shows what the window shows is not drawn again.
  std::unique_ptr<FrameRecorder> recorder_;
  std::unique_ptr<AudioOutput> audio_;
  bool video_ready_ = false;
  std::string title_;
  std::string device_folder_;
};

// The per-user application-data folder of this operating system (no trailing separator):
// $XDG_DATA_HOME or ~/.local/share on Linux (the home folder from the password database when
// HOME is unset), %APPDATA% on Windows, ~/Library/Application Support on macOS; "" when it
// cannot be found, never a folder right at the file-system root.
std::string SystemAppDataPath();

// The system's millisecond clock: milliseconds since the system started (monotonic).
int64_t SystemMilliseconds();

// Whether the game may draw through this SDL video driver. Without a display SDL falls back
// to its offscreen or dummy driver and the game would run unseen; those two are taken only
// when `asked` (SDL's own SDL_VIDEODRIVER setting, one name or several separated by commas)
// names them.
bool UsableVideoDriver(const std::string& driver, const std::string& asked);

}  // namespace orvela
