// TAnimClock.
#include "ui/clock.h"

#include "engine/engine.h"

namespace orvela {

std::shared_ptr<TAnimClock> TAnimClock::Create(const Source& source, const DimRef& dim,
                                               int frames) {
  auto clock = std::make_shared<TAnimClock>();
  clock->dim = dim;
  PixmapRef strip = PixmapOf(source);
  if (strip && frames > 0 && !strip->Empty()) {
    clock->image = TImage::LoadAnim(strip, strip->width / frames, strip->height, 0, frames, -1);
  }
  return clock;
}

int TAnimClock::Set(int value) {
  seconds = static_cast<float>(value);
  secondsEnd = static_cast<float>(MilliClock() + 1000);
  return 0;
}

int TAnimClock::Start() {
  secondsEnd = static_cast<float>(MilliClock() + 1000);
  return 0;
}

int TAnimClock::Stop() {
  seconds = 0;
  return 0;
}

int TAnimClock::State() {
  if (seconds < 0) seconds = 0;
  if (seconds == 0) return 0;
  const int now = MilliClock();
  if (secondsEnd < static_cast<float>(now)) {
    seconds -= 1;
    secondsEnd = static_cast<float>(now + 1000);
  }
  return 0;
}

int TAnimClock::Draw() {
  if (!dim) return 0;
  const float left = dim->Left(), top = dim->Top();
  const int whole = static_cast<int>(seconds);
  DrawImageFrame(image, left + 53, top, (whole % 60) % 10);
  DrawImageFrame(image, left + 35, top, (whole % 60) / 10);
  DrawImageFrame(image, left + 18, top - 2, 10);
  DrawImageFrame(image, left, top, whole / 60);
  return 0;
}

}  // namespace orvela
