// The settings window: TGameSettings runs it over the main menu or over the puzzle (its
// backdrop), lets the player change the music and sound volumes, hearing them at once, and
// switch between a window and full screen at once; OK keeps the changes in the settings file
// (SavedSettings, which it extends with the working copies the window edits).
#pragma once

#include <array>

#include "engine/image/image.h"
#include "shell/settings_file.h"
#include "ui/backdrop.h"
#include "ui/menu.h"

namespace orvela {

class TGameSettings : public SavedSettings {
 public:
  int x = 200, y = 220;  // top-left of the window
  ImageRef img;          // the window picture
  MenuRef menu;          // every control of the window
  float fade = 0;
  float dFade = 0;
  int _gdzie = 0;  // drawn behind the window: 0 the main menu, 1 the puzzle
  int _wyjdz = 0;
  int _pelnyEkran = 0;  // working copies while the window is open
  float _glosnoscMuzyki = 0.5f;
  float _glosnoscDzwieku = 0.5f;
  // What is drawn behind the window, by _gdzie: the main menu, the puzzle.
  std::array<Backdrop, 2> drawBehind;

  int setup();
  // Shows the volume points for the working volumes and sets the live volumes from them.
  int setupSounds();
  int update();
  int draw();
  int setLoop(int where);
  // Runs the window until it has faded out again.
  int start(int where);
  int cancelSettings();
  int okSettings();
  int checkUpSounds(int id);
  int switchScreen();
  int screenCheck();
  int exitSettings();
  // Reads the settings file (see SavedSettings::Read); the working copies follow.
  int Load();

 private:
  void CopyToWorking();  // the working copies = the saved values
};

}  // namespace orvela
