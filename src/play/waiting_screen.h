// The waiting screen shown while a picture is cut: a background, the turning clock, and the
// music kept playing; the cutter drives it through its CutProgress interface.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "construction/cutter.h"
#include "engine/image/image.h"
#include "play/waiting_clock.h"
#include "ui/delta_time.h"

namespace orvela {

class WaitingScreen : public CutProgress {
 public:
  // timer measures the frames (null: a meter of the screen's own), fixed_factor replaces the
  // measured factor when set; sound_update lets events in and feeds the music (null: events
  // only).
  WaitingScreen(ImageRef background, std::shared_ptr<TZegar> clock,
                std::shared_ptr<TDeltaTime> timer, std::optional<float> fixed_factor,
                std::function<void()> sound_update);

  void Start() override;
  void Pulse() override;  // at most once a millisecond
  void Update() override;
  void Draw() override;

 private:
  ImageRef background_;
  std::shared_ptr<TZegar> clock_;
  std::shared_ptr<TDeltaTime> timer_;
  std::optional<float> fixed_factor_;
  std::function<void()> sound_update_;
  int last_pulse_ = 0;
};

}  // namespace orvela
