// TPuzzelGame: drawing the play screen. The table, the ghost picture, the bar with its clock,
// the pieces in the play list's order, the carried object on top, the picture fading in at
// the win, the rubber band, the sparks, the information window and the black cover.
#include "engine/engine.h"
#include "play/play_screen.h"
#include "play/play_services.h"
#include "play/spark.h"
#include "ui/mouse.h"

namespace orvela {

namespace {

// A carried group's pieces are numbered from here, above everything on the table.
constexpr int kCarriedOrder = 15000;

bool ShowsInfoWindow(const std::string& state) {
  return state == "WININFO" || state == "ENDINFO" || state == "SHOWIMG-END" ||
         state == "HIDEIMG-END";
}

}  // namespace

void TPuzzelGame::draw() {
  SetColor(255, 255, 255);
  SetAlpha(1);
  const int still = drawStillTable();
  SetAlpha(1);
  rysujBelke();
  if (_stan != "AUTO") {
    drawPuzzels(still);
  } else {
    drawDonePuzzels();
  }
  if (puzel) drawPuzel();
  if (_obrAlpha > 0) drawimg();
  if (xz != -1) {
    SetAlpha(0.3f);
    SetColor(0, 0, 0);
    DrawRect(static_cast<float>(xz), static_cast<float>(yz), static_cast<float>(wz),
             static_cast<float>(hz));
  }
  TSpark::UpdateAll();
  SetBlend(ALPHABLEND);
  SetDrawScale(1, 1);
  drawProgress();
  if (paused == 1) drawPause();
  if (ShowsInfoWindow(_stan)) drawWinInfo();
  SetColor(0, 0, 0);
  SetAlpha(fade);
  SetDrawScale(1, 1);
  DrawRect(0, 0, 800, 600);
  SetColor(255, 255, 255);
  SetAlpha(1);
}

void TPuzzelGame::drawPuzzels(int first, int end) {
  int i = 0, index = 0;
  for (const Ref<TObject>& entry : listaPuzzli) {
    const bool drawn = index >= first && (end < 0 || index < end);
    ++index;
    if (auto piece = std::dynamic_pointer_cast<TPuzel>(entry)) {
      if (drawn) {
        if (entry != puzel) piece->drawShadow(_scale, 0, 0);
        piece->draw(_scale, 0, 0);
      }
      piece->_kolejka = i;
    } else if (auto group = std::dynamic_pointer_cast<TSpasowanePuzle>(entry)) {
      if (drawn) {
        i = group->draw(_scale, i);
      } else {
        for (const Ref<TPuzel>& member : group->listaSpasowanych) member->_kolejka = i++;
      }
    }
    ++i;
  }
}

void TPuzzelGame::drawDonePuzzels() {
  for (const Ref<TObject>& entry : listaPuzzli) {
    if (auto piece = std::dynamic_pointer_cast<TPuzel>(entry)) piece->drawCurve(_scale, 0, 0);
  }
}

void TPuzzelGame::drawPuzel() {
  if (auto piece = std::dynamic_pointer_cast<TPuzel>(puzel)) {
    piece->drawShadow(_scale, 0, 0);
    piece->draw(_scale, 0, 0);
  } else if (auto group = std::dynamic_pointer_cast<TSpasowanePuzle>(puzel)) {
    group->drawShadows(_scale);
    group->draw(_scale, kCarriedOrder);
  }
}

void TPuzzelGame::drawimg() {
  float alpha = _obrAlpha;
  // The picture fades out twice as fast as the information window fades in.
  if (ShowsInfoWindow(_stan)) alpha = 1 - 2 * _infoAlpha;
  if (alpha <= 0) return;
  SetAlpha(alpha);
  SetColor(255, 255, 255);
  SetDrawScale(1, 1);
  DrawImageFrame(obr, static_cast<float>(_obrx), static_cast<float>(_obry), 0);
}

void TPuzzelGame::drawWinInfo() {
  SetDrawScale(1, 1);
  SetAlpha(_infoAlpha);
  SetColor(255, 255, 255);
  DrawImageFrame(infoWin, 190, 150, 0);
  SetDrawFont(services_.Font(FontSize::kSmall));
  const std::string hint = "Click image to see it full size";
  DrawString(hint, static_cast<float>(400 - StringWidth(hint) / 2), 165);
  drawWinTime();
  infoMenu->GetItem(1)->alpha = _infoAlpha;
  infoMenu->Draw(1);
  if (!obr) return;
  SetDrawScale(_imgScale, _imgScale);
  SetColor(0, 0, 0);
  const float w = static_cast<float>(obr->width) * _imgScale;
  const float h = static_cast<float>(obr->height) * _imgScale;
  const int left = static_cast<int>(400 - w / 2), top = static_cast<int>(300 - h / 2);
  DrawImageFrame(obr, static_cast<float>(left) + 5 * _imgScale,
                 static_cast<float>(top) + 5 * _imgScale, 0);
  SetColor(255, 255, 255);
  const MouseRef& mouse = GlobalMouse();
  const float mx = mouse ? static_cast<float>(mouse->x) : -1.0f;
  const float my = mouse ? static_cast<float>(mouse->y) : -1.0f;
  if (mx > static_cast<float>(left) && mx < static_cast<float>(left) + w &&
      my > static_cast<float>(top) && my < static_cast<float>(top) + h) {
    imgOver = 1;
    SetColor(230, 230, 230);
  } else {
    imgOver = 0;
  }
  DrawImageFrame(obr, static_cast<float>(left), static_cast<float>(top), 0);
  SetDrawScale(1, 1);
}

void TPuzzelGame::drawWinTime() {
  if (!winTime.timed) return;
  // Beside the OK button: the time on its left, the best before it (or the badge of a new
  // best) on its right.
  SetColor(255, 255, 255);
  const std::string time = "Time: " + PlayTimeText(winTime.seconds);
  DrawString(time, static_cast<float>(290 - StringWidth(time) / 2), 427);
  if (winTime.new_best && newBestBadge_) {
    DrawImageFrame(newBestBadge_, static_cast<float>(530 - newBestBadge_->width / 2),
                   static_cast<float>(436 - newBestBadge_->height / 2), 0);
  } else if (winTime.new_best) {
    const std::string text = "New best time!";
    DrawString(text, static_cast<float>(530 - StringWidth(text) / 2), 427);
  } else if (winTime.best_before >= 0) {
    const std::string best = "Best: " + PlayTimeText(winTime.best_before);
    DrawString(best, static_cast<float>(530 - StringWidth(best) / 2), 427);
  }
}

std::string TPuzzelGame::ClockText() const {
  return PlayTimeText(minuty * 60 + sekundy);
}

void TPuzzelGame::rysujBelke() {
  SetColor(255, 255, 255);
  SetAlpha(1);
  SetColor(0, 0, 0);
  // The clock always uses the game's 20-pixel face, whatever screen drew last.
  SetDrawFont(services_.Font(FontSize::kMiddle));
  const std::string text = ClockText();
  DrawString(text, static_cast<float>(800 - StringWidth(text) - 44), 5);
  SetColor(255, 255, 255);
  menu->Draw(1);
}

}  // namespace orvela
