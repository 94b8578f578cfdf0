// SavedSettings: reading and writing the settings file.
#include "shell/settings_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/files/broken_file.h"
#include "engine/files/files.h"
#include "engine/system.h"
#include "formats/tsc_file.h"
#include "shell/game_context.h"

namespace orvela {

namespace {

constexpr const char* kGroup = "options";

// The settings file the game writes is about sixty bytes; a file of more than this is not
// one, and reading it whole could take more memory than the machine has.
const FileLimit kLimit{64 * 1024, "The settings file", "a settings file",
                       "Out of memory while reading the settings file"};

// A saved volume as the game can use it: 0 to 10; what no volume can be (NaN) is the default.
float UsableVolume(float volume) {
  if (std::isnan(volume)) return 0.5f;
  return std::clamp(volume, 0.0f, 10.0f);
}

}  // namespace

std::string SavedSettings::FilePath() {
  return Game().userDir + "/data/options.tsc";
}

int SavedSettings::stworzOpcje() {
  return save();
}

int SavedSettings::save() {
  if (Game().userDir.empty()) return ReportUnwritable();  // nowhere to keep them
  TTSCFile file;
  file.CreateGroup("", kGroup);
  file.SetNumberKey(kGroup, "sound", glosnoscDzwieku, 0);
  file.SetNumberKey(kGroup, "music", glosnoscMuzyki, 0);
  file.SetNumberKey(kGroup, "ekran", static_cast<float>(pelnyEkran), 0);
  if (file.Save(FilePath())) return 1;
  return ReportUnwritable();
}

int SavedSettings::Read() {
  if (Game().userDir.empty()) {
    ReportUnwritable();
    return 0;
  }
  const std::string data = Game().userDir + "/data";
  if (FileKind(data) == FILE_NONE) MakeDir(data, 0);
  const std::string path = FilePath();
  // A missing file is written with the defaults; when even that fails, the folder cannot be
  // written, which save has said, and the game plays on with the defaults.
  if (FileKind(path) == FILE_NONE && !stworzOpcje()) return 0;
  const std::optional<std::string> problem = ReadWithinLimit(path, kLimit, [&] {
    TTSCFile file;
    file.Load(path);
    const float sound = file.GetNumberKey(kGroup, "sound", 0);
    const float music = file.GetNumberKey(kGroup, "music", 0);
    const float screen = file.GetNumberKey(kGroup, "ekran", 0);
    glosnoscDzwieku = UsableVolume(sound);
    glosnoscMuzyki = UsableVolume(music);
    pelnyEkran = static_cast<int>(std::clamp(screen, 0.0f, 1.0f));  // then truncated: 0 or 1
  });
  if (problem) ResetBrokenFile(path, *problem);
  return 0;
}

// A file that cannot be read, or lacks a key, is kept aside for the player, reported once,
// and replaced by the defaults, so the game always starts.
void SavedSettings::ResetBrokenFile(const std::string& path, const std::string& problem) {
  pelnyEkran = 0;
  glosnoscMuzyki = 0.5f;
  glosnoscDzwieku = 0.5f;
  const BrokenFileNotice notice{problem,
                                "Your settings could not be read and were reset to the defaults.",
                                "The old settings file was kept as ", ".", ""};
  // When the file cannot be moved or the defaults written, the folder cannot be written: the
  // message says so instead of naming a copy that is not there. A file that could not be
  // moved is not written over either.
  const bool reported_before = unwritable_reported_;
  KeepBrokenFileAside(path, notice, [&](bool kept) {
    unwritable_reported_ = true;  // this message says it when it comes to that
    if (kept && save()) {
      unwritable_reported_ = reported_before;
      return std::string();
    }
    return UnwritableText();
  });
}

std::string SavedSettings::UnwritableText() {
  const std::string& user_dir = Game().userDir;
  if (user_dir.empty()) {
    return "No folder for your files was found, so your settings will not be kept.";
  }
  return "The folder " + user_dir + "/data cannot be written, so your settings will not be kept.";
}

int SavedSettings::ReportUnwritable() {
  if (!unwritable_reported_) {
    unwritable_reported_ = true;
    Notify(UnwritableText(), 0);
  }
  return 0;
}

}  // namespace orvela
