// The waiting screen.
#include "play/waiting_screen.h"

#include "engine/engine.h"
#include "ui/screen_loop.h"

namespace orvela {

WaitingScreen::WaitingScreen(ImageRef background, std::shared_ptr<TZegar> clock,
                             std::shared_ptr<TDeltaTime> timer, std::optional<float> fixed_factor,
                             std::function<void()> sound_update)
    : background_(std::move(background)),
      clock_(std::move(clock)),
      timer_(std::move(timer)),
      fixed_factor_(fixed_factor),
      sound_update_(std::move(sound_update)) {
  if (!timer_) timer_ = TDeltaTime::Create(60);
  last_pulse_ = MilliClock() - 1;
}

void WaitingScreen::Start() {
  // The frame timer measures from now, so that the first frame is not the whole time since
  // the program started (or since the last screen's frame).
  timer_->OldTime = MilliClock();
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
  ScreenLoop(*timer_, nullptr, fixed_factor_).MeasureFrame();
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
