// TPuzzelGame: the time and progress of play. The clock runs only in play and stops while
// paused; P, or the window going out of view, pause the game behind a cover that hides the
// table (so that nobody studies the picture with the clock stopped) until a click or P. The
// bar shows the joins made out of those the puzzle needs on a tab under the clock.
#include <algorithm>
#include <string>

#include "engine/engine.h"
#include "play/play_screen.h"
#include "play/play_services.h"
#include "ui/mouse.h"

namespace orvela {

namespace {

// The bar's clock slot, under which the progress tab hangs, and the bar's height.
constexpr float kTabX = 684, kTabY = 30;
constexpr float kBarHeight = 31;

}  // namespace

void TPuzzelGame::setPlaySeconds(int seconds) {
  playClock.Set(seconds);
  minuty = playSeconds() / 60;
  sekundy = playSeconds() % 60;
}

void TPuzzelGame::timeUpdate() {
  if (_stan == "GRA" && paused == 0) {
    playClock.Run(MilliClock());
  } else {
    playClock.Stop();
  }
  minuty = playSeconds() / 60;
  sekundy = playSeconds() % 60;
}

std::pair<int, int> TPuzzelGame::progress() const {
  const int total = std::max(0, listaPomocnicza.Count() - 1);
  if (_stan == "GRA" && !listaPuzzli.IsEmpty()) {
    return {std::clamp(total - (listaPuzzli.Count() - 1), 0, total), total};
  }
  return {std::clamp(joinsMade_, 0, total), total};
}

void TPuzzelGame::pause() {
  if (_stan != "GRA" || paused == 1) return;
  paused = 1;
  playClock.Stop();
}

void TPuzzelGame::resume() {
  paused = 0;
}

void TPuzzelGame::checkFocus() {
  const int losses = WindowFocusLosses();
  if (losses == focusLossesSeen_) return;
  focusLossesSeen_ = losses;
  pause();
}

bool TPuzzelGame::pauseKeys() {
  const bool p = KeyHits(KEY_P) != 0;
  if (paused == 0) {
    if (p) pause();
    return paused == 1;
  }
  const MouseRef& mouse = GlobalMouse();
  const bool click = mouse && mouse->leftPressed;
  if (p || click) {
    resume();
    // The click that ends the pause picks nothing up and draws no band while it is held.
    waitForRelease_ = click;
  }
  return true;
}

void TPuzzelGame::drawProgress() {
  const auto [made, total] = progress();
  if (total <= 0) return;
  SetBlend(ALPHABLEND);
  SetDrawScale(1, 1);
  SetAlpha(1);
  SetColor(255, 255, 255);
  DrawImageFrame(progressTab_, kTabX, kTabY, 0);
  const float width = progressTab_ ? static_cast<float>(progressTab_->width) : 84;
  const float height = progressTab_ ? static_cast<float>(progressTab_->height) : 20;
  // A gold fill along the tab's foot shows the share made at a glance.
  const float inner = width - 16;
  SetColor(176, 122, 54);
  DrawRect(kTabX + 8, kTabY + height - 7, inner * static_cast<float>(made) / total, 3);
  SetColor(0, 0, 0);
  SetDrawFont(services_.Font(FontSize::kSmall));
  const std::string text = std::to_string(made) + " / " + std::to_string(total);
  DrawString(text, kTabX + (width - static_cast<float>(StringWidth(text))) / 2, kTabY + 2);
  SetColor(255, 255, 255);
}

void TPuzzelGame::drawPause() {
  SetBlend(ALPHABLEND);
  SetDrawScale(1, 1);
  // Dark enough that the picture cannot be studied through it.
  SetColor(20, 10, 16);
  SetAlpha(0.9f);
  DrawRect(0, kBarHeight, 800, 600 - kBarHeight);
  SetAlpha(1);
  SetColor(255, 255, 255);
  if (pauseLabel_) {
    DrawImageFrame(pauseLabel_, static_cast<float>(400 - pauseLabel_->width / 2),
                   static_cast<float>(315 - pauseLabel_->height / 2), 0);
  } else {
    SetDrawFont(services_.Font(FontSize::kMiddle));
    const std::string text = "Paused \xe2\x80\x94 click to go on";
    DrawString(text, static_cast<float>(400 - StringWidth(text) / 2), 305);
  }
}

}  // namespace orvela
