// The shape every screen loop shares. A frame starts by clearing the back buffer, measuring
// the frame factor on the screen's frame-time meter and reading the mouse; it ends by drawing
// the cursor and showing the frame. Animated values step toward their targets by a step
// scaled by the frame factor. Everything here reads only the toolkit and the engine.
#pragma once

#include <optional>

namespace orvela {

class TDeltaTime;
class TMouse;

// The frame-time meter and the mouse a screen loop reads. A fixed factor, when set, replaces
// the measured one (deterministic runs of tests and tools).
class ScreenLoop {
 public:
  ScreenLoop(TDeltaTime& timer, TMouse* mouse, std::optional<float> fixed_factor = {})
      : timer_(timer), mouse_(mouse), fixed_factor_(fixed_factor) {}

  // Updates the meter and stores this frame's factor (the fixed one when set); returns it.
  float MeasureFrame() const;
  // Cls; MeasureFrame; the mouse's fetchState. Returns the frame factor.
  float BeginFrame() const;
  // The mouse's cursor, then Flip(-1).
  void ShowFrame() const;
  // Eleven rounds of MeasureFrame, so that the first real frame of a screen does not count the
  // time spent loading before it.
  void WarmUp() const;

  TMouse* mouse() const { return mouse_; }

 private:
  TDeltaTime& timer_;
  TMouse* mouse_;
  std::optional<float> fixed_factor_;
};

// Names the screen whose loop is running while this object lives; loops nest (the settings
// window over the play screen), and the innermost one is the running screen. Tools and tests
// ask which screen the player is looking at. Every screen loop starts and ends with no key
// press pending: a key pressed in one screen and not read there (a screen that reads no
// keys, or the last frames of a fade) is never acted on by the next screen or by the screen
// underneath a nested one.
class RunningScreen {
 public:
  explicit RunningScreen(const char* name);
  ~RunningScreen();
  RunningScreen(const RunningScreen&) = delete;
  RunningScreen& operator=(const RunningScreen&) = delete;

  // The innermost running screen's name, or "" when no screen loop runs.
  static const char* Current();

 private:
  const char* name_;
  RunningScreen* outer_;
};

// Moves value toward target by step and stops exactly at the target, from below and above.
// A value left within a millionth of the target by float rounding (0.05 steps up and down do
// not sum to exactly 0) lands on it, so a fade that comes back ends at exactly its start.
void ApproachTarget(float& value, float target, float step);

}  // namespace orvela
