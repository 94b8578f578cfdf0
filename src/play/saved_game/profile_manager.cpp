// TProfileManager: the profile at start-up, the writes it makes as the play screen's keeper,
// continuing a puzzle, and a broken profile kept aside.
#include "play/saved_game/profile_manager.h"

#include "engine/engine.h"
#include "engine/files/broken_file.h"
#include "engine/files/files.h"
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
  return profile.saveInBackground(writer_, play_, grid_);
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
  if (!play_.listaPuzzli.IsEmpty()) {
    return profile._level == 0 && play_._stan == "GRA" && play_.listaPuzzli.Count() >= 2;
  }
  return profile.fileLevel() == 0 && profile.fileEntries() >= 2;
}

bool TProfileManager::continueGame() {
  if (!play_.listaPuzzli.IsEmpty()) return gameInProgress();
  TProfile& profile = services_.Profile();
  flush();
  if (profile.loadData(play_, grid_)) {
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

void TProfileManager::puzzleStarted(int cellW, int cellH) {
  TProfile& profile = services_.Profile();
  profile._w = cellW;
  profile._h = cellH;
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
  const std::string trace = "The profile " + profile.path() + " could not be read: " + problem;
  flush();
  const BrokenFileNotice notice{
      trace, "Your saved puzzle could not be read: " + problem + ".", "The file was kept as ",
      ", and a new profile was started.",
      "The file could not be moved aside, so it was left as it is, and your games will not be "
      "saved until the game starts again."};
  const std::string copy = KeepBrokenFileAside(profile.path(), notice, [&](bool kept) {
    if (!kept) {
      // What cannot be moved aside is not written over: this run keeps no games.
      writes_blocked_ = true;
      profile._name = TProfile::kDefaultName;
      profile._level = -1;
      services_.NewGame();
    }
    return std::string();
  });
  if (!copy.empty()) askNewProfile();
}

}  // namespace orvela
