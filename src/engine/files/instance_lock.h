// InstanceLock: the one copy of the game that runs for a player. The first copy holds an
// advisory lock (flock) on a file in the per-user folder for its whole life; a second copy
// finds it held and ends before it touches any of the player's files. The system lets go of
// the lock when the holding process ends in any way, so a crash never locks the player out,
// and programs the game starts (the web browser) do not inherit it.
#pragma once

#include <string>

namespace orvela {

class InstanceLock {
 public:
  enum class State {
    kHeld,         // this copy holds the lock
    kHeldByOther,  // another copy of the game holds it
    kUnavailable,  // the lock file could not be made (a folder that cannot be written)
  };

  // Takes the lock on that file, making the file when it is missing.
  explicit InstanceLock(const std::string& path);
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  State state() const { return state_; }

 private:
  int fd_ = -1;
  State state_ = State::kUnavailable;
};

}  // namespace orvela
