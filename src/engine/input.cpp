// Polled keyboard and mouse queries. Each query first lets pending events arrive.
#include "engine/context.h"
#include "engine/engine.h"

namespace orvela {

namespace {

InputState& Polled() {
  PollSystem();
  return Engine().input;
}

bool ValidKey(int key) {
  return key >= 0 && key < InputState::kKeys;
}
bool ValidButton(int button) {
  return button >= 1 && button < InputState::kButtons;
}

}  // namespace

int KeyHits(int key) {
  InputState& input = Polled();
  if (!ValidKey(key)) return 0;
  const int hits = input.key_hits[key];
  input.key_hits[key] = 0;
  return hits;
}

int KeyIsDown(int key) {
  InputState& input = Polled();
  return ValidKey(key) && input.key_down[key] ? 1 : 0;
}

int GetChar() {
  InputState& input = Polled();
  if (input.chars.empty()) return 0;
  const char32_t c = input.chars.front();
  input.chars.pop_front();
  return static_cast<int>(c);
}

int MouseHits(int button) {
  InputState& input = Polled();
  if (!ValidButton(button)) return 0;
  const int hits = input.mouse_hits[button];
  input.mouse_hits[button] = 0;
  return hits;
}

int MouseIsDown(int button) {
  InputState& input = Polled();
  return ValidButton(button) && input.mouse_down[button] ? 1 : 0;
}

int WindowFocusLosses() {
  return Polled().focus_losses;
}

int WindowInFront() {
  return Polled().in_front ? 1 : 0;
}

int MouseXPos() {
  return Polled().mouse_x;
}
int MouseYPos() {
  return Polled().mouse_y;
}

void HideMouse() {
  Engine().platform->ShowCursor(false);
}
void ShowMouse() {
  Engine().platform->ShowCursor(true);
}

void FlushKeys() {
  InputState& input = Polled();
  input.key_hits.fill(0);
  input.key_down.fill(false);
  input.chars.clear();
}

void DiscardKeyPresses() {
  // Lets the pending events in without the quit check: this runs as screens end, also while
  // a quit request unwinds them, and a request that arrives now is raised by the next query.
  if (!EngineInstalled()) return;
  EngineContext& e = Engine();
  e.platform->PumpEvents(e.input);
  e.input.key_hits.fill(0);
  e.input.chars.clear();
}

void FlushMouse() {
  InputState& input = Polled();
  input.mouse_hits.fill(0);
  input.mouse_down.fill(false);
}

}  // namespace orvela
