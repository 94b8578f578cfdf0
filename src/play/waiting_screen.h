// The waiting screen shown while a picture is cut: a background, the turning clock, and the
// music kept playing; the cutter drives it through its CutProgress interface.
#pragma once

#include <functional>
#include <memory>

#include "construction/cutter.h"
#include "engine/image.h"
#include "play/waiting_clock.h"
#include "ui/delta_time.h"

namespace orvela {

class WaitingScreen : public CutProgress {
 public:
  // measure_frame sets the frame factor for a frame (null: the screen's own frame timer);
  // sound_update lets events in and feeds the music (null: events only).
  WaitingScreen(ImageRef background, std::shared_ptr<TZegar> clock,
                std::function<void()> measure_frame, std::function<void()> sound_update);

  void Start() override;
  void Pulse() override;  // at most once a millisecond
  void Update() override;
  void Draw() override;

 private:
  ImageRef background_;
  std::shared_ptr<TZegar> clock_;
  std::function<void()> measure_frame_;
  std::function<void()> sound_update_;
  TDeltaTime own_timer_;
  int last_pulse_ = 0;
};

}  // namespace orvela
