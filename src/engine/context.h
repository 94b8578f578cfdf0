// The engine context: all engine state in one place, with its defaults in plain sight.
// The engine's free functions (SetColor, DrawImageFrame, KeyHits, ...) act on the current
// context, which start-up (the SDL platform) or a test (the headless platform) installs with
// an EngineScope. Only one thread ever touches it.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <set>
#include <string>

#include "engine/platform/platform.h"
#include "engine/text/font.h"

namespace orvela {

// The drawing state; OpenGraphics returns it to these defaults.
struct DrawState {
  int red = 255, green = 255, blue = 255;  // multiplies every drawn pixel
  float alpha = 1;                         // used by blend modes 1 (threshold), 3 and 4
  int blend = 1;                           // see SetBlend
  float scale_x = 1, scale_y = 1;
  float rotation = 0;  // degrees
  FontRef font;        // null = the built-in font
  float origin_x = 0, origin_y = 0;
  float handle_x = 0, handle_y = 0;
  // The scale-and-rotation matrix, kept in step with scale and rotation.
  float ix = 1, iy = 0, jx = 0, jy = 1;
};

// Counters and held states fed by the platform's events.
struct InputState : InputSink {
  static constexpr int kKeys = 256;
  static constexpr int kButtons = 4;  // index 1 left, 2 right, 3 middle
  static constexpr size_t kCharQueue = 256;

  std::array<int, kKeys> key_hits{};
  std::array<bool, kKeys> key_down{};
  std::array<int, kButtons> mouse_hits{};
  std::array<bool, kButtons> mouse_down{};
  std::deque<char32_t> chars;
  int mouse_x = 0, mouse_y = 0;
  bool quit_requested = false;
  bool in_front = true;  // the window has the focus and is not minimised
  int focus_losses = 0;  // how often it went out of the player's view

  void OnKey(int key_code, bool down, bool repeat) override;
  void OnChar(char32_t character) override;
  void OnMouseButton(int button, bool down) override;
  void OnMouseMove(int x, int y) override;
  void OnFocusChange(bool in_front) override;
  void OnQuitRequest() override;
  void ClearAll();
};

// Frame pacing of Flip(-1).
struct PacingState {
  int hertz = 60;
  int64_t target = 0;     // the time the next paced frame is due
  int remainder_acc = 0;  // spreads 1000 mod hertz over the calls of one second
  bool use_vsync = false;
};

struct EngineContext {
  explicit EngineContext(std::unique_ptr<Platform> platform);
  ~EngineContext();
  EngineContext(const EngineContext&) = delete;
  EngineContext& operator=(const EngineContext&) = delete;

  std::unique_ptr<Platform> platform;
  DrawState draw;
  InputState input;
  PacingState pacing;
  std::string window_title;
  bool display_open = false;
  int mask_r = 0, mask_g = 0, mask_b = 0;  // the mask colour of image loading
  int32_t random_state = 4660;             // see engine/random.h
  // Image files the loading helpers have reported as missing or unreadable in this run;
  // each is reported once however often it is asked for.
  std::set<std::string> reported_images;
};

// The installed context; aborts with a clear message when none is installed.
EngineContext& Engine();
bool EngineInstalled();

// Installs a context for its lifetime and restores the previous one afterwards.
class EngineScope {
 public:
  explicit EngineScope(std::unique_ptr<Platform> platform);
  ~EngineScope();
  EngineScope(const EngineScope&) = delete;
  EngineScope& operator=(const EngineScope&) = delete;
  EngineContext& context() { return *context_; }

 private:
  std::unique_ptr<EngineContext> context_;
  EngineContext* previous_;
};

// Thrown out of the event pump when the player closes the window; the program's entry point
// catches it and ends normally.
struct QuitRequested {};

// The current renderer, for code that makes textures (null before OpenGraphics).
Renderer* CurrentRenderer();

}  // namespace orvela
