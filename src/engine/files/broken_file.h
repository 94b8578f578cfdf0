// The player's own files that the game reads whole (settings, best times, saved games), and
// what becomes of one found broken. Such a file is read only within a size the game could
// have written, so that a huge file cannot take more memory than the machine has; a file that
// cannot be read is kept aside for the player to look at ("options.tsc.broken", later ones
// numbered) and said in one message, so that the game always starts and nothing the player
// kept is lost unasked.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace orvela {

// The most bytes a file of the player's may hold, and the problem said of a larger one:
// subject + " is N bytes long, more than " + kind + " can be".
struct FileLimit {
  int64_t max_bytes = 0;
  std::string subject;  // "the file"
  std::string kind;     // "a saved game"
  // The problem said when reading the file ran out of memory.
  std::string out_of_memory;
};

// Raises a RuntimeError with the limit's problem when the file at path is larger than the
// limit (a missing file passes: reading it then fails as it does).
void CheckFileSize(const std::string& path, const FileLimit& limit);

// Reads a file of the player's: checks its size, then runs `read`, which reads the file and
// takes in what it holds. Returns what is wrong with the file: the size problem, the message
// of a RuntimeError that `read` raised, or the limit's out-of-memory problem; none when the
// file was read.
std::optional<std::string> ReadWithinLimit(const std::string& path, const FileLimit& limit,
                                           const std::function<void()>& read);

// What is said of a broken file. The trace line is written first. The message to the player
// is `opening`, then on a line of its own `kept_before` + the copy's file name + `kept_after`
// when the file was kept aside, or `not_moved` when it could not be moved (no line when "").
struct BrokenFileNotice {
  std::string trace;
  std::string opening;
  std::string kept_before, kept_after;
  std::string not_moved;
};

// What the caller does once the broken file was moved aside (true) or could not be (false),
// before the player is told; what it returns, unless "", ends the message on a line of its own.
using BeforeTelling = std::function<std::string(bool kept)>;

// Keeps a broken file aside (KeepFileAside: path + ".broken", or the first free of ".broken.2"
// and on) and tells the player in one message. Returns the copy's path, "" when the file could
// not be moved; a file that could not be moved is left as it is, and the caller must not write
// over it.
std::string KeepBrokenFileAside(const std::string& path, const BrokenFileNotice& notice,
                                const BeforeTelling& before_telling = nullptr);

}  // namespace orvela
