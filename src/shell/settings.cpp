// TGameSettings and the settings window.
#include "shell/settings.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <new>
#include <string>

#include "engine/engine.h"
#include "engine/files/files.h"
#include "engine/runtime_error.h"
#include "engine/system.h"
#include "formats/tsc_file.h"
#include "play/play_mouse.h"
#include "shell/game_context.h"
#include "shell/main_menu.h"
#include "shell/sound_manager.h"
#include "ui/delta_time.h"
#include "ui/mouse.h"
#include "ui/screen_loop.h"

namespace orvela {

namespace {

constexpr const char* kGroup = "options";

// The settings file the game writes is about sixty bytes; a file of more than this is not
// one, and reading it whole could take more memory than the machine has.
constexpr int64_t kMaxFileBytes = 64 * 1024;

// A saved volume as the game can use it: 0 to 10; what no volume can be (NaN) is the default.
float UsableVolume(float volume) {
  if (std::isnan(volume)) return 0.5f;
  return std::clamp(volume, 0.0f, 10.0f);
}

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

std::string TGameSettings::FilePath() {
  return Game().userDir + "/data/options.tsc";
}

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
  TOptions& options = *Game().options;
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
  options.soundVol = _glosnoscDzwieku / 10;
  options.musicVol = _glosnoscMuzyki / 10;
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
  SetColor(255, 255, 255);
  SetAlpha(1);
  if (_gdzie == 0 && game.main_menu) game.main_menu->draw();
  if (_gdzie == 1 && game.draw_puzzle) game.draw_puzzle();
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
  _pelnyEkran = pelnyEkran;
  _glosnoscMuzyki = glosnoscMuzyki;
  _glosnoscDzwieku = glosnoscDzwieku;
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
  TOptions& options = *Game().options;
  options.musicVol = glosnoscMuzyki / 10;
  options.soundVol = glosnoscDzwieku / 10;
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

int TGameSettings::stworzOpcje() {
  return save();
}

int TGameSettings::save() {
  if (Game().userDir.empty()) return ReportUnwritable();  // nowhere to keep them
  TTSCFile file;
  file.CreateGroup("", kGroup);
  file.SetNumberKey(kGroup, "sound", glosnoscDzwieku, 0);
  file.SetNumberKey(kGroup, "music", glosnoscMuzyki, 0);
  file.SetNumberKey(kGroup, "ekran", static_cast<float>(pelnyEkran), 0);
  if (file.Save(FilePath())) return 1;
  return ReportUnwritable();
}

int TGameSettings::Load() {
  if (Game().userDir.empty()) {
    ReportUnwritable();
    CopyToWorking();
    return 0;
  }
  const std::string data = Game().userDir + "/data";
  if (FileKind(data) == FILE_NONE) MakeDir(data, 0);
  const std::string path = FilePath();
  // A missing file is written with the defaults; when even that fails, the folder cannot be
  // written, which save has said, and the game plays on with the defaults.
  if (FileKind(path) == FILE_NONE && !stworzOpcje()) {
    CopyToWorking();
    return 0;
  }
  try {
    const int64_t size = FileSize(path);
    if (size > kMaxFileBytes) {
      RaiseRuntimeError("The settings file is " + std::to_string(size) +
                        " bytes long, more than a settings file can be");
    }
    TTSCFile file;
    file.Load(path);
    const float sound = file.GetNumberKey(kGroup, "sound", 0);
    const float music = file.GetNumberKey(kGroup, "music", 0);
    const float screen = file.GetNumberKey(kGroup, "ekran", 0);
    glosnoscDzwieku = UsableVolume(sound);
    glosnoscMuzyki = UsableVolume(music);
    pelnyEkran = static_cast<int>(std::clamp(screen, 0.0f, 1.0f));  // then truncated: 0 or 1
  } catch (const RuntimeError& error) {
    ResetBrokenFile(path, error.what());
  } catch (const std::bad_alloc&) {
    ResetBrokenFile(path, "Out of memory while reading the settings file");
  }
  CopyToWorking();
  return 0;
}

void TGameSettings::CopyToWorking() {
  _glosnoscDzwieku = glosnoscDzwieku;
  _glosnoscMuzyki = glosnoscMuzyki;
  _pelnyEkran = pelnyEkran;
}

// A file that cannot be read, or lacks a key, is kept aside for the player, reported once,
// and replaced by the defaults, so the game always starts.
void TGameSettings::ResetBrokenFile(const std::string& path, const std::string& problem) {
  Print(problem);
  pelnyEkran = 0;
  glosnoscMuzyki = 0.5f;
  glosnoscDzwieku = 0.5f;
  const std::string copy = KeepFileAside(path);
  std::string text = "Your settings could not be read and were reset to the defaults.";
  if (!copy.empty()) {
    text += "\nThe old settings file was kept as " +
            std::filesystem::path(copy).filename().string() + ".";
  }
  // When the file cannot be moved or the defaults written, the folder cannot be written: the
  // message says so instead of naming a copy that is not there. A file that could not be
  // moved is not written over either.
  const bool reported_before = unwritable_reported_;
  unwritable_reported_ = true;  // this message says it when it comes to that
  const bool saved = !copy.empty() && save();
  if (saved) {
    unwritable_reported_ = reported_before;
  } else {
    text += "\n" + UnwritableText();
  }
  Notify(text, 0);
}

std::string TGameSettings::UnwritableText() {
  const std::string& user_dir = Game().userDir;
  if (user_dir.empty()) {
    return "No folder for your files was found, so your settings will not be kept.";
  }
  return "The folder " + user_dir + "/data cannot be written, so your settings will not be kept.";
}

int TGameSettings::ReportUnwritable() {
  if (!unwritable_reported_) {
    unwritable_reported_ = true;
    Notify(UnwritableText(), 0);
  }
  return 0;
}

}  // namespace orvela
