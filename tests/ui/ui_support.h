// Shared helpers of the toolkit tests: a headless engine with a plain global mouse, frames of
// pointer input, and readings of what was drawn.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "engine/engine.h"
#include "engine/image/image.h"
#include "support/headless.h"
#include "ui/mouse.h"

namespace orvela::testing {

class UiTest : public HeadlessTest {
 protected:
  UiTest() : mouse(std::make_shared<TMouse>()) { SetGlobalMouse(mouse); }
  ~UiTest() override { SetGlobalMouse(nullptr); }

  // One frame of input: the pointer moves to (x, y); `press` queues a press of the left
  // button, `release` a release; then the mouse fetches its state.
  void Frame(int x, int y, bool press = false, bool release = false) {
    platform().QueueMouseMove(x, y);
    if (press) platform().QueueMouseButton(1, true);
    if (release) platform().QueueMouseButton(1, false);
    mouse->fetchState();
  }

  // An opaque one-colour image (no mask, no filtering, so its pixels land exactly).
  static ImageRef Solid(int width, int height, uint32_t argb) {
    return TImage::Load(SolidPixmap(width, height, argb), 0);
  }

  // The leftmost and rightmost non-black columns of the canvas within rows [y0, y1); -1 when
  // nothing was drawn there.
  std::pair<int, int> InkColumns(int y0, int y1, int x0 = 0, int x1 = 800) {
    int left = -1, right = -1;
    for (int x = x0; x < x1; ++x) {
      for (int y = y0; y < y1; ++y) {
        if ((Pixel(x, y) & 0xFFFFFF) != 0) {
          if (left < 0) left = x;
          right = x;
          break;
        }
      }
    }
    return {left, right};
  }

  std::shared_ptr<TMouse> mouse;
};

}  // namespace orvela::testing
