// Drawing on the headless canvas: the blend table, tint and alpha, the scale-and-rotation
// matrix about the handle, rectangles, lines, pixel-buffer copies and the display re-opening.
#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>

#include "engine/render/renderer.h"
#include "support/headless.h"

namespace orvela {
namespace {

using testing::HeadlessTest;
using testing::SolidPixmap;

// Channel-wise comparison with a tolerance of one step for rounding.
::testing::AssertionResult Near(uint32_t actual, int r, int g, int b) {
  const int ar = (actual >> 16) & 255, ag = (actual >> 8) & 255, ab = actual & 255;
  if (std::abs(ar - r) <= 1 && std::abs(ag - g) <= 1 && std::abs(ab - b) <= 1) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "got (" << ar << ", " << ag << ", " << ab << "), want ("
                                       << r << ", " << g << ", " << b << ")";
}

class DrawTest : public HeadlessTest {
 protected:
  // Fills the canvas area with the destination colour (200, 100, 50).
  void Backdrop() {
    SetBlend(SOLIDBLEND);
    SetAlpha(1);
    SetColor(200, 100, 50);
    DrawRect(0, 0, 100, 100);
    SetColor(255, 255, 255);
  }
  // Draws a 4 × 4 image of (255, 128, 0) with texel alpha 128 in a blend mode at (10, 10).
  uint32_t DrawHalfOrange(int mode, float alpha = 1) {
    Backdrop();
    ImageRef image = TImage::Load(SolidPixmap(4, 4, 0x80FF8000), 0);
    SetBlend(mode);
    SetAlpha(alpha);
    DrawImageFrame(image, 10, 10, 0);
    SetAlpha(1);
    return Pixel(11, 11);
  }
};

TEST_F(DrawTest, BlendModesCombineByTheBlendTable) {
  EXPECT_TRUE(Near(DrawHalfOrange(MASKBLEND), 255, 128, 0));    // alpha 128 passes 0.5
  EXPECT_TRUE(Near(DrawHalfOrange(SOLIDBLEND), 255, 128, 0));   // replaces
  EXPECT_TRUE(Near(DrawHalfOrange(ALPHABLEND), 228, 114, 25));  // s·a + d·(1 − a)
  EXPECT_TRUE(Near(DrawHalfOrange(LIGHTBLEND), 255, 164, 50));  // s·a + d, clipped
  EXPECT_TRUE(Near(DrawHalfOrange(SHADEBLEND), 200, 50, 0));    // s·d
  EXPECT_TRUE(Near(DrawHalfOrange(9), 255, 128, 0));            // unknown: as solid
}

TEST_F(DrawTest, MaskedModeCountsTheCurrentAlphaInTheThreshold) {
  EXPECT_TRUE(Near(DrawHalfOrange(MASKBLEND, 0.9f), 200, 100, 50));  // 128·0.9 < 127.5: skipped
  Backdrop();
  ImageRef opaque = TImage::Load(SolidPixmap(4, 4, 0xFFFF8000), 0);
  SetBlend(MASKBLEND);
  SetAlpha(0.5f);  // 255 · 0.5 = 127.5: exactly at the threshold, written solid
  DrawImageFrame(opaque, 10, 10, 0);
  EXPECT_TRUE(Near(Pixel(11, 11), 255, 128, 0));
}

// A fade that float rounding left a few billionths above 0 (0.05 up seven times and down seven
// times) once made the masked threshold overflow its integer; such alphas, anything below
// 1/255 and NaN draw nothing in every blend mode that reads the alpha.
TEST_F(DrawTest, AlphasBelowOneStepAndNaNDrawNothing) {
  ImageRef opaque = TImage::Load(SolidPixmap(4, 4, 0xFFFF8000), 0);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  for (int mode : {MASKBLEND, ALPHABLEND, LIGHTBLEND}) {
    for (float alpha : {7.45058e-9f, 1e-30f, 0.9f / 255, nan, -0.5f}) {
      Backdrop();
      SetBlend(mode);
      SetAlpha(alpha);
      DrawImageFrame(opaque, 10, 10, 0);
      DrawRect(20, 20, 4, 4);
      EXPECT_TRUE(Near(Pixel(11, 11), 200, 100, 50)) << mode << " " << alpha;
      EXPECT_TRUE(Near(Pixel(21, 21), 200, 100, 50)) << mode << " " << alpha;
    }
  }
  // From one step up the alpha counts: 1/255 lights (255, 128, 0) by one step each.
  Backdrop();
  SetBlend(LIGHTBLEND);
  SetAlpha(1.0f / 255);
  DrawImageFrame(opaque, 10, 10, 0);
  EXPECT_EQ(Pixel(11, 11), 0xFFC96532u);
  // An alpha above 1 counts as 1; the masked threshold stays at 127.5 / 255.
  EXPECT_EQ(MaskThreshold(4.0f), 128u);
  EXPECT_EQ(MaskThreshold(0.5f), 255u);
  EXPECT_EQ(MaskThreshold(0.49f), 256u);
  EXPECT_EQ(AlphaByte(2.0f), 255);
  SetAlpha(1);
}

TEST_F(DrawTest, AlphaFadesAndColourTints) {
  Backdrop();
  ImageRef white = TImage::Load(SolidPixmap(4, 4, 0xFFFFFFFF), 0);
  SetBlend(ALPHABLEND);
  SetColor(128, 255, 0);
  SetAlpha(0.25f);
  DrawImageFrame(white, 10, 10, 0);
  // (128, 255, 0) at a quarter over (200, 100, 50).
  EXPECT_TRUE(Near(Pixel(12, 12), 182, 139, 37));
  SetAlpha(0);
  DrawImageFrame(white, 30, 30, 0);
  EXPECT_TRUE(Near(Pixel(31, 31), 200, 100, 50));
}

TEST_F(DrawTest, ScaleAndRotationTurnAboutTheHandle) {
  auto pixmap = SolidPixmap(10, 6, 0xFF00FF00);
  pixmap->WritePixel(0, 0, 0xFFFF0000);
  pixmap->WritePixel(9, 5, 0xFF0000FF);
  ImageRef image = TImage::Load(pixmap, 0);  // nearest sampling for exact texels
  SetImageHandle(image, 2, 1);
  SetBlend(SOLIDBLEND);
  SetDrawTransform(90, 2, 1);
  DrawImageFrame(image, 100, 100, 0);
  SetDrawTransform(0, 1, 1);
  // A texel (u, v) from the handle lands on (100 − v, 100 + 2u).
  EXPECT_EQ(Pixel(100, 96), 0xFFFF0000u);  // texel (0, 0): u −2..−1, v −1..0
  EXPECT_EQ(Pixel(100, 97), 0xFFFF0000u);
  EXPECT_EQ(Pixel(95, 114), 0xFF0000FFu);  // texel (9, 5): u 7..8, v 4..5
  EXPECT_EQ(Pixel(95, 115), 0xFF0000FFu);
  EXPECT_EQ(Pixel(98, 105), 0xFF00FF00u);
  EXPECT_EQ(Pixel(101, 105), 0xFF000000u);  // right of the turned image
  EXPECT_EQ(Pixel(97, 95), 0xFF000000u);    // above it
}

TEST_F(DrawTest, MidHandledImageScalesAboutItsCentre) {
  ImageRef image = TImage::Load(SolidPixmap(10, 10, 0xFFFFFFFF), 0);
  MidHandleImage(image);
  SetBlend(SOLIDBLEND);
  SetDrawScale(2, 0.5f);
  DrawImageFrame(image, 50, 50, 0);
  SetDrawScale(1, 1);
  // 20 × 5 about (50, 50): x 40..60, y 47.5..52.5 (pixel centres 47.5 to 51.5 inside).
  EXPECT_EQ(Pixel(40, 47), 0xFFFFFFFFu);
  EXPECT_EQ(Pixel(59, 51), 0xFFFFFFFFu);
  EXPECT_EQ(Pixel(39, 50), 0xFF000000u);
  EXPECT_EQ(Pixel(60, 50), 0xFF000000u);
  EXPECT_EQ(Pixel(50, 46), 0xFF000000u);
  EXPECT_EQ(Pixel(50, 52), 0xFF000000u);
}

TEST_F(DrawTest, RectanglesTransformLikeImagesAroundTheDrawingHandle) {
  SetBlend(SOLIDBLEND);
  SetColor(10, 20, 30);
  SetDrawScale(2, 3);
  SetHandle(1, 1);
  DrawRect(100, 100, 5, 2);  // covers (98, 97) to (108, 103)
  SetHandle(0, 0);
  SetDrawScale(1, 1);
  EXPECT_EQ(Pixel(98, 97), 0xFF0A141Eu);
  EXPECT_EQ(Pixel(107, 102), 0xFF0A141Eu);
  EXPECT_EQ(Pixel(108, 102), 0xFF000000u);
  EXPECT_EQ(Pixel(97, 100), 0xFF000000u);
  EXPECT_EQ(Pixel(100, 103), 0xFF000000u);
  // A negative size reaches to the left and up.
  DrawRect(50, 50, -4, -4);
  EXPECT_EQ(Pixel(46, 46), 0xFF0A141Eu);
  EXPECT_EQ(Pixel(50, 50), 0xFF000000u);
}

TEST_F(DrawTest, LinesPlotTheirEndPointOnlyWhenAsked) {
  SetBlend(SOLIDBLEND);
  DrawLine(10, 10, 15, 10, 0);
  DrawLine(10, 20, 15, 20, 1);
  DrawLine(30, 30, 30, 30, 0);  // zero length without its last pixel: nothing
  EXPECT_EQ(Pixel(14, 10), 0xFFFFFFFFu);
  EXPECT_EQ(Pixel(15, 10), 0xFF000000u);
  EXPECT_EQ(Pixel(15, 20), 0xFFFFFFFFu);
  EXPECT_EQ(Pixel(30, 30), 0xFF000000u);
  // A diagonal line is 8-connected: one pixel per column.
  DrawLine(40, 40, 50, 45, 1);
  for (int x = 40; x <= 50; ++x) {
    int lit = 0;
    for (int y = 38; y <= 47; ++y) lit += Pixel(x, y) == 0xFFFFFFFFu;
    EXPECT_EQ(lit, 1) << "column " << x;
  }
}

TEST_F(DrawTest, MissingOrEmptyImagesDrawNothing) {
  DrawImageFrame(nullptr, 0, 0, 0);
  DrawImageFrame(std::make_shared<TImage>(), 0, 0, 0);
  ImageRef image = TImage::Load(SolidPixmap(4, 4, 0xFFFFFFFF), 0);
  DrawImageFrame(image, 0, 0, 1);
  DrawImageFrame(image, 0, 0, -1);
  EXPECT_EQ(Pixel(1, 1), 0xFF000000u);
}

TEST_F(DrawTest, GrabbedPixelsComeBackWithDrawPixmap) {
  SetBlend(SOLIDBLEND);
  SetColor(1, 2, 3);
  DrawRect(5, 5, 3, 3);
  PixmapRef grabbed = GrabPixmap(4, 4, 5, 5);
  ASSERT_EQ(grabbed->width, 5);
  EXPECT_EQ(grabbed->ReadPixel(1, 1), 0xFF010203u);
  EXPECT_EQ(grabbed->ReadPixel(0, 0), 0xFF000000u);
  DrawPixmap(*grabbed, 200, 200);
  EXPECT_EQ(Pixel(201, 201), 0xFF010203u);
  EXPECT_EQ(Pixel(200, 200), 0xFF000000u);
}

TEST_F(DrawTest, MipmappedImagesAverageWhenDrawnSmaller) {
  auto stripes = TPixmap::Create(64, 64, PF_BGRA8888, 4);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) stripes->WritePixel(x, y, x % 2 ? 0xFFFFFFFF : 0xFF000000);
  ImageRef image = TImage::Load(stripes, IMG_FILTERED | IMG_MIPMAPPED);
  SetBlend(SOLIDBLEND);
  SetDrawScale(0.25f, 0.25f);
  DrawImageFrame(image, 0, 0, 0);
  SetDrawScale(1, 1);
  for (int x = 2; x < 14; ++x) EXPECT_TRUE(Near(Pixel(x, 8), 128, 128, 128)) << x;
}

TEST_F(DrawTest, ReopeningTheDisplayResetsTheStateAndKeepsImages) {
  ImageRef image = TImage::Load(SolidPixmap(4, 4, 0xFF336699), 0);
  DrawImageFrame(image, 0, 0, 0);
  SetColor(1, 2, 3);
  SetAlpha(0.5f);
  SetBlend(LIGHTBLEND);
  SetDrawTransform(45, 2, 2);
  ASSERT_EQ(OpenGraphics(800, 600, 32, 60, 0), 1);
  int r, g, b;
  GetColor(&r, &g, &b);
  EXPECT_EQ(r + g + b, 765);
  EXPECT_EQ(GetAlpha(), 1.0f);
  EXPECT_EQ(GetBlend(), MASKBLEND);
  EXPECT_EQ(GetDrawScale(), std::make_pair(1.0f, 1.0f));
  EXPECT_EQ(GetRotation(), 0.0f);
  EXPECT_EQ(GetDrawFont(), TImageFont::BuiltIn());
  Cls();
  DrawImageFrame(image, 10, 10, 0);
  EXPECT_EQ(Pixel(11, 11), 0xFF336699u);
}

}  // namespace
}  // namespace orvela
