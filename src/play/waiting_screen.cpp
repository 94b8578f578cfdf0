// The waiting screen.
#include "play/waiting_screen.h"

#include "engine/engine.h"

namespace orvela {

WaitingScreen::WaitingScreen(ImageRef background, std::shared_ptr<TZegar> clock,
                             std::function<void()> measure_frame,
                             std::function<void()> sound_update)
    : background_(std::move(background)),
      clock_(std::move(clock)),
      measure_frame_(std::move(measure_frame)),
      sound_update_(std::move(sound_update)) {
  own_timer_.SetFPS(60);
  last_pulse_ = MilliClock() - 1;
}

void WaitingScreen::Start() {
  // The screen's own frame timer measures from now, so that its first frame is not the whole
  // time since the program started.
  own_timer_.OldTime = MilliClock();
  if (clock_) clock_->start();
}

void WaitingScreen::Pulse() {
  const int now = MilliClock();
  if (now == last_pulse_) return;
  last_pulse_ = now;
  if (sound_update_) {
    sound_update_();
  } else {
    PollSystem();
  }
}

void WaitingScreen::Update() {
  if (measure_frame_) {
    measure_frame_();
  } else {
    own_timer_.Update();
    SetFrameFactor(own_timer_.CurrDelta());
  }
  if (clock_) clock_->update();
}

void WaitingScreen::Draw() {
  Cls();
  SetBlend(ALPHABLEND);
  SetAlpha(1);
  SetColor(255, 255, 255);
  SetDrawScale(1, 1);
  DrawImageFrame(background_, 0, 0, 0);
  if (clock_) clock_->draw();
  Flip(-1);
}

}  // namespace orvela
