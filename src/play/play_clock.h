// The play clock: the time a puzzle has been played, in milliseconds of the platform clock.
// It counts only while its owner runs it each frame; a frame after a stop adds nothing, so
// time spent away from play (a pause, a question, the settings window, the window out of
// view, the screen left) never counts. The time can be set, so that a saved game goes on
// from where it was.
#pragma once

#include <cstdint>
#include <string>

namespace orvela {

class PlayClock {
 public:
  // The longest time the clock keeps: over a hundred days, and a whole number of seconds that
  // a saved game's number holds exactly.
  static constexpr int kMaxSeconds = 9999999;

  // Stops the clock at that many whole seconds (kept within 0 … kMaxSeconds).
  void Set(int seconds);
  // Counts the time since the last Run, if that was not followed by Stop; now is MilliClock.
  void Run(int now);
  // Stops counting; the next Run starts from its own moment.
  void Stop() { running_ = false; }

  bool running() const { return running_; }
  int64_t Milliseconds() const { return milliseconds_; }
  int Seconds() const;

 private:
  int64_t milliseconds_ = 0;
  int last_ = 0;  // MilliClock of the last Run
  bool running_ = false;
};

// A time of play as the game shows it: minutes and seconds, two digits each ("04:12"; minutes
// past 99 in full, "107:05").
std::string PlayTimeText(int seconds);

}  // namespace orvela
