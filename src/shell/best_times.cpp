// BestTimes.
#include "shell/best_times.h"

#include <cmath>
#include <filesystem>

#include "engine/files/broken_file.h"
#include "engine/files/files.h"
#include "engine/system.h"
#include "formats/tsc_file.h"
#include "play/play_clock.h"

namespace orvela {

namespace {

constexpr const char* kGroup = "best";
// Four keys take well under a hundred bytes; a file far larger is no file the game wrote.
const FileLimit kLimit{64 * 1024, "the file", "a file of best times",
                       "there was not enough memory to read it"};

}  // namespace

std::string BestTimes::KeyOf(const std::string& picture) {
  return std::filesystem::path(picture).stem().string();
}

void BestTimes::Load(const std::string& user_dir) {
  best_.clear();
  path_ = user_dir.empty() ? std::string() : user_dir + "/data/" + kFileName;
  if (path_.empty() || FileKind(path_) != FILE_REGULAR) return;
  const std::optional<std::string> problem = ReadWithinLimit(path_, kLimit, [this] {
    TTSCFile file;
    file.Load(path_);
    for (const Ref<TTSCKey>& key : file.GetKeyList(kGroup)) {
      // Only numbers of seconds that a game could have counted are times.
      if (key->ValuesType[0] != TSC_VALUE_NUMBER) continue;
      const float seconds = TSCNumberValue(key->Values[0]);
      if (!std::isfinite(seconds) || seconds < 0 || seconds > PlayClock::kMaxSeconds) continue;
      const std::string name = TSCFoldedName(key->Name);
      if (best_.count(name) == 0) best_[name] = static_cast<int>(seconds);
    }
  });
  if (problem) KeepBrokenAside(*problem);
}

void BestTimes::KeepBrokenAside(const std::string& problem) {
  best_.clear();
  const std::string copy = KeepBrokenFileAside(
      path_,
      {"The best times " + path_ + " could not be read: " + problem,
       "Your best times could not be read, so they start afresh.", "The old file was kept as ", ".",
       "The file could not be moved aside, so new best times will not be kept."});
  // What cannot be moved aside is not written over.
  if (copy.empty()) path_.clear();
}

std::optional<int> BestTimes::Best(const std::string& picture) const {
  const auto found = best_.find(TSCFoldedName(KeyOf(picture)));
  if (found == best_.end()) return std::nullopt;
  return found->second;
}

BestTimes::Result BestTimes::Record(const std::string& picture, int seconds) {
  Result result;
  result.before = Best(picture);
  if (seconds < 0 || KeyOf(picture).empty()) return result;
  result.new_best = !result.before || seconds < *result.before;
  if (result.new_best) {
    best_[TSCFoldedName(KeyOf(picture))] = seconds;
    Save();
  }
  return result;
}

bool BestTimes::Save() {
  if (path_.empty()) return false;
  TTSCFile file;
  file.CreateGroup("", kGroup);
  for (const auto& [name, seconds] : best_) {
    file.SetNumberKey(kGroup, name, static_cast<float>(seconds), 0);
  }
  if (file.Save(path_)) return true;
  if (!failure_reported_) {
    failure_reported_ = true;
    Notify("Your best time could not be kept: " + path_ + " cannot be written.", 0);
  }
  return false;
}

}  // namespace orvela
