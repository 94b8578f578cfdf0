// The common steps of every screen loop.
#include "ui/screen_loop.h"

#include <cmath>

#include "engine/engine.h"
#include "ui/delta_time.h"
#include "ui/mouse.h"

namespace orvela {

float ScreenLoop::MeasureFrame() const {
  timer_.Update();
  const float factor = fixed_factor_ ? *fixed_factor_ : timer_.CurrDelta();
  SetFrameFactor(factor);
  return factor;
}

float ScreenLoop::BeginFrame() const {
  Cls();
  const float factor = MeasureFrame();
  if (mouse_) mouse_->fetchState();
  return factor;
}

void ScreenLoop::ShowFrame() const {
  if (mouse_) mouse_->Draw();
  Flip(-1);
}

void ScreenLoop::WarmUp() const {
  for (int i = 0; i < 11; ++i) MeasureFrame();
}

namespace {
RunningScreen* innermost = nullptr;
}

RunningScreen::RunningScreen(const char* name) : name_(name), outer_(innermost) {
  innermost = this;
  DiscardKeyPresses();
}

RunningScreen::~RunningScreen() {
  innermost = outer_;
  DiscardKeyPresses();
}

const char* RunningScreen::Current() {
  return innermost ? innermost->name_ : "";
}

void ApproachTarget(float& value, float target, float step) {
  if (value < target) {
    value += step;
    if (value > target) value = target;
  }
  if (value > target) {
    value -= step;
    if (value < target) value = target;
  }
  if (std::fabs(value - target) < 1e-6f) value = target;
}

}  // namespace orvela
