// The headless platform: the SDL platform's twin for tests and tools. It draws through the
// offscreen software renderer (no display needed), keeps a virtual millisecond clock that only
// sleeping advances (so Flip(-1) moves it exactly as the pacing rule says and runs are fast and
// deterministic), takes scripted input, and records message boxes and opened web addresses.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/platform/platform.h"
#include "engine/render/software_renderer.h"

namespace orvela {

class HeadlessPlatform : public Platform {
 public:
  HeadlessPlatform();
  ~HeadlessPlatform() override;

  // ---- Test and tool controls ----
  void SetAppDataPath(const std::string& path) { app_data_ = path; }
  void SetClock(int64_t milliseconds) { now_ = milliseconds; }
  void AdvanceClock(int64_t milliseconds) { now_ += milliseconds; }
  // Draw through a renderer that records nothing (for measuring the cost of issuing draws, and
  // for long test runs that look at no pixels), or (false) through the software canvas again.
  // Takes effect when the display is next opened.
  void UseNullRenderer(bool on = true) { use_null_ = on; }

  // Input delivered at the next event pump, in the order queued.
  void QueueMouseMove(int x, int y);
  void QueueMouseButton(int button, bool down);
  void QueueKey(int key_code, bool down);
  void QueueChar(char32_t character);
  // The window loses the focus (false) or gets it back (true).
  void QueueFocusChange(bool in_front = false);
  void QueueQuit();

  // Called after every presented frame (the runner plays its script from here).
  void SetPresentHook(std::function<void()> hook) { present_hook_ = std::move(hook); }
  // Called for every message box and web address as it is recorded.
  void SetMessageHook(std::function<void(const std::string&)> hook) {
    message_hook_ = std::move(hook);
  }
  void SetUrlHook(std::function<void(const std::string&)> hook) { url_hook_ = std::move(hook); }

  const std::vector<std::string>& Messages() const { return messages_; }
  const std::vector<std::string>& Urls() const { return urls_; }
  int64_t Presents() const { return presents_; }
  bool Fullscreen() const { return mode_.fullscreen; }
  const std::string& Title() const { return title_; }
  bool CursorVisible() const { return cursor_visible_; }
  // The software canvas (null with the null renderer or before the display opened).
  SoftwareRenderer* Software() { return software_.get(); }

  // ---- Platform ----
  bool OpenDisplay(const DisplayMode& mode) override;
  Renderer* GetRenderer() override;
  void Present(bool vsync) override;
  bool HasVsync() const override { return false; }
  void WarpMouse(int x, int y) override;
  void ShowCursor(bool visible) override { cursor_visible_ = visible; }
  void SetTitle(const std::string& title) override { title_ = title; }
  int64_t Milliseconds() override { return now_; }
  void SleepUntil(int64_t milliseconds) override;
  void PumpEvents(InputSink& sink) override;
  void ShowMessage(const std::string& text, bool serious) override;
  void OpenUrl(const std::string& address) override;
  std::string AppDataPath() override { return app_data_; }
  AudioOutput& Audio() override { return audio_; }
  // The headless sound output: follows the virtual clock, or renders by hand in manual mode.
  ClockDrivenAudio& HeadlessAudio() { return audio_; }

 private:
  struct Event {
    enum Kind { kMove, kButton, kKey, kChar, kFocus, kQuit } kind;
    int a = 0, b = 0;
  };

  std::unique_ptr<SoftwareRenderer> software_;
  std::unique_ptr<NullRenderer> null_;
  bool use_null_ = false;
  bool cursor_visible_ = true;
  DisplayMode mode_;
  std::string title_;
  std::string app_data_;
  int64_t now_ = 0;
  int64_t presents_ = 0;
  std::vector<Event> events_;
  std::vector<std::string> messages_;
  std::vector<std::string> urls_;
  std::function<void()> present_hook_;
  std::function<void(const std::string&)> message_hook_;
  std::function<void(const std::string&)> url_hook_;
  ClockDrivenAudio audio_{[](void* self) { return static_cast<HeadlessPlatform*>(self)->now_; },
                          this};
};

}  // namespace orvela
