// TClock and its digit-strip variant TAnimClock: a countdown of whole seconds drawn as
// m:ss from an image strip (frames 0..9 the digits, frame 10 the separator).
#pragma once

#include <memory>

#include "engine/image/image.h"
#include "engine/loading.h"
#include "engine/object.h"
#include "ui/dim.h"

namespace orvela {

class TClock : public TObject {
 public:
  float seconds = 0;     // the time shown, counting down
  float secondsEnd = 0;  // when the next second is taken off (milliseconds)

  virtual int Set(int /*seconds*/) { return 0; }
  virtual int Start() { return 0; }
  virtual int Stop() { return 0; }
  virtual int Stopped() { return 0; }
  virtual int Draw() { return 0; }
  virtual int State() { return 0; }
};

class TAnimClock : public TClock {
 public:
  // The source is loaded as a pixel buffer and cut into `frames` frames side by side.
  static std::shared_ptr<TAnimClock> Create(const Source& image, const DimRef& dim, int frames);

  ImageRef image;
  DimRef dim;

  int Set(int value) override;
  int Start() override;
  int Stop() override;
  int Stopped() override { return seconds == 0 ? 1 : 0; }
  // Minutes (one digit), the separator, tens and units of the seconds.
  int Draw() override;
  // Once per frame: takes one second off when the current one has passed; stops at 0.
  int State() override;
};

}  // namespace orvela
