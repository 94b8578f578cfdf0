// TMessageWindow, the yes/no question.
#include "play/message_window.h"

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
  menu = std::make_shared<TMenu>();
  img = TImage::Load("gfx/gui/messageWindow.png", -1);
  x = 200;
  y = 200;
  const std::vector<int> frames = {0, 1};
  menu->AddItem(CreateAnimButton(
      1, "gfx/gui/ustawienia/ok.png", frames,
      CreateDim(static_cast<float>(x + 280), static_cast<float>(y + 135), 0, 0, 0, 1, 1, 0), 1));
  menu->AddItem(CreateAnimButton(
      2, "gfx/gui/p_cancel.png", frames,
      CreateDim(static_cast<float>(x + 90), static_cast<float>(y + 135), 0, 0, 0, 1, 1, 0), 1));
  return 0;
}

int TMessageWindow::draw() {
  SetAlpha(1);
  SetColor(255, 255, 255);
  SetDrawScale(1, 1);
  if (drawBehind) drawBehind();
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
    if (dAlpha == 0 && alpha == 0) wyjdz = 1;
    services_.SoundUpdate();
  }
  return cel;
}

}  // namespace orvela
