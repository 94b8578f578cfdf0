// TZegar: the waiting clock shown while a picture is cut, a ten-frame turning clock that
// steps one frame every 600 ms of the millisecond clock, however often it is updated.
#pragma once

#include <array>
#include <memory>

#include "engine/image/image.h"
#include "engine/object.h"

namespace orvela {

class TZegar : public TObject {
 public:
  float xws = 0, yws = 0;  // not used
  int x = 0, y = 0;        // centre of the frame
  int f = 0;               // current frame 0..9
  int czas = 0;            // when the next frame is due (MilliClock)

  // Loads the ten frame images ("gfx/zegar/puzel3_0000.png" ...), centre-handled.
  static void setup();
  static std::array<ImageRef, 10>& Frames();

  void draw() const;
  void start();
  void update();
};

// A clock at (x, y) on frame 0, due now.
std::shared_ptr<TZegar> MakeWaitingClock(int x, int y);

}  // namespace orvela
