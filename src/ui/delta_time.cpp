// TDeltaTime.
#include "ui/delta_time.h"

#include <algorithm>

#include "engine/engine.h"

namespace orvela {

namespace {
// Not owning: meters add themselves when built and leave when destroyed.
std::vector<TDeltaTime*>& Registry() {
  static std::vector<TDeltaTime*> meters;
  return meters;
}
}  // namespace

TDeltaTime::TDeltaTime() {
  Registry().push_back(this);
  listed_ = true;
}

TDeltaTime::~TDeltaTime() {
  Destroy();
}

void TDeltaTime::Destroy() {
  if (!listed_) return;
  auto& meters = Registry();
  meters.erase(std::remove(meters.begin(), meters.end(), this), meters.end());
  listed_ = false;
}

std::shared_ptr<TDeltaTime> TDeltaTime::Create(float fps) {
  auto meter = std::make_shared<TDeltaTime>();
  meter->SetFPS(fps);
  return meter;
}

void TDeltaTime::SetFPS(float fps) {
  dFps = fps;
  dDelta = 1000.0f / fps;
}

void TDeltaTime::Update() {
  CurrTime = MilliClock();
  ElapsedTime = CurrTime - OldTime;
  OldTime = CurrTime;
  if (CheckTime < CurrTime) {
    CheckTime = CurrTime + 1000;
    CurrFps = FPSCounter;
    FPSCounter = 0;
  } else {
    ++FPSCounter;
  }
}

const std::vector<TDeltaTime*>& TDeltaTime::Instances() {
  return Registry();
}

}  // namespace orvela

namespace orvela {

namespace {
float frame_factor = 1.0f;  // 1 until the first screen loop measures a frame
}  // namespace

float FrameFactor() {
  return frame_factor;
}

void SetFrameFactor(float factor) {
  frame_factor = factor;
}

}  // namespace orvela
