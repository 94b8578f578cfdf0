// TProfileManager.
#include "play/saved_game/profile_manager.h"

#include <filesystem>

#include "engine/engine.h"
#include "engine/files.h"
#include "engine/system.h"
#include "play/play_screen.h"
#include "play/saved_game/profile.h"
#include "play/saved_game/profile_services.h"

namespace orvela {

int TProfileManager::checkProfiles() {
  TProfile& profile = services_.Profile();
  if (profile._url.empty()) profile._url = TProfile::kDefaultFile;
  if (profile.path().empty()) {
    // No per-user folder: the default profile lives in memory only.
    profile._name = TProfile::kDefaultName;
    profile._level = -1;
    return 0;
  }
  if (FileKind(profile.path()) == FILE_NONE) {
    askNewProfile();
    return 0;
  }
  flush();
  if (profile.load()) return 1;
  if (profile.broken()) {
    KeepBrokenAndStartFresh(profile.problem());
  } else {
    // Something that is no file stands in its place: it is left alone, and nothing is saved.
    profile._name = TProfile::kDefaultName;
    profile._level = -1;
    writes_blocked_ = true;
    Notify("Your puzzles cannot be saved: " + profile.path() +
               " is not a file. Move it away to keep your puzzles.",
           0);
  }
  return 0;
}

int TProfileManager::saveProfile() {
  if (writes_blocked_) return 0;
  TProfile& profile = services_.Profile();
  if (profile.path().empty()) return 0;  // nowhere to keep it: the settings have said so
  ReportFailures();
  return profile.saveInBackground(writer_);
}

void TProfileManager::flush() {
  writer_.Flush();
  ReportFailures();
}

void TProfileManager::ReportFailures() {
  const std::vector<AsyncFileWriter::Failure> failed = writer_.TakeFailedWrites();
  if (failed.empty() || failure_reported_) return;
  failure_reported_ = true;
  // What went wrong with the first failed write: a full disk is not an unwritable folder.
  Notify("Your puzzle could not be saved: " + failed.front().problem + ".", 0);
}

int TProfileManager::askNewProfile() {
  TProfile& profile = services_.Profile();
  profile._url = TProfile::kDefaultFile;
  profile._name = TProfile::kDefaultName;
  profile._level = -1;
  profile._gfxUrl.clear();
  profile._w = profile._h = 0;
  services_.NewGame();
  return saveProfile();
}

bool TProfileManager::gameInProgress() {
  const TProfile& profile = services_.Profile();
  const TPuzzelGame& play = services_.PlayScreen();
  if (!play.listaPuzzli.IsEmpty()) {
    return profile._level == 0 && play._stan == "GRA" && play.listaPuzzli.Count() >= 2;
  }
  return profile.fileLevel() == 0 && profile.fileEntries() >= 2;
}

bool TProfileManager::continueGame() {
  if (!services_.PlayScreen().listaPuzzli.IsEmpty()) return gameInProgress();
  TProfile& profile = services_.Profile();
  flush();
  if (profile.loadData()) {
    pending_ = false;
    return true;
  }
  if (profile.broken()) {
    KeepBrokenAndStartFresh(profile.problem());
  } else {
    Notify("Your puzzle could not be continued: " + profile.problem() + ".", 0);
  }
  return false;
}

void TProfileManager::tableChanged() {
  pending_ = true;
  saveWhenDue();
}

void TProfileManager::saveWhenDue() {
  ReportFailures();
  if (!pending_) return;
  if (saved_ && MilliBetween(last_save_, MilliClock()) < kSaveEveryMs) return;
  SaveNow();
}

void TProfileManager::gameFinished() {
  services_.Profile()._level = -1;
  SaveNow();
}

void TProfileManager::playLeft() {
  SaveNow();
}

int TProfileManager::SaveNow() {
  pending_ = false;
  saved_ = true;
  last_save_ = MilliClock();
  return saveProfile();
}

void TProfileManager::KeepBrokenAndStartFresh(const std::string& problem) {
  TProfile& profile = services_.Profile();
  Print("The profile " + profile.path() + " could not be read: " + problem);
  flush();
  const std::string copy = KeepFileAside(profile.path());
  std::string text = "Your saved puzzle could not be read: " + problem + ".";
  if (!copy.empty()) {
    text += "\nThe file was kept as " + std::filesystem::path(copy).filename().string() +
            ", and a new profile was started.";
    Notify(text, 0);
    askNewProfile();
    return;
  }
  // What cannot be moved aside is not written over: this run keeps no games.
  text +=
      "\nThe file could not be moved aside, so it was left as it is, and your games will "
      "not be saved until the game starts again.";
  writes_blocked_ = true;
  profile._name = TProfile::kDefaultName;
  profile._level = -1;
  services_.NewGame();
  Notify(text, 0);
}

}  // namespace orvela
