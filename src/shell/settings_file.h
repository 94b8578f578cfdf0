// The saved settings: SavedSettings keeps the music and sound volumes (0 to 10) and the full
// screen flag in the per-user file data/options.tsc. A settings file that cannot be read never
// stops the game: it is kept aside as options.tsc.broken (.broken.2 … for later ones),
// reported once, and replaced by one with the defaults. Without a per-user folder that can be
// written, the game says once that settings will not be kept and plays on.
#pragma once

#include <string>

#include "engine/object.h"

namespace orvela {

class SavedSettings : public TObject {
 public:
  int pelnyEkran = 0;            // saved: 1 full screen
  float glosnoscMuzyki = 0.5f;   // saved music volume, 0 to 10
  float glosnoscDzwieku = 0.5f;  // saved sound volume, 0 to 10

  // Reads the settings file (writing the defaults first when there is none). Volumes are
  // clamped to 0 … 10 and the screen flag to 0 or 1; a file too large to be a settings file,
  // or one that runs the reader out of memory, is a broken file.
  int Read();
  int stworzOpcje();
  // Writes the saved values to the settings file (replacing it atomically); 0 on failure,
  // which is reported the first time (the folder cannot be written).
  int save();

  // The settings file's path.
  static std::string FilePath();

 private:
  void ResetBrokenFile(const std::string& path, const std::string& problem);
  // Says once per run that the settings cannot be kept; returns 0.
  int ReportUnwritable();
  static std::string UnwritableText();

  bool unwritable_reported_ = false;
};

}  // namespace orvela
