// The current engine context and the input state fed by platform events.
#include "engine/context.h"

#include <cstdio>
#include <cstdlib>

namespace orvela {

namespace {
EngineContext* current = nullptr;
}

EngineContext::EngineContext(std::unique_ptr<Platform> p) : platform(std::move(p)) {}
EngineContext::~EngineContext() = default;

EngineContext& Engine() {
  if (current == nullptr) {
    std::fputs("orvela: an engine service was used before a platform was installed\n", stderr);
    std::abort();
  }
  return *current;
}

bool EngineInstalled() {
  return current != nullptr;
}

Renderer* CurrentRenderer() {
  if (current == nullptr || !current->display_open) return nullptr;
  return current->platform->GetRenderer();
}

EngineScope::EngineScope(std::unique_ptr<Platform> platform)
    : context_(std::make_unique<EngineContext>(std::move(platform))), previous_(current) {
  current = context_.get();
}

EngineScope::~EngineScope() {
  current = previous_;
}

void InputState::OnKey(int key_code, bool down, bool repeat) {
  if (key_code < 0 || key_code >= kKeys) return;
  if (down) {
    // A key counts once per press: repeats while held, or a second "down" without an "up",
    // do not count again.
    if (!repeat && !key_down[key_code]) ++key_hits[key_code];
    key_down[key_code] = true;
  } else {
    key_down[key_code] = false;
  }
}

void InputState::OnChar(char32_t character) {
  if (chars.size() < kCharQueue) chars.push_back(character);
}

void InputState::OnMouseButton(int button, bool down) {
  if (button < 1 || button >= kButtons) return;
  if (down && !mouse_down[button]) ++mouse_hits[button];
  mouse_down[button] = down;
}

void InputState::OnMouseMove(int x, int y) {
  mouse_x = x;
  mouse_y = y;
}

void InputState::OnFocusChange(bool now_in_front) {
  ClearAll();
  // A minimised window also loses the focus: the two events are one loss.
  if (in_front && !now_in_front) ++focus_losses;
  in_front = now_in_front;
}

void InputState::OnQuitRequest() {
  quit_requested = true;
}

void InputState::ClearAll() {
  key_hits.fill(0);
  key_down.fill(false);
  mouse_hits.fill(0);
  mouse_down.fill(false);
  chars.clear();
}

}  // namespace orvela
