// The player's best times: for each picture set, the shortest time in which its puzzle was
// solved by hand, kept in the per-user file data/besttimes.tsc (one group "best", one number
// key of whole seconds per set, named by its picture's file name without the extension, as
// "obr1"). The file is replaced atomically when a time beats the best. A file that cannot be
// read is kept aside as besttimes.tsc.broken (later ones numbered), reported once, and the
// times start afresh; a time in it that no game could have made is left out.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace orvela {

class BestTimes {
 public:
  static constexpr const char* kFileName = "besttimes.tsc";

  // Reads the times of the per-user folder (none without one, or without the file).
  void Load(const std::string& user_dir);
  // The best time of the set with that picture, in seconds; none when none was kept.
  std::optional<int> Best(const std::string& picture) const;
  // A puzzle of that picture solved in that many seconds: the best time before it (none when
  // there was none), and whether this one beat it; a new best is written to the file.
  struct Result {
    std::optional<int> before;
    bool new_best = false;
  };
  Result Record(const std::string& picture, int seconds);

  // The file's path; "" without a per-user folder.
  const std::string& path() const { return path_; }
  // The key of a picture in the file: its file name without folder and extension.
  static std::string KeyOf(const std::string& picture);

 private:
  bool Save();
  void KeepBrokenAside(const std::string& problem);

  std::string path_;
  std::map<std::string, int> best_;  // seconds by key
  bool failure_reported_ = false;
};

}  // namespace orvela
