// The common steps of every screen loop.
#include "shell/frame.h"

#include "engine/engine.h"
#include "play/play_mouse.h"
#include "shell/game_context.h"
#include "ui/delta_time.h"

namespace orvela {

void BeginFrame() {
  Cls();
  MeasureFrameFactor();
  Game().mouse->fetchState();
}

void ApproachTarget(float& value, float target, float step) {
  if (value < target) {
    value += step;
    if (value > target) value = target;
  }
  if (value > target) {
    value -= step;
    if (value < target) value = target;
  }
}

}  // namespace orvela
