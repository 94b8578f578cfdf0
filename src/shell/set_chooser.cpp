// TZestaw and TWyborZestawu, the picture-set chooser.
#include "shell/set_chooser.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "play/play_clock.h"
#include "shell/best_times.h"
#include "shell/game_context.h"
#include "shell/sound_manager.h"
#include "ui/delta_time.h"
#include "ui/dim.h"
#include "ui/mouse.h"
#include "ui/screen_loop.h"

namespace orvela {

namespace {

// The thumbnail's edges: left, top, right, bottom, each truncated.
struct Box {
  int left, top, right, bottom;
};

Box ThumbnailBox(const TZestaw& set) {
  const float w = set.img ? static_cast<float>(set.img->width) : 0.0f;
  const float h = set.img ? static_cast<float>(set.img->height) : 0.0f;
  const int left = static_cast<int>(static_cast<float>(set.x) - w * set._sc / 2);
  const int top = static_cast<int>(static_cast<float>(set.y) - h * set._sc / 2);
  return {left, top, static_cast<int>(static_cast<float>(left) + w * set._sc),
          static_cast<int>(static_cast<float>(top) + h * set._sc)};
}

// The band behind a picture's labels: margin each side of the longer line, and its height
// under the thumbnail (both lines of the 20-pixel face with a little room).
constexpr int kBandMargin = 8;
constexpr int kBandHeight = 48;

}  // namespace

int TZestaw::draw(bool labels) {
  const float width = img ? static_cast<float>(img->width) : 0.0f;
  const float height = img ? static_cast<float>(img->height) : 0.0f;
  const float left = static_cast<float>(x) - width * _sc / 2;
  const float top = static_cast<float>(y) - height * _sc / 2;
  SetDrawScale(_sc, _sc);
  SetColor(0, 0, 0);
  SetAlpha(0.4f);
  DrawImageFrame(img, left + 5, top + 5, 0);
  SetAlpha(1);
  if (_over || _clicked) {
    SetColor(200, 200, 200);
  } else {
    SetColor(255, 255, 255);
  }
  DrawImageFrame(img, left, top, 0);
  SetColor(255, 255, 255);
  if (labels && _over) drawData();
  return 0;
}

int TZestaw::drawData() {
  SetDrawScale(1, 1);
  const float height = img ? static_cast<float>(img->height) : 0.0f;
  const int bottom = static_cast<int>(static_cast<float>(y) + height * _sc / 2);
  const std::string size = "Size: " + std::to_string(cols) + " x " + std::to_string(rows);
  const std::string pieces = "Pieces: " + std::to_string(rows * cols);
  // The labels of an upper picture reach down over the one below it: a dark band behind
  // them keeps both lines readable over any picture.
  const int band_w = std::max(StringWidth(size), StringWidth(pieces)) + 2 * kBandMargin;
  SetColor(34, 14, 30);
  SetAlpha(0.8f);
  DrawRect(static_cast<float>(x - band_w / 2), static_cast<float>(bottom + 2),
           static_cast<float>(band_w), static_cast<float>(kBandHeight));
  SetAlpha(1);
  drawOutLinedCntr(size, x, bottom + 5);
  drawOutLinedCntr(pieces, x, bottom + 25);
  return 0;
}

int TZestaw::drawOutLinedCntr(const std::string& text, int at_x, int at_y) {
  const float left = static_cast<float>(at_x - StringWidth(text) / 2);
  const float top = static_cast<float>(at_y);
  SetColor(0, 0, 0);
  for (const auto& [dx, dy] : {std::pair{-1, -1}, {1, -1}, {-1, 1}, {1, 1}}) {
    DrawString(text, left + static_cast<float>(dx), top + static_cast<float>(dy));
  }
  SetColor(255, 255, 255);
  DrawString(text, left, top);
  return 0;
}

int TZestaw::update() {
  const MouseRef& mouse = GlobalMouse();
  const Box box = ThumbnailBox(*this);
  if (mouse && box.left < mouse->x && mouse->x < box.right && box.top < mouse->y &&
      mouse->y < box.bottom) {
    _over = 1;
    _clicked = mouse->leftPressed || mouse->leftHolded ? 1 : 0;
  } else {
    _over = 0;
    _clicked = 0;
  }
  return _clicked;
}

int TWyborZestawu::setup() {
  butt = std::make_shared<TMenu>();
  butt->AddItem(CreateAnimButton(1, "gfx/GUI/p_cancel.png", std::vector<int>{0, 1},
                                 CreateDim(800 / 2 - 35, 540, 0, 0, 0, 1, 1, 0), 1));
  img = TImage::Load("gfx/menu-screen2c.jpg", -1);
  bestPlate = TImage::Load("gfx/gui/best_plate.png", -1);
  return stworzZestawy();
}

int TWyborZestawu::stworzZestawy() {
  for (int i = 0; i < 4; ++i) {
    const PictureSet& row = kPictureSets[i];
    auto set = std::make_shared<TZestaw>();
    set->pm = LoadPixmapFile(row.url);
    set->url = row.url;
    set->img = set->pm ? TImage::Load(set->pm, -1) : nullptr;
    set->rows = row.rows;
    set->cols = row.cols;
    set->x = row.x;
    set->y = row.y;
    set->h = set->pm ? set->pm->height : 0;
    set->w = set->pm ? set->pm->width : 0;
    set->ksztalt = row.ksztalt;
    zestawy[i] = set;
  }
  return 0;
}

int TWyborZestawu::start() {
  fade = 1;
  dFade = 0;
  wyjdz = 0;
  _dokad = 0;
  if (const MouseRef& mouse = GlobalMouse()) {
    mouse->leftPressed = 0;  // the click that opened the screen does not pick a set
    mouse->leftHolded = 0;
  }
  wybrany = nullptr;
  for (const ZestawRef& set : zestawy) {
    const std::optional<int> best = Game().best_times->Best(set->url);
    set->best = best.value_or(-1);
  }
  SetDrawFont(Game().middle_font);
  return 0;
}

ZestawRef TWyborZestawu::mainLoop() {
  RunningScreen running("chooser");
  const ScreenLoop loop = Game().screen_loop();
  while (!wyjdz) {
    loop.BeginFrame();
    update();
    const int r = butt->State();
    draw();
    loop.ShowFrame();
    // Escape is the Cancel button's key.
    if ((r == 1 || KeyHits(KEY_ESCAPE)) && !wybrany) zakoncz();
    if (dFade == 1 && fade == 1 && _dokad == -1) wyjdz = 1;
    if (dFade == 1 && fade == 1 && _dokad == 1) return wybrany;
    SoundUpdate();
  }
  return nullptr;
}

void TWyborZestawu::drawBest(const TZestaw& set) {
  if (set.best < 0 || !set.img) return;
  const Box box = ThumbnailBox(set);
  const int w = bestPlate ? bestPlate->width : 110, h = bestPlate ? bestPlate->height : 22;
  const int left = box.right - 6 - w, top = box.bottom - 6 - h;
  SetDrawScale(1, 1);
  SetAlpha(1);
  SetColor(255, 255, 255);
  DrawImageFrame(bestPlate, static_cast<float>(left), static_cast<float>(top), 0);
  const FontRef font = GetDrawFont();
  SetDrawFont(Game().small_font);
  SetColor(255, 240, 204);
  const std::string text = "Best: " + PlayTimeText(set.best);
  DrawString(text, static_cast<float>(left + (w - StringWidth(text)) / 2),
             static_cast<float>(top + (h - StringHeight()) / 2));
  SetColor(255, 255, 255);
  SetDrawFont(font);
}

int TWyborZestawu::zakoncz() {
  dFade = 1;
  _dokad = -1;
  return 0;
}

int TWyborZestawu::update() {
  ApproachTarget(fade, dFade, 0.05f * FrameFactor());
  if (!wybrany && fade == 0) {
    for (const ZestawRef& set : zestawy) {
      if (set->update()) wybrany = set;
    }
  }
  if (wybrany) {
    dFade = 1;
    _dokad = 1;
  }
  return 0;
}

int TWyborZestawu::draw() {
  SetColor(255, 255, 255);
  DrawImageFrame(img, 0, 0, 0);
  // The labels go over every thumbnail: those of an upper set reach down over the one below.
  for (const ZestawRef& set : zestawy) set->draw(false);
  for (const ZestawRef& set : zestawy) drawBest(*set);
  for (const ZestawRef& set : zestawy) {
    if (set->_over) set->drawData();
  }
  SetDrawScale(1, 1);
  butt->Draw(1);
  SetAlpha(fade);
  SetColor(0, 0, 0);
  DrawRect(0, 0, 800, 600);
  SetAlpha(1);
  SetColor(255, 255, 255);
  return 0;
}

}  // namespace orvela
