// The window frame's nine slices: they load, corners and edges share one border thickness (so
// the border closes around the rectangle), and the slices the frame stretches across its width
// are uniform across it (so no seam or smear shows at any size).
#include <gtest/gtest.h>

#include <string>

#include "engine/engine.h"
#include "support/headless.h"

namespace orvela {
namespace {

using FrameSlicesTest = testing::HeadlessTest;

const char* const kNames[9] = {"top_left",    "top",    "top_right",    "left",  "right",
                               "bottom_left", "bottom", "bottom_right", "centre"};

PixmapRef Slice(int position) {
  return LoadPixmapFile(std::string("gfx/gui/frame/") + kNames[position] + ".png");
}

TEST_F(FrameSlicesTest, SlicesShareTheBorderThicknessAndStretchWithoutSeams) {
  PixmapRef s[9];
  for (int p = 0; p < 9; ++p) {
    s[p] = Slice(p);
    ASSERT_TRUE(s[p] && !s[p]->Empty()) << kNames[p];
  }
  const int cw = s[0]->width, ch = s[0]->height;
  for (int corner : {2, 5, 7}) {
    EXPECT_EQ(s[corner]->width, cw) << kNames[corner];
    EXPECT_EQ(s[corner]->height, ch) << kNames[corner];
  }
  EXPECT_EQ(s[1]->height, ch);
  EXPECT_EQ(s[6]->height, ch);
  EXPECT_EQ(s[3]->width, cw);
  EXPECT_EQ(s[4]->width, cw);
  EXPECT_EQ(s[3]->height, s[8]->height);  // the sides and the centre stretch alike
  EXPECT_EQ(s[4]->height, s[8]->height);
  // The centre is opaque: a filled frame hides what lies under it.
  for (int y = 0; y < s[8]->height; ++y) EXPECT_EQ(s[8]->ReadPixel(0, y) >> 24, 255u) << y;
  for (int p : {1, 6, 8}) {
    const TPixmap& slice = *s[p];
    for (int y = 0; y < slice.height; ++y) {
      for (int x = 1; x < slice.width; ++x) {
        ASSERT_EQ(slice.ReadPixel(x, y), slice.ReadPixel(0, y))
            << kNames[p] << " " << x << "," << y;
      }
    }
  }
}

}  // namespace
}  // namespace orvela
