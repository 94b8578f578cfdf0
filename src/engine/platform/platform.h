// The whole operating-system boundary of the engine: window and renderer, clock and sleep,
// input events, message box, web addresses, the per-user folder and sound output.
// Two implementations stand side by side: SdlPlatform (the game) and HeadlessPlatform (tests
// and tools: offscreen renderer, virtual clock, scripted input, recorded messages).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/audio/audio.h"
#include "engine/render/renderer.h"

namespace orvela {

// Receives the platform's events; the engine's input state implements it.
class InputSink {
 public:
  virtual ~InputSink() = default;
  virtual void OnKey(int key_code, bool down, bool repeat) = 0;  // virtual-key codes
  virtual void OnChar(char32_t character) = 0;
  virtual void OnMouseButton(int button, bool down) = 0;  // 1 left, 2 right, 3 middle
  virtual void OnMouseMove(int x, int y) = 0;             // canvas pixels
  // The window went out of the player's view (it lost the focus, or was minimised or hidden:
  // in_front false) or came back (in_front true).
  virtual void OnFocusChange(bool in_front) = 0;
  virtual void OnQuitRequest() = 0;  // the player closed the window
};

struct DisplayMode {
  int width = 800;
  int height = 600;
  bool fullscreen = false;
  std::string title;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Opens the display, or switches the open one to the new mode. False when it failed.
  virtual bool OpenDisplay(const DisplayMode& mode) = 0;
  // The renderer of the open display; null before the first OpenDisplay.
  virtual Renderer* GetRenderer() = 0;
  // Shows the finished frame; vsync = wait for the display's vertical blank.
  virtual void Present(bool vsync) = 0;
  // True when Present(true) really waits for the display (false for offscreen canvases).
  virtual bool HasVsync() const = 0;
  virtual void WarpMouse(int x, int y) = 0;
  virtual void ShowCursor(bool visible) = 0;  // the system's pointer over the window
  virtual void SetTitle(const std::string& title) = 0;

  virtual int64_t Milliseconds() = 0;
  // Returns at or after the given Milliseconds() time; at once when it has passed.
  virtual void SleepUntil(int64_t milliseconds) = 0;

  virtual void PumpEvents(InputSink& sink) = 0;

  virtual void ShowMessage(const std::string& text, bool serious) = 0;
  virtual void OpenUrl(const std::string& address) = 0;
  // The per-user application-data folder (no trailing separator), or "" when unknown.
  virtual std::string AppDataPath() = 0;

  // Sound output; a platform without a sound device gives one that follows the clock.
  virtual AudioOutput& Audio() = 0;
};

}  // namespace orvela
