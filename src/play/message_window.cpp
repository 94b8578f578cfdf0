// TMessageWindow, the yes/no question.
#include "play/message_window.h"

#include <utility>
#include <vector>

#include "engine/engine.h"
#include "play/play_services.h"
#include "ui/delta_time.h"
#include "ui/dim.h"
#include "ui/mouse.h"
#include "ui/paragraph.h"
#include "ui/screen_loop.h"

namespace orvela {

int TMessageWindow::setup() {
  img = TImage::Load("gfx/gui/messageWindow.png", -1);
  x = 200;
  y = 200;
  menu = makeButtons("gfx/gui/ustawienia/ok.png", "gfx/gui/p_cancel.png");
  return 0;
}

MenuRef TMessageWindow::makeButtons(const std::string& yes_image,
                                    const std::string& no_image) const {
  auto buttons = std::make_shared<TMenu>();
  const std::vector<int> frames = {0, 1};
  buttons->AddItem(CreateAnimButton(
      1, yes_image, frames,
      CreateDim(static_cast<float>(x + 280), static_cast<float>(y + 135), 0, 0, 0, 1, 1, 0), 1));
  buttons->AddItem(CreateAnimButton(
      2, no_image, frames,
      CreateDim(static_cast<float>(x + 90), static_cast<float>(y + 135), 0, 0, 0, 1, 1, 0), 1));
  return buttons;
}

int TMessageWindow::ask(const std::string& text, const MenuRef& buttons, const Backdrop& behind) {
  // The sort-up question's parts come back however the loop ends (closing the window ends it
  // by an exception).
  struct Restore {
    TMessageWindow& window;
    MenuRef menu;
    std::string txt;
    Backdrop behind;
    ~Restore() {
      window.menu = std::move(menu);
      window.txt = std::move(txt);
      window.drawBehind = std::move(behind);
    }
  } restore{*this, menu, txt, drawBehind};
  menu = buttons;
  txt = text;
  drawBehind = behind;
  const int answer = mainLoop();
  return escaped ? kClosed : answer;
}

int TMessageWindow::draw() {
  DrawBackdrop(drawBehind);
  SetDrawScale(1, 1);
  SetAlpha(alpha);
  SetColor(255, 255, 255);
  DrawImageFrame(img, static_cast<float>(x), static_cast<float>(y), 0);
  const FontRef font = services_.Font(FontSize::kSmall);
  SetDrawFont(font);
  DrawParagraph(txt, x + 50, y + 50, 325, "JUSTIFY", 0, font, 1);
  menu->Draw(1);
  return 0;
}

int TMessageWindow::update() {
  ApproachTarget(alpha, dAlpha, 0.05f * FrameFactor());
  return 0;
}

int TMessageWindow::setMessage(int) {
  txt = "Are you sure you want to sort up puzzels ?";
  return 0;
}

int TMessageWindow::setupLoop() {
  wyjdz = 0;
  alpha = 0;
  dAlpha = 1;
  cel = 0;
  escaped = 0;
  services_.Play(PlaySound::kBad);
  return 0;
}

int TMessageWindow::mainLoop() {
  RunningScreen running("message");
  setupLoop();
  const ScreenLoop loop = services_.Loop();
  while (wyjdz == 0) {
    // The buttons read the mouse as the last frame left it, before this frame's is fetched.
    Cls();
    loop.MeasureFrame();
    const int answer = menu->State();
    update();
    if (loop.mouse()) loop.mouse()->fetchState();
    draw();
    loop.ShowFrame();
    if (answer == 1) dAlpha = 0, cel = 1;
    if (answer == 2) dAlpha = 0, cel = 0;
    // Escape closes an unanswered question: Cancel for the sort-up question; ask tells it
    // apart from both answers.
    if (KeyHits(KEY_ESCAPE) && dAlpha == 1) dAlpha = 0, cel = 0, escaped = 1;
    if (dAlpha == 0 && alpha == 0) wyjdz = 1;
    services_.SoundUpdate();
  }
  return cel;
}

}  // namespace orvela
