// Images: loading flags and the mask colour, animation cells, handles, case-insensitive data
// paths, and the loading helpers' messages.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/files/files.h"
#include "engine/image/codecs.h"
#include "engine/loading.h"
#include "support/headless.h"

namespace orvela {
namespace {

using testing::HeadlessTest;
using testing::SolidPixmap;

class ImageTest : public HeadlessTest {
 protected:
  // A 32 × 16 JPEG: the left 16 × 16 block pure black, the right block pure white (whole
  // blocks decode exactly).
  std::string BlackWhiteJpeg() {
    auto pixmap = SolidPixmap(32, 16, 0xFFFFFFFF);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) pixmap->WritePixel(x, y, 0xFF000000);
    const std::string file = (TempDir() / "bw.jpg").string();
    EXPECT_TRUE(SavePixmapJpeg(*pixmap, file, 100));
    return file;
  }
};

TEST_F(ImageTest, MaskedFlagMakesBlackTransparentOnlyWithoutAlpha) {
  const std::string file = BlackWhiteJpeg();
  ImageRef masked = TImage::Load(file, IMG_MASKED);
  ASSERT_TRUE(masked);
  EXPECT_EQ(masked->pixmaps[0]->ReadPixel(4, 4) >> 24, 0u);
  EXPECT_EQ(masked->pixmaps[0]->ReadPixel(20, 4), 0xFFFFFFFFu);
  ImageRef smooth = TImage::Load(file, IMG_FILTERED | IMG_MIPMAPPED);
  EXPECT_EQ(smooth->pixmaps[0]->ReadPixel(4, 4), 0xFF000000u);
  ImageRef by_default = TImage::Load(file, -1);
  EXPECT_EQ(by_default->flags, IMG_MASKED | IMG_FILTERED);
  EXPECT_EQ(by_default->pixmaps[0]->ReadPixel(4, 4) >> 24, 0u);

  // Drawn over red, the masked black shows the red through.
  SetBlend(SOLIDBLEND);
  SetColor(255, 0, 0);
  DrawRect(0, 0, 100, 100);
  SetColor(255, 255, 255);
  SetBlend(MASKBLEND);
  DrawImageFrame(masked, 10, 10, 0);
  EXPECT_EQ(Pixel(14, 14), 0xFFFF0000u);
  EXPECT_EQ(Pixel(34, 14), 0xFFFFFFFFu);

  // A buffer with alpha keeps its black pixels.
  ImageRef with_alpha = TImage::Load(SolidPixmap(2, 2, 0xFF000000), IMG_MASKED);
  EXPECT_EQ(with_alpha->pixmaps[0]->ReadPixel(0, 0), 0xFF000000u);
}

TEST_F(ImageTest, TheMaskColourCanBeChanged) {
  auto pixmap = TPixmap::Create(2, 1, PF_BGR888, 4);
  pixmap->WritePixel(0, 0, 0xFFFF00FF);
  SetMaskColor(255, 0, 255);
  ImageRef image = TImage::Load(pixmap, -1);
  SetMaskColor(0, 0, 0);
  EXPECT_EQ(image->mask_r, 255);
  EXPECT_EQ(image->pixmaps[0]->ReadPixel(0, 0) >> 24, 0u);
  EXPECT_EQ(image->pixmaps[0]->ReadPixel(1, 0), 0xFF000000u);
}

TEST_F(ImageTest, LoadAnimCutsCellsRowByRow) {
  auto sheet = TPixmap::Create(30, 20, PF_BGRA8888, 4);
  for (int k = 0; k < 6; ++k) {
    auto cell = SolidPixmap(10, 10, 0xFF000000u + k);
    sheet->Paste(*cell, 10 * (k % 3), 10 * (k / 3));
  }
  ImageRef anim = TImage::LoadAnim(sheet, 10, 10, 2, 3, 0);
  ASSERT_TRUE(anim);
  EXPECT_EQ(anim->FrameCount(), 3);
  EXPECT_EQ(anim->width, 10);
  EXPECT_EQ(anim->pixmaps[0]->ReadPixel(5, 5), 0xFF000002u);
  EXPECT_EQ(anim->pixmaps[2]->ReadPixel(5, 5), 0xFF000004u);
  EXPECT_FALSE(TImage::LoadAnim(sheet, 10, 10, 4, 3, 0));  // cells 4..6 but only 0..5 exist
  EXPECT_FALSE(TImage::LoadAnim(sheet, 0, 10, 0, 1, 0));
  // Drawing a frame draws that cell.
  SetBlend(SOLIDBLEND);
  DrawImageFrame(anim, 0, 0, 1);
  EXPECT_EQ(Pixel(3, 3), 0xFF000003u);
}

TEST_F(ImageTest, HandlesPlaceTheImage) {
  ImageRef image = TImage::Load(SolidPixmap(10, 6, 0xFFFFFFFF), 0);
  EXPECT_EQ(image->handle_x, 0);
  MidHandleImage(image);
  EXPECT_EQ(image->handle_x, 5);
  EXPECT_EQ(image->handle_y, 3);
  SetImageHandle(image, 10, 6);
  SetBlend(SOLIDBLEND);
  DrawImageFrame(image, 50, 50, 0);
  EXPECT_EQ(Pixel(49, 49), 0xFFFFFFFFu);
  EXPECT_EQ(Pixel(40, 44), 0xFFFFFFFFu);
  EXPECT_EQ(Pixel(50, 50), 0xFF000000u);
}

TEST_F(ImageTest, DataPathsResolveIgnoringLetterCase) {
  const auto folder = TempDir() / "gfx" / "gui";
  std::filesystem::create_directories(folder);
  ASSERT_TRUE(SavePixmapPng(*SolidPixmap(3, 3, 0xFF102030), (folder / "Button.png").string()));
  const std::string asked = (TempDir() / "gfx" / "GUI" / "button.PNG").string();
  EXPECT_EQ(ResolveDataPath(asked), (folder / "Button.png").string());
  ImageRef image = TImage::Load(asked, -1);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 3);
  EXPECT_FALSE(TImage::Load((TempDir() / "gfx" / "nothing.png").string(), -1));
}

