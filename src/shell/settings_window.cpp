// TGameSettings, the settings window.
#include "shell/settings_window.h"

#include <string>
#include <vector>

#include "engine/engine.h"
#include "shell/game_context.h"
#include "shell/sound_manager.h"
#include "ui/delta_time.h"
#include "ui/screen_loop.h"

namespace orvela {

namespace {

DimRef At(int x, int y) {
  return CreateDim(static_cast<float>(x), static_cast<float>(y), 0, 0, 0, 1, 1, 0);
}

void Centred(const std::string& text, float y) {
  DrawString(text, static_cast<float>(400 - StringWidth(text) / 2), y);
}

void Show(const MenuRef& menu, int id, bool shown) {
  if (ButtonRef button = menu->GetItem(id)) button->SetState(shown ? 1 : 0, shown ? 1 : 0);
}

}  // namespace

int TGameSettings::setup() {
  x = 200;
  y = 220;
  img = TImage::Load("gfx/gui/ustawienia/window.png", -1);
  menu = std::make_shared<TMenu>();
  const std::vector<int> frames = {0, 1};
  auto anim = [&](int id, const char* path, int bx, int by) {
    menu->AddItem(CreateAnimButton(id, path, frames, At(x + bx, y + by), 1));
  };
  auto still = [&](int id, const char* path, int bx, int by) {
    menu->AddItem(CreateImageButton(id, path, At(x + bx, y + by), 1, 1, 0));
  };
  anim(1, "gfx/gui/p_cancel.png", 270, 265);
  anim(2, "gfx/gui/ustawienia/ok.png", 60, 265);
  anim(10, "gfx/gui/ustawienia/plus.png", 330, 85);
  anim(21, "gfx/gui/ustawienia/minus.png", 60, 85);
  anim(30, "gfx/gui/ustawienia/plus.png", 330, 150);
  anim(41, "gfx/gui/ustawienia/minus.png", 60, 150);
  still(50, "gfx/gui/ustawienia/on.png", 270, 210);
  still(51, "gfx/gui/ustawienia/off.png", 270, 210);
  for (int i = 1; i <= 10; ++i) {
    still(100 + i, "gfx/gui/ustawienia/pointOn.png", 76 + 23 * i, 90);
    still(200 + i, "gfx/gui/ustawienia/pointoff.png", 76 + 23 * i, 90);
    still(300 + i, "gfx/gui/ustawienia/pointOn.png", 76 + 23 * i, 155);
    still(400 + i, "gfx/gui/ustawienia/pointoff.png", 76 + 23 * i, 155);
  }
  setupSounds();
  screenCheck();
  return 0;
}

int TGameSettings::setupSounds() {
  for (int i = 1; i <= 10; ++i) {
    if (menu) {
      const bool sound_lit = !(_glosnoscDzwieku < i);
      Show(menu, 300 + i, sound_lit);
      Show(menu, 400 + i, !sound_lit);
      const bool music_lit = !(_glosnoscMuzyki < i);
      Show(menu, 100 + i, music_lit);
      Show(menu, 200 + i, !music_lit);
    }
  }
  Game().options->SetFromLevels(_glosnoscMuzyki, _glosnoscDzwieku);
  return 0;
}

int TGameSettings::screenCheck() {
  if (!menu) return 0;
  Show(menu, 50, _pelnyEkran == 0);
  Show(menu, 51, _pelnyEkran != 0);
  return 0;
}

int TGameSettings::update() {
  ApproachTarget(fade, dFade, 0.05f * FrameFactor());
  return 0;
}

int TGameSettings::draw() {
  GameContext& game = Game();
  const bool known = _gdzie >= 0 && _gdzie < static_cast<int>(drawBehind.size());
  DrawBackdrop(known ? drawBehind[_gdzie] : Backdrop());
  SetBlend(ALPHABLEND);
  SetDrawScale(1, 1);
  SetColor(255, 255, 255);
  SetAlpha(fade);
  DrawImageFrame(img, static_cast<float>(x), static_cast<float>(y), 0);
  SetColor(255, 255, 0);
  SetDrawFont(game.middle_font);
  Centred("Settings:", static_cast<float>(y + 10));
  SetColor(255, 255, 255);
  SetDrawFont(game.small_font);
  Centred("Music volume:", static_cast<float>(y + 60));
  Centred("Sound volume:", static_cast<float>(y + 125));
  DrawString("Window mode:", static_cast<float>(x + 140), static_cast<float>(y + 215));
  SetColor(255, 255, 255);
  for (const ButtonRef& button : menu->items) button->alpha = fade;
  return 0;
}

int TGameSettings::setLoop(int where) {
  _gdzie = where;
  _wyjdz = 0;
  fade = 0;
  dFade = 1;
  CopyToWorking();
  setupSounds();
  // The mode buttons keep showing what the display is: a full-screen switch that was then
  // cancelled leaves the display full screen, and the window must still say so.
  return 0;
}

int TGameSettings::start(int where) {
  setLoop(where);
  RunningScreen running("settings");
  const ScreenLoop loop = Game().screen_loop();
  while (!_wyjdz) {
    loop.BeginFrame();
    update();
    const int r = menu->State();
    draw();
    menu->Draw(1);
    loop.ShowFrame();
    if (KeyHits(KEY_ESCAPE)) exitSettings();
    if (r == 1) {
      cancelSettings();
      exitSettings();
    }
    if (r == 50 || r == 51) switchScreen();
    if (r == 2) okSettings();
    checkUpSounds(r);
    if (fade == 0 && dFade == 0) _wyjdz = 1;
    SoundUpdate();
  }
  return 0;
}

int TGameSettings::cancelSettings() {
  Game().options->SetFromLevels(glosnoscMuzyki, glosnoscDzwieku);
  return 0;
}

int TGameSettings::okSettings() {
  glosnoscDzwieku = _glosnoscDzwieku;
  glosnoscMuzyki = _glosnoscMuzyki;
  pelnyEkran = _pelnyEkran;
  exitSettings();
  save();
  return 0;
}

int TGameSettings::checkUpSounds(int id) {
  if ((id >= 101 && id <= 110) || (id >= 201 && id <= 210)) {
    _glosnoscMuzyki = static_cast<float>(id % 100);
  } else if ((id >= 301 && id <= 310) || (id >= 401 && id <= 410)) {
    _glosnoscDzwieku = static_cast<float>(id % 100);
  } else if (id == 10) {
    if (_glosnoscMuzyki < 10) _glosnoscMuzyki += 1;
  } else if (id == 21) {
    if (_glosnoscMuzyki > 0) _glosnoscMuzyki -= 1;
  } else if (id == 30) {
    if (_glosnoscDzwieku < 10) _glosnoscDzwieku += 1;
  } else if (id == 41) {
    if (_glosnoscDzwieku > 0) _glosnoscDzwieku -= 1;
  } else {
    return 0;
  }
  setupSounds();
  return 0;
}

int TGameSettings::switchScreen() {
  _pelnyEkran = _pelnyEkran ? 0 : 1;
  screenCheck();
  OpenGraphics(Game().screenWidth, Game().screenHeight, _pelnyEkran ? 32 : 0, 60, 0);
  return 0;
}

int TGameSettings::exitSettings() {
  dFade = 0;
  return 0;
}

int TGameSettings::Load() {
  Read();
  CopyToWorking();
  return 0;
}

void TGameSettings::CopyToWorking() {
  _glosnoscDzwieku = glosnoscDzwieku;
  _glosnoscMuzyki = glosnoscMuzyki;
  _pelnyEkran = pelnyEkran;
}

}  // namespace orvela
