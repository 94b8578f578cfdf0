// The software renderer's blend modes against a picture in tests/reference/: a translucent,
// tinted image drawn in each of the five modes over a coloured backdrop, once as it is and
// once scaled and rotated (bilinear sampling). A step of rounding either way is allowed.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/engine.h"
#include "support/headless.h"
#include "support/reference_image.h"

namespace orvela {
namespace {

using testing::HeadlessTest;
using testing::MatchesReference;
using testing::ScreenCrop;

constexpr int kTile = 48;  // one mode per column, one placement per row
constexpr int kModes[] = {MASKBLEND, SOLIDBLEND, ALPHABLEND, LIGHTBLEND, SHADEBLEND};

// Colour ramps across the tiles, so each mode meets dark, light and saturated destinations.
PixmapRef Backdrop(int width, int height) {
  PixmapRef p = TPixmap::Create(width, height, PF_BGRA8888);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto r = static_cast<uint32_t>(x % kTile * 255 / (kTile - 1));
      const auto g = static_cast<uint32_t>(255 - y % kTile * 255 / (kTile - 1));
      const auto b = static_cast<uint32_t>((x / 8 + y / 8) % 2 ? 200 : 40);
      p->WritePixel(x, y, 0xFF000000u | r << 16 | g << 8 | b);
    }
  }
  return p;
}

// 28 × 28: colour ramps, alpha rising from the transparent top-left corner to opaque.
PixmapRef Source() {
  constexpr int kSize = 28;
  PixmapRef p = TPixmap::Create(kSize, kSize, PF_BGRA8888);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const auto a = static_cast<uint32_t>(std::min(255, (x + y) * 255 / (kSize - 4)));
      const auto r = static_cast<uint32_t>(x * 9), g = static_cast<uint32_t>(y * 9);
      p->WritePixel(x, y, a << 24 | r << 16 | g << 8 | 0xC0u);
    }
  }
  return p;
}

using BlendReferenceTest = HeadlessTest;

TEST_F(BlendReferenceTest, EveryBlendModeAsItIsAndScaledAndRotated) {
  const int width = kTile * 5, height = kTile * 2;
  DrawPixmap(*Backdrop(width, height), 0, 0);
  const ImageRef image = TImage::Load(Source(), IMG_FILTERED);
  for (int column = 0; column < 5; ++column) {
    SetBlend(kModes[column]);
    SetColor(255, 210, 170);
    SetAlpha(0.8f);
    SetDrawTransform(0, 1, 1);
    DrawImageFrame(image, static_cast<float>(column * kTile + 10), 10, 0);
    SetDrawTransform(25, 1.3f, 1.1f);
    DrawImageFrame(image, static_cast<float>(column * kTile + 16), kTile + 4, 0);
  }
  SetDrawTransform(0, 1, 1);
  SetAlpha(1);
  SetColor(255, 255, 255);
  EXPECT_TRUE(MatchesReference(*ScreenCrop(canvas(), 0, 0, width, height), "blend-modes", 1));
}

}  // namespace
}  // namespace orvela