TEST_F(ImageTest, LoadingHelpersReportMissingFilesAndOtherSources) {
  const std::string missing = (TempDir() / "missing.png").string();
  EXPECT_FALSE(ImageOf(missing));
  ASSERT_EQ(platform().Messages().size(), 1u);
  EXPECT_EQ(platform().Messages()[0], "Image does not exists: " + missing);

  ImageRef image = TImage::Load(SolidPixmap(2, 2, 0xFFFFFFFF), -1);
  EXPECT_EQ(ImageOf(image), image);
  EXPECT_EQ(platform().Messages().size(), 1u);

  ImageRef empty = ImageOf(SolidPixmap(2, 2, 0xFFFFFFFF));  // a pixel buffer is no image
  ASSERT_TRUE(empty);
  EXPECT_TRUE(empty->Empty());
  EXPECT_EQ(platform().Messages().back(), "Unsopported image format!");
  EXPECT_TRUE(ImageOf("")->Empty());
  EXPECT_TRUE(ImageOf(nullptr)->Empty());
  EXPECT_EQ(platform().Messages().size(), 4u);

  const std::string other = (TempDir() / "other.png").string();
  EXPECT_FALSE(PixmapOf(other));
  EXPECT_EQ(platform().Messages().back(), "Image does not exists: " + other);
  PixmapRef pixmap = SolidPixmap(1, 1, 0);
  EXPECT_EQ(PixmapOf(pixmap), pixmap);
  EXPECT_TRUE(PixmapOf(image)->Empty());
  EXPECT_EQ(platform().Messages().back(), "Unsopported image format!");
}

TEST_F(ImageTest, EachMissingOrUnreadableFileIsReportedOncePerRun) {
  // A broken picture used by twenty buttons once gave twenty message boxes in a row.
  const std::string corrupt = (TempDir() / "pointOn.png").string();
  testing::WriteBytes(corrupt, "\x89PNG\r\n\x1a\n not really a picture");
  const std::string missing = (TempDir() / "gone.png").string();
  for (int i = 0; i < 20; ++i) {
    EXPECT_FALSE(ImageOf(corrupt));
    EXPECT_FALSE(PixmapOf(corrupt));
    EXPECT_FALSE(ImageOf(missing));
  }
  ASSERT_EQ(platform().Messages().size(), 2u);
  EXPECT_EQ(platform().Messages()[0], "Image does not exists: " + corrupt);
  EXPECT_EQ(platform().Messages()[1], "Image does not exists: " + missing);
  // Sources that are no file at all are no file to remember: reported every time.
  EXPECT_TRUE(ImageOf("")->Empty());
  EXPECT_TRUE(ImageOf("")->Empty());
  EXPECT_EQ(platform().Messages().size(), 4u);
}

}  // namespace
}  // namespace orvela
