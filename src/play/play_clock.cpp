// The play clock.
#include "play/play_clock.h"

#include <algorithm>
#include <cstdio>

#include "engine/engine.h"

namespace orvela {

void PlayClock::Set(int seconds) {
  milliseconds_ = static_cast<int64_t>(std::clamp(seconds, 0, kMaxSeconds)) * 1000;
  running_ = false;
}

void PlayClock::Run(int now) {
  if (running_) {
    // A step backwards (a clock set back) counts nothing.
    const int step = std::max(0, MilliBetween(last_, now));
    milliseconds_ = std::min<int64_t>(milliseconds_ + step, int64_t{kMaxSeconds} * 1000);
  }
  last_ = now;
  running_ = true;
}

int PlayClock::Seconds() const {
  return static_cast<int>(milliseconds_ / 1000);
}

std::string PlayTimeText(int seconds) {
  seconds = std::max(0, seconds);
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d", seconds / 60, seconds % 60);
  return text;
}

}  // namespace orvela
