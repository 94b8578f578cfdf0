// TZegar.
#include "play/waiting_clock.h"

#include <string>

#include "engine/engine.h"

namespace orvela {

std::array<ImageRef, 10>& TZegar::Frames() {
  static std::array<ImageRef, 10> frames;
  return frames;
}

void TZegar::setup() {
  for (int i = 0; i < 10; ++i) {
    ImageRef image = TImage::Load("gfx/zegar/puzel3_000" + std::to_string(i) + ".png", -1);
    MidHandleImage(image);
    Frames()[i] = image;
  }
}

void TZegar::draw() const {
  SetDrawScale(1, 1);
  SetColor(255, 255, 255);
  DrawImageFrame(Frames()[f], static_cast<float>(x), static_cast<float>(y), 0);
}

void TZegar::start() {
  czas = MilliClock() + 600;
  f = 0;
}

void TZegar::update() {
  if (MilliClock() > czas) {
    f = (f + 1) % 10;
    czas = MilliClock() + 600;
  }
}

std::shared_ptr<TZegar> MakeWaitingClock(int x, int y) {
  auto clock = std::make_shared<TZegar>();
  clock->x = x;
  clock->y = y;
  clock->f = 0;
  clock->czas = MilliClock();
  return clock;
}

}  // namespace orvela
