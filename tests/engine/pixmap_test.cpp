// Pixel buffers: the six formats' read and write rules, row padding, windows, pasting,
// conversion and masking.
#include <gtest/gtest.h>

#include "engine/image/pixmap.h"

namespace orvela {
namespace {

TEST(PixmapTest, EachFormatStoresAndReadsByItsRule) {
  const uint32_t colour = 0x80C86432;  // alpha 128, red 200, green 100, blue 50
  struct Case {
    int format;
    uint32_t read_back;
  } cases[] = {
      {PF_I8, 0xFF000000u + 116 * 0x010101u},  // (200 + 100 + 50) / 3 = 116
      {PF_A8, 0x80FFFFFFu},
      {PF_BGR888, 0xFFC86432u},
      {PF_RGB888, 0xFFC86432u},
      {PF_BGRA8888, 0x80C86432u},
      {PF_RGBA8888, 0x80C86432u},
  };
  for (const Case& c : cases) {
    auto pixmap = TPixmap::Create(3, 2, c.format, 4);
    pixmap->WritePixel(2, 1, colour);
    EXPECT_EQ(pixmap->ReadPixel(2, 1), c.read_back) << "format " << c.format;
    EXPECT_EQ(pixmap->ReadPixel(0, 0) & 0x00FFFFFFu, c.format == PF_A8 ? 0xFFFFFFu : 0u)
        << "untouched pixel, format " << c.format;
  }
}

TEST(PixmapTest, ByteOrderInMemoryFollowsTheFormat) {
  auto bgra = TPixmap::Create(1, 1, PF_BGRA8888, 4);
  bgra->WritePixel(0, 0, 0x11223344);
  EXPECT_EQ(bgra->pixels[0], 0x44);  // blue
  EXPECT_EQ(bgra->pixels[3], 0x11);  // alpha
  EXPECT_EQ(bgra->Row32(0)[0], 0x11223344u);
  auto rgba = TPixmap::Create(1, 1, PF_RGBA8888, 4);
  rgba->WritePixel(0, 0, 0x11223344);
  EXPECT_EQ(rgba->pixels[0], 0x22);  // red
  EXPECT_EQ(rgba->pixels[3], 0x11);
  auto rgb = TPixmap::Create(1, 1, PF_RGB888, 1);
  rgb->WritePixel(0, 0, 0x11223344);
  EXPECT_EQ(rgb->pixels[0], 0x22);
  EXPECT_EQ(rgb->pixels[2], 0x44);
}

TEST(PixmapTest, RowsArePaddedToTheAlignment) {
  EXPECT_EQ(TPixmap::Create(5, 2, PF_BGR888, 4)->pitch, 16);
  EXPECT_EQ(TPixmap::Create(5, 2, PF_BGR888, 1)->pitch, 15);
  EXPECT_EQ(TPixmap::Create(3, 2, PF_I8, 8)->pitch, 8);
  EXPECT_TRUE(TPixmap::Create(0, 4, PF_BGRA8888, 4)->Empty());
  EXPECT_TRUE(TPixmap::Create(4, 4, 99, 4)->Empty());
}

TEST(PixmapTest, OutsideReadsZeroAndWritesAreIgnored) {
  auto pixmap = TPixmap::Create(2, 2, PF_BGRA8888, 4);
  pixmap->WritePixel(-1, 0, 0xFFFFFFFF);
  pixmap->WritePixel(2, 0, 0xFFFFFFFF);
  pixmap->WritePixel(0, 5, 0xFFFFFFFF);
  EXPECT_EQ(pixmap->ReadPixel(5, 5), 0u);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) EXPECT_EQ(pixmap->ReadPixel(x, y), 0u);
}

TEST(PixmapTest, ClearPixelsFillsEveryPixel) {
  auto pixmap = TPixmap::Create(3, 3, PF_RGB888, 4);
  pixmap->ClearPixels(0xFF102030);
  EXPECT_EQ(pixmap->ReadPixel(2, 2), 0xFF102030u);
  pixmap->ClearPixels(0);
  EXPECT_EQ(pixmap->ReadPixel(1, 1), 0xFF000000u);  // no alpha in the format: reads opaque
  EXPECT_EQ(pixmap->pixels[0], 0);
}

TEST(PixmapTest, WindowSharesPixelsAndCopyDoesNot) {
  auto pixmap = TPixmap::Create(10, 10, PF_BGRA8888, 4);
  auto window = pixmap->Window(2, 3, 4, 4);
  ASSERT_EQ(window->width, 4);
  window->WritePixel(0, 0, 0xFFABCDEF);
  EXPECT_EQ(pixmap->ReadPixel(2, 3), 0xFFABCDEFu);
  pixmap->WritePixel(5, 6, 0xFF010203);
  EXPECT_EQ(window->ReadPixel(3, 3), 0xFF010203u);
  auto copy = pixmap->Copy();
  copy->WritePixel(2, 3, 0);
  EXPECT_EQ(pixmap->ReadPixel(2, 3), 0xFFABCDEFu);
  // A window reaching past the buffer is clipped.
  EXPECT_EQ(pixmap->Window(8, 8, 5, 5)->width, 2);
}

TEST(PixmapTest, ACopyHasZeroPaddingAndABufferForOverwriteItsSize) {
  auto pixmap = TPixmap::Create(5, 2, PF_BGR888, 4);  // 15 bytes of pixels, 1 of padding
  pixmap->WritePixel(4, 1, 0xFF123456u);
  pixmap->Row(0)[15] = pixmap->Row(1)[15] = 0xAB;  // padding someone wrote into
  auto copy = pixmap->Copy();
  ASSERT_EQ(copy->pitch, 16);
  EXPECT_EQ(copy->ReadPixel(4, 1), 0xFF123456u);
  EXPECT_EQ(copy->Row(0)[15], 0);
  EXPECT_EQ(copy->Row(1)[15], 0);
  auto blank = TPixmap::CreateForOverwrite(5, 2, PF_BGR888, 4);
  EXPECT_EQ(blank->pitch, 16);
  EXPECT_EQ(blank->capacity, 32);
  EXPECT_TRUE(TPixmap::CreateForOverwrite(0, 2)->Empty());
}

TEST(PixmapTest, PasteConvertsAndClips) {
  auto target = TPixmap::Create(4, 4, PF_BGRA8888, 4);
  auto source = TPixmap::Create(3, 3, PF_I8, 4);
  source->ClearPixels(0xFF646464);
  target->Paste(*source, 2, -1);
  EXPECT_EQ(target->ReadPixel(2, 0), 0xFF646464u);
  EXPECT_EQ(target->ReadPixel(3, 1), 0xFF646464u);
  EXPECT_EQ(target->ReadPixel(1, 0), 0u);
  EXPECT_EQ(target->ReadPixel(2, 2), 0u);
  auto converted = target->Convert(PF_RGB888);
  EXPECT_EQ(converted->format, PF_RGB888);
  EXPECT_EQ(converted->ReadPixel(3, 1), 0xFF646464u);
}

TEST(PixmapTest, MaskPixmapMakesOnlyTheExactColourTransparent) {
  auto pixmap = TPixmap::Create(3, 1, PF_BGR888, 4);
  pixmap->WritePixel(0, 0, 0xFF000000);
  pixmap->WritePixel(1, 0, 0xFF010000);
  pixmap->WritePixel(2, 0, 0xFF00FF00);
  auto black = MaskPixmap(*pixmap, 0, 0, 0);
  EXPECT_EQ(black->format, PF_RGBA8888);
  EXPECT_EQ(black->ReadPixel(0, 0) >> 24, 0u);
  EXPECT_EQ(black->ReadPixel(1, 0), 0xFF010000u);
  EXPECT_EQ(MaskPixmap(*pixmap, 0, 255, 0)->ReadPixel(2, 0) >> 24, 0u);
}

}  // namespace
}  // namespace orvela
