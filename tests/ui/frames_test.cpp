// Frames: the colour frame's bands outside the rectangle and its fill on it, the nine-slice
// frame's placing and stretching of each slice, the slices it leaves out, and the drawing state
// both leave behind.
#include <gtest/gtest.h>

#include "ui/frames.h"
#include "ui_support.h"

namespace orvela {
namespace {

constexpr uint32_t kBand = 0xFFFF0000, kFill = 0xFF0000FF, kBlack = 0xFF000000;

class FramesTest : public testing::UiTest {
 protected:
  FramesTest() { SetBlend(SOLIDBLEND); }

  // True when every pixel of [x0, x1) × [y0, y1) has the colour.
  bool Filled(int x0, int y0, int x1, int y1, uint32_t color) {
    for (int y = y0; y < y1; ++y) {
      for (int x = x0; x < x1; ++x) {
        if (Pixel(x, y) != color) return false;
      }
    }
    return true;
  }

  void ExpectDrawingStateReset() {
    EXPECT_EQ(GetAlpha(), 1.0f);
    EXPECT_EQ(GetDrawScale(), std::make_pair(1.0f, 1.0f));
  }
};

ColorFrameRef BorderFrame(int background, int kind) {
  return CreateColorFrame(TDim::Create(10, 10, 100, 50, 2, 1, 1, 0), TColor::Create(kBand),
                          background, TColor::Create(kFill), 1, kind);
}

TEST_F(FramesTest, ColourFrameBandsLieOutsideTheRectangleAndTheFillExactlyOnIt) {
  BorderFrame(0, 0)->Draw();
  // Size 2 around (10, 10, 100, 50): the bands cover (8, 8) to (112, 62).
  EXPECT_TRUE(Filled(8, 8, 112, 10, kBand));   // top
  EXPECT_TRUE(Filled(8, 60, 112, 62, kBand));  // bottom
  EXPECT_TRUE(Filled(8, 10, 10, 60, kBand));   // left
  EXPECT_TRUE(Filled(110, 10, 112, 60, kBand));
  EXPECT_EQ(Pixel(7, 7), kBlack);
  EXPECT_EQ(Pixel(112, 62), kBlack);
  EXPECT_EQ(Pixel(112, 30), kBlack);
  EXPECT_TRUE(Filled(10, 10, 110, 60, kBlack));  // no fill without background
  int r = 0, g = 0, b = 0;
  GetColor(&r, &g, &b);
  EXPECT_EQ(r + g + b, 3 * 255);  // colour white again
  ExpectDrawingStateReset();

  Cls();
  BorderFrame(1, 0)->Draw();
  EXPECT_TRUE(Filled(10, 10, 110, 60, kFill));
  EXPECT_TRUE(Filled(8, 8, 112, 10, kBand));

  // Kind 1 has no top band; the sides still start at the rectangle's top.
  Cls();
  BorderFrame(1, 1)->Draw();
  EXPECT_TRUE(Filled(8, 8, 112, 10, kBlack));
  EXPECT_TRUE(Filled(8, 10, 10, 60, kBand));
  EXPECT_TRUE(Filled(8, 60, 112, 62, kBand));
  EXPECT_TRUE(Filled(10, 10, 110, 60, kFill));
}

TEST_F(FramesTest, ColourFrameDrawsWithItsAlphaAndNotWhenHiddenOrWithoutARectangle) {
  SetBlend(ALPHABLEND);
  ColorFrameRef frame = BorderFrame(1, 0);
  frame->alpha = 0.5f;
  frame->Draw();
  const uint32_t half_fill = Pixel(50, 30);
  EXPECT_GT(half_fill & 0xFF, 120u);
  EXPECT_LT(half_fill & 0xFF, 135u);
  ExpectDrawingStateReset();

  Cls();
  frame->visible = 0;
  frame->Draw();
  frame->visible = 1;
  frame->dim = nullptr;
  frame->Draw();
  EXPECT_EQ(InkColumns(0, 600).first, -1);
}

// Nine slices of distinct colours: corners 4 × 3, top and bottom edges 2 × 3, side edges 4 × 5,
// centre 2 × 2; drawn around the rectangle (100, 100, 40, 20).
constexpr uint32_t kSliceColors[9] = {0xFF100000, 0xFF200000, 0xFF300000, 0xFF400000, 0xFF500000,
                                      0xFF600000, 0xFF700000, 0xFF800000, 0xFF900000};

class NineSliceTest : public FramesTest {
 protected:
  ImageFrameRef Make(int background, int kind) {
    ImageFrameRef frame =
        CreateImageFrame(TDim::Create(100, 100, 40, 20, 0, 1, 1, 0), background, 1, kind);
    const int sizes[9][2] = {{4, 3}, {2, 3}, {4, 3}, {4, 5}, {4, 5},
                             {4, 3}, {2, 3}, {4, 3}, {2, 2}};
    for (int p = 0; p < 9; ++p) {
      frame->AddImage(Solid(sizes[p][0], sizes[p][1], kSliceColors[p]), p);
    }
    return frame;
  }
};

TEST_F(NineSliceTest, SlicesSitAroundTheRectangleAndTheEdgesStretchToItsLength) {
  Make(1, 0)->Draw();
  EXPECT_TRUE(Filled(96, 97, 100, 100, kSliceColors[SLICE_TOP_LEFT]));
  EXPECT_TRUE(Filled(100, 97, 140, 100, kSliceColors[SLICE_TOP]));  // 2 wide, stretched 20 ×
  EXPECT_TRUE(Filled(140, 97, 144, 100, kSliceColors[SLICE_TOP_RIGHT]));
  EXPECT_TRUE(Filled(96, 100, 100, 120, kSliceColors[SLICE_LEFT]));  // 5 high, stretched 4 ×
  EXPECT_TRUE(Filled(140, 100, 144, 120, kSliceColors[SLICE_RIGHT]));
  EXPECT_TRUE(Filled(96, 120, 100, 123, kSliceColors[SLICE_BOTTOM_LEFT]));
  EXPECT_TRUE(Filled(100, 120, 140, 123, kSliceColors[SLICE_BOTTOM]));
  EXPECT_TRUE(Filled(140, 120, 144, 123, kSliceColors[SLICE_BOTTOM_RIGHT]));
  EXPECT_TRUE(Filled(100, 100, 140, 120, kSliceColors[SLICE_CENTRE]));
  // Nothing beyond the outer edge of the slices.
  EXPECT_EQ(Pixel(95, 110), kBlack);
  EXPECT_EQ(Pixel(144, 110), kBlack);
  EXPECT_EQ(Pixel(120, 96), kBlack);
  EXPECT_EQ(Pixel(120, 123), kBlack);
  ExpectDrawingStateReset();
}

TEST_F(NineSliceTest, KindOneLeavesOutTheTopRowAndNoBackgroundLeavesTheInsideClear) {
  Make(0, 1)->Draw();
  EXPECT_TRUE(Filled(96, 97, 144, 100, kBlack));
  EXPECT_TRUE(Filled(100, 100, 140, 120, kBlack));
  EXPECT_TRUE(Filled(96, 100, 100, 120, kSliceColors[SLICE_LEFT]));
  EXPECT_TRUE(Filled(100, 120, 140, 123, kSliceColors[SLICE_BOTTOM]));
}

TEST_F(NineSliceTest, MissingSlicesAreSkippedAndTheFirstSliceOfAPositionIsUsed) {
  ImageFrameRef frame = Make(1, 0);
  // A second top-left slice is never the one drawn or returned.
  frame->AddImage(Solid(4, 3, 0xFFABCDEF), SLICE_TOP_LEFT);
  EXPECT_EQ(frame->GetImage(SLICE_TOP_LEFT), frame->images.First());
  // Take out the centre and an edge: the rest still draws.
  for (auto it = frame->images.begin(); it != frame->images.end();) {
    const int p = (*it)->position;
    it = (p == SLICE_CENTRE || p == SLICE_RIGHT) ? frame->images.erase(it) : std::next(it);
  }
  EXPECT_EQ(frame->GetImage(SLICE_CENTRE), nullptr);
  frame->Draw();
  EXPECT_TRUE(Filled(96, 97, 100, 100, kSliceColors[SLICE_TOP_LEFT]));
  EXPECT_TRUE(Filled(100, 100, 140, 120, kBlack));
  EXPECT_TRUE(Filled(140, 100, 144, 120, kBlack));
  EXPECT_TRUE(Filled(140, 120, 144, 123, kSliceColors[SLICE_BOTTOM_RIGHT]));

  // An empty frame, a hidden one and a base frame draw nothing and hold nothing.
  Cls();
  CreateImageFrame(TDim::Create(100, 100, 40, 20, 0, 1, 1, 0), 1, 1, 0)->Draw();
  frame->visible = 0;
  frame->Draw();
  EXPECT_EQ(InkColumns(0, 600).first, -1);
  TFrame base;
  EXPECT_EQ(base.AddImage(Solid(2, 2, kBand), 0), 0);
  EXPECT_EQ(base.GetImage(0), nullptr);
  EXPECT_EQ(base.Draw(), 0);
}

TEST_F(FramesTest, SliceOfNoKnownPositionDrawsUnscaledAtTheOriginAndAMissingFileGivesNoImage) {
  SliceImageRef odd = CreateSliceImage(Solid(3, 2, kBand), 9);
  odd->Draw(*TDim::Create(50, 50, 40, 20, 0, 1, 1, 0), 1);
  EXPECT_TRUE(Filled(0, 0, 3, 2, kBand));
  EXPECT_EQ(Pixel(3, 0), kBlack);
  EXPECT_EQ(Pixel(50, 50), kBlack);

  SliceImageRef missing = CreateSliceImage("gfx/no-such-slice.png", SLICE_CENTRE);
  EXPECT_EQ(missing->image, nullptr);
  EXPECT_EQ(missing->position, SLICE_CENTRE);
  ASSERT_FALSE(platform().Messages().empty());
  EXPECT_NE(platform().Messages().back().find("gfx/no-such-slice.png"), std::string::npos);
  Cls();
  missing->Draw(*TDim::Create(50, 50, 40, 20, 0, 1, 1, 0), 1);
  EXPECT_EQ(InkColumns(0, 600).first, -1);
}

}  // namespace
}  // namespace orvela
