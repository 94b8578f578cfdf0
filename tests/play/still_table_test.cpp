// The still table: each frame of play, drawn with the table's resting part from the still
// layer, is exactly the frame drawn without it; the layer is drawn again only when the
// table changes.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "engine/render/still_layer.h"
#include "play_support.h"

namespace orvela::testing {
namespace {

class StillTableTest : public PlayTest {
 protected:
  StillTableTest() : PlayTest(true) {
    MakePuzzle(4, 3, 60, 0, 0);
    SpreadInRows(110, 30);
  }
  ~StillTableTest() override { AllowStillLayers(true); }

  // The canvas differs nowhere from the same frame drawn without the still layer.
  void ExpectSameWithoutLayer(int frame) {
    const PixmapRef shown = canvas().Copy();
    AllowStillLayers(false);
    Cls();
    play->draw();
    services.mouse->Draw();
    AllowStillLayers(true);
    int differing = 0;
    for (int y = 0; y < 600; ++y) {
      for (int x = 0; x < 800; ++x) differing += shown->Row32(y)[x] != canvas().Row32(y)[x];
    }
    EXPECT_EQ(differing, 0) << "frame " << frame;
  }

  static constexpr int kIn = kFadedIn;
};

TEST_F(StillTableTest, EveryFrameLooksAsDrawnWithoutTheLayer) {
  const Ref<TPuzel> low = Piece(1), high = Piece(10);
  Piece(7)->y = 12;  // reaches into the bar: it and those above it are drawn every frame
  RunPlay([&](int frame) {
    if (frame >= kIn - 2) ExpectSameWithoutLayer(frame);
    const int x = static_cast<int>(low->x), y = static_cast<int>(low->y);
    const std::map<int, std::function<void()>> steps = {
        {0, [&] { MoveTo(x + 20, y + 20); }},  // hover
        {2, [&] { Press(x + 20, y + 20); }},   // a piece low in the list picked up
        {3, [&] { Release(); }},
        {5, [&] { MoveTo(420, 470); }},
        {9, [&] { Press(420, 470); }},  // and put down: its shadow fades on top
        {10, [&] { Release(); }},
        {20, [&] { play->checkGhost(); }},
        {24, [&] { Press(static_cast<int>(high->x) + 5, static_cast<int>(high->y) + 5); }},
        {25, [&] { Release(); }},
        {27, [&] { MoveTo(200, 520); }},
        {30, [&] { Press(200, 520); }},
        {31, [&] { Release(); }},
        {34, [&] { play->_giveHint(); }},  // two pieces blink
        {40, [&] { Press(790, 590); }},    // a rubber band over most of the table
        {41, [&] { MoveTo(5, 60); }},
        {43, [&] { Release(); }},
        {45, [&] { MoveTo(300, 300); }},
        {50, [&] { StopPlay(); }},
    };
    if (const auto step = steps.find(frame - kIn); step != steps.end()) step->second();
  });
}

TEST_F(StillTableTest, ALayerIsDrawnOnceWhileNothingMoves) {
  long before = 0;
  RunPlay([&](int frame) {
    if (frame == kIn) MoveTo(790, 590);  // over the bare table
    if (frame == kIn + 30) before = play->stillTable().Redraws();
    if (frame == kIn + 60) {
      EXPECT_EQ(play->stillTable().Redraws(), before);
      Piece(4)->x += 3;  // moved by anything at all: drawn again
    }
    if (frame == kIn + 62) {
      EXPECT_EQ(play->stillTable().Redraws(), before + 1);
      StopPlay();
    }
  });
}

}  // namespace
}  // namespace orvela::testing
