// The settings: TGameSettings keeps the saved music and sound volumes (0 to 10) and the full
// screen flag in the per-user file data/options.tsc, and runs the settings window over the
// main menu or over the puzzle; TOptions holds the live volumes (0 to 1) every sound reads.
// A settings file that cannot be read never stops the game: it is kept aside as
// options.tsc.broken (.broken.2 … for later ones), reported once, and replaced by one with
// the defaults. Without a per-user folder that can be written, the game says once that
// settings will not be kept and plays on.
#pragma once

#include <string>

#include "engine/image/image.h"
#include "engine/object.h"
#include "ui/menu.h"

namespace orvela {

class TOptions : public TObject {
 public:
  float musicVol = 0.5f;
  float soundVol = 0.8f;
};

class TGameSettings : public TObject {
 public:
  int x = 200, y = 220;  // top-left of the window
  ImageRef img;          // the window picture
  MenuRef menu;          // every control of the window
  float fade = 0;
  float dFade = 0;
  int _gdzie = 0;  // drawn behind the window: 0 the main menu, 1 the puzzle
  int _wyjdz = 0;
  int pelnyEkran = 0;            // saved: 1 full screen
  float glosnoscMuzyki = 0.5f;   // saved music volume, 0 to 10
  float glosnoscDzwieku = 0.5f;  // saved sound volume, 0 to 10
  int _pelnyEkran = 0;           // working copies while the window is open
  float _glosnoscMuzyki = 0.5f;
  float _glosnoscDzwieku = 0.5f;

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
  // Reads the settings file (writing the defaults first when there is none). Volumes are
  // clamped to 0 … 10 and the screen flag to 0 or 1; a file too large to be a settings file,
  // or one that runs the reader out of memory, is a broken file.
  int Load();
  int stworzOpcje();
  // Writes the saved values to the settings file (replacing it atomically); 0 on failure,
  // which is reported the first time (the folder cannot be written).
  int save();

  // The settings file's path.
  static std::string FilePath();

 private:
  void ResetBrokenFile(const std::string& path, const std::string& problem);
  void CopyToWorking();  // the working copies = the saved values
  // Says once per run that the settings cannot be kept; returns 0.
  int ReportUnwritable();
  static std::string UnwritableText();

  bool unwritable_reported_ = false;
};

}  // namespace orvela
