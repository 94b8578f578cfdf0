// TDeltaTime: the frame-time meter. Once per frame Update measures the milliseconds since the
// last frame; CurrDelta turns them into the frame factor (1.0 at the target frame rate) that
// every animation scales its steps by. It also counts frames per second.
#pragma once

#include <memory>
#include <vector>

#include "engine/object.h"

namespace orvela {

class TDeltaTime : public TObject {
 public:
  TDeltaTime();
  ~TDeltaTime() override;
  TDeltaTime(const TDeltaTime&) = delete;
  TDeltaTime& operator=(const TDeltaTime&) = delete;

  static std::shared_ptr<TDeltaTime> Create(float fps);

  int OldTime = 0;      // milliseconds of the previous Update
  int ElapsedTime = 0;  // milliseconds between the last two Updates
  float dFps = 0;       // target frames per second
  float dDelta = 0;     // milliseconds per target frame
  int CurrFps = 0;      // frames counted in the last whole second
  int FPSCounter = 0;   // frames counted in the current second
  int CurrTime = 0;     // milliseconds at the last Update
  int CheckTime = 0;    // when the current counting second ends

  // Takes the meter off the class-wide list (the destructor does so too).
  void Destroy();
  void Update();
  int FPS() const { return CurrFps; }
  float CurrDelta() const { return static_cast<float>(ElapsedTime) / dDelta; }
  void SetFPS(float fps);

  // Every live meter, in construction order.
  static const std::vector<TDeltaTime*>& Instances();

 private:
  bool listed_ = false;
};

// The frame factor: the duration of the last frame in units of 1/60 s (1.0 at 60 frames a
// second). Every screen loop writes it once per frame from its TDeltaTime; every animation
// scales its per-frame steps by it.
float FrameFactor();
void SetFrameFactor(float factor);

}  // namespace orvela
