// Display and frame services: opening the display, clearing, and paced flipping; the clock.
#include <algorithm>
#include <cstdlib>

#include "engine/context.h"
#include "engine/engine.h"

namespace orvela {

namespace {

// Shows the frame, unless the renderer finds it shows exactly what the screen shows already
// (nothing moved); such a frame still takes the time a vertical-sync wait would have taken.
void Present(EngineContext& e, bool vsync, bool must_show = false) {
  Renderer* renderer = e.platform->GetRenderer();
  if (renderer && !renderer->FinishFrame(must_show)) {
    if (vsync) {
      e.platform->SleepUntil(e.platform->Milliseconds() + 1000 / std::max(1, e.pacing.hertz));
    }
    return;
  }
  e.platform->Present(vsync);
}

// Full screen only: time up to one second of synchronised flips; if three flips in a row each
// take one frame of the given rate (±1 ms), the display's vertical sync paces Flip(-1).
bool MeasureVsync(EngineContext& e, int hertz) {
  if (!e.platform->HasVsync()) return false;
  const int64_t frame = 1000 / hertz;
  const int64_t start = e.platform->Milliseconds();
  int64_t last = start;
  int in_a_row = 0;
  while (e.platform->Milliseconds() - start < 1000) {
    Present(e, true, true);  // every flip really waits for the display
    const int64_t now = e.platform->Milliseconds();
    const int64_t took = now - last;
    last = now;
    in_a_row = (took >= frame - 1 && took <= frame + 1) ? in_a_row + 1 : 0;
    if (in_a_row == 3) return true;
  }
  return false;
}

}  // namespace

void AppTitle(const std::string& title) {
  EngineContext& e = Engine();
  e.window_title = title;
  e.platform->SetTitle(title);
}

int OpenGraphics(int width, int height, int depth, int hertz, int /*flags*/) {
  EngineContext& e = Engine();
  DisplayMode mode;
  mode.width = width;
  mode.height = height;
  mode.fullscreen = depth != 0;
  mode.title = e.window_title;
  if (!e.platform->OpenDisplay(mode)) return 0;
  e.display_open = true;
  e.draw = DrawState{};
  e.pacing = PacingState{};
  e.pacing.hertz = hertz > 0 ? hertz : 60;
  if (mode.fullscreen) {
    Cls();
    e.pacing.use_vsync = MeasureVsync(e, e.pacing.hertz);
    e.platform->WarpMouse(width / 2, height / 2);
  }
  e.pacing.target = e.platform->Milliseconds();
  return 1;
}

int GraphicsWidth() {
  Renderer* renderer = CurrentRenderer();
  return renderer ? renderer->Width() : 0;
}

int GraphicsHeight() {
  Renderer* renderer = CurrentRenderer();
  return renderer ? renderer->Height() : 0;
}

void Cls() {
  if (Renderer* renderer = CurrentRenderer()) renderer->Clear();
}

void Flip(int sync) {
  EngineContext& e = Engine();
  if (!e.display_open) return;
  if (sync != -1) {
    Present(e, sync > 0);
    return;
  }
  PacingState& pacing = e.pacing;
  if (pacing.use_vsync) {
    Present(e, true);
    return;
  }
  // The target advances by the whole part of 1000 / hertz, plus one millisecond for as many
  // calls per second as the remainder says, so that hertz calls advance exactly 1000 ms.
  int64_t step = 1000 / pacing.hertz;
  pacing.remainder_acc += 1000 % pacing.hertz;
  if (pacing.remainder_acc >= pacing.hertz) {
    pacing.remainder_acc -= pacing.hertz;
    step += 1;
  }
  pacing.target += step;
  const int64_t now = e.platform->Milliseconds();
  if (pacing.target < now) {
    pacing.target = now;  // late: no catching up
  } else {
    e.platform->SleepUntil(pacing.target);
  }
  Present(e, false);
}

int MilliClock() {
  return static_cast<int>(static_cast<uint32_t>(Engine().platform->Milliseconds()));
}

void Delay(int milliseconds) {
  EngineContext& e = Engine();
  if (milliseconds > 0) e.platform->SleepUntil(e.platform->Milliseconds() + milliseconds);
}

void PollSystem() {
  EngineContext& e = Engine();
  e.platform->PumpEvents(e.input);
  e.platform->Audio().Update();
  if (e.input.quit_requested) {
    e.input.quit_requested = false;
    throw QuitRequested{};
  }
}

}  // namespace orvela
