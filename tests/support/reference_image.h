// Reference-image checks: a drawn result compared with a small PNG kept under
// tests/reference/, channel by channel within a tolerance.
//
// When a change to what is drawn is intended, rebuild the pictures and look at them before
// committing:
//   ORVELA_UPDATE_REFERENCE=1 ctest --test-dir build -R ReferenceTest
// With that variable set the checks write the drawn result over the reference and pass.
// A failed check writes what was drawn to <temp>/orvela-reference/NAME.actual.png.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "engine/image/pixmap.h"

namespace orvela::testing {

// A width × height picture whose every pixel differs from its neighbours (red rising to the
// right, green downwards), so a piece cut from it shows exactly which pixels it took.
PixmapRef GradientPixmap(int width, int height);

// The rectangle of the buffer as a new opaque PF_BGRA8888 buffer: what a screen shows, with
// the canvas's own alpha (which nobody sees) set to 255.
PixmapRef ScreenCrop(const TPixmap& canvas, int x, int y, int width, int height);

// Compares the picture with tests/reference/NAME.png: the same size, and every channel
// within tolerance steps of the reference (colours of pixels transparent in both count as
// equal).
::testing::AssertionResult MatchesReference(const TPixmap& actual, const std::string& name,
                                            int tolerance = 0);

}  // namespace orvela::testing
