// Picture decoders: what each recognises, what comes back, and that broken files give null.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/image/codecs.h"
#include "support/headless.h"

namespace orvela {
namespace {

using testing::ReadBytes;
using testing::ScopedTempDir;

PixmapRef Decode(const std::string& bytes) {
  return DecodePicture(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

std::string Le16(int v) {
  return {static_cast<char>(v & 255), static_cast<char>(v >> 8)};
}
std::string Le32(int v) {
  return Le16(v & 0xFFFF) + Le16((v >> 16) & 0xFFFF);
}

// A 2 × 2 24-bit bottom-up BMP: top row red, green; bottom row blue, white.
std::string TinyBmp() {
  const std::string rows = std::string("\xFF\x00\x00\xFF\xFF\xFF\x00\x00", 8) +  // blue, white
                           std::string("\x00\x00\xFF\x00\xFF\x00\x00\x00", 8);   // red, green
  std::string header = "BM" + Le32(54 + 16) + Le32(0) + Le32(54);
  header += Le32(40) + Le32(2) + Le32(2) + Le16(1) + Le16(24) + Le32(0) + Le32(16) + Le32(2835) +
            Le32(2835) + Le32(0) + Le32(0);
  return header + rows;
}

std::string TgaHeader(int type, int width, int height, int bits, int descriptor) {
  std::string h(18, '\0');
  h[2] = static_cast<char>(type);
  h.replace(12, 2, Le16(width));
  h.replace(14, 2, Le16(height));
  h[16] = static_cast<char>(bits);
  h[17] = static_cast<char>(descriptor);
  return h;
}

PixmapRef Gradient(int w, int h, bool alpha) {
  auto pixmap = TPixmap::Create(w, h, PF_BGRA8888, 4);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      pixmap->WritePixel(x, y,
                         ((alpha ? 40 + x * 6 : 255) << 24) | (x * 9 << 16) | (y * 11 << 8) | 77);
  return pixmap;
}

TEST(CodecsTest, PngKeepsAlphaOrComesBackWithoutIt) {
  ScopedTempDir dir;
  const auto file = (dir.path() / "a.png").string();
  ASSERT_TRUE(SavePixmapPng(*Gradient(20, 10, true), file));
  PixmapRef back = Decode(ReadBytes(file));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->format, PF_BGRA8888);
  EXPECT_EQ(back->ReadPixel(7, 3), Gradient(20, 10, true)->ReadPixel(7, 3));
  // Written from an opaque buffer the PNG still has an alpha channel; a grey/RGB PNG without
  // one is read as PF_BGR888, tested through a JPEG-like opaque buffer saved and re-read here.
  auto opaque = Gradient(8, 8, false)->Convert(PF_BGR888);
  ASSERT_TRUE(SavePixmapPng(*opaque, file));
  EXPECT_TRUE(Decode(ReadBytes(file)));
}

TEST(CodecsTest, JpegDecodesWithoutAlpha) {
  ScopedTempDir dir;
  const auto file = (dir.path() / "a.jpg").string();
  ASSERT_TRUE(SavePixmapJpeg(*Gradient(32, 16, false), file, 95));
  PixmapRef back = Decode(ReadBytes(file));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->format, PF_BGR888);
  EXPECT_EQ(back->width, 32);
  EXPECT_EQ(back->height, 16);
  EXPECT_NEAR(static_cast<int>((back->ReadPixel(10, 5) >> 16) & 255), 90, 6);
}

TEST(CodecsTest, BmpRowsComeTopDown) {
  PixmapRef bmp = Decode(TinyBmp());
  ASSERT_TRUE(bmp);
  EXPECT_EQ(bmp->format, PF_BGR888);
  EXPECT_EQ(bmp->ReadPixel(0, 0), 0xFFFF0000u);
  EXPECT_EQ(bmp->ReadPixel(1, 0), 0xFF00FF00u);
  EXPECT_EQ(bmp->ReadPixel(0, 1), 0xFF0000FFu);
  EXPECT_EQ(bmp->ReadPixel(1, 1), 0xFFFFFFFFu);
}

TEST(CodecsTest, TgaVariants) {
  // Uncompressed 24-bit, bottom-up (the default origin).
  std::string plain = TgaHeader(2, 2, 2, 24, 0);
  plain += std::string("\x00\x00\xFF\x00\xFF\x00", 6);  // bottom row: red, green
  plain += std::string("\xFF\x00\x00\xFF\xFF\xFF", 6);  // top row: blue, white
  PixmapRef a = Decode(plain);
  ASSERT_TRUE(a);
  EXPECT_EQ(a->format, PF_BGR888);
  EXPECT_EQ(a->ReadPixel(0, 0), 0xFF0000FFu);
  EXPECT_EQ(a->ReadPixel(0, 1), 0xFFFF0000u);

  // Run-length 32-bit with alpha, top-down: a run of 3 then one raw pixel.
  std::string rle = TgaHeader(10, 2, 2, 32, 0x28);
  rle += std::string("\x82\x10\x20\x30\x80", 5) + std::string("\x00\x40\x50\x60\x70", 5);
  PixmapRef b = Decode(rle);
  ASSERT_TRUE(b);
  EXPECT_EQ(b->format, PF_BGRA8888);
  EXPECT_EQ(b->ReadPixel(1, 0), 0x80302010u);
  EXPECT_EQ(b->ReadPixel(1, 1), 0x70605040u);

  // Colour-mapped 8-bit with a 24-bit palette of two colours.
  std::string mapped = TgaHeader(1, 2, 1, 8, 0x20);
  mapped[1] = 1;
  mapped.replace(5, 2, Le16(2));
  mapped[7] = 24;
  mapped += std::string("\x00\x00\xFF\x00\xFF\x00", 6) + std::string("\x01\x00", 2);
  PixmapRef c = Decode(mapped);
  ASSERT_TRUE(c);
  EXPECT_EQ(c->ReadPixel(0, 0), 0xFF00FF00u);
  EXPECT_EQ(c->ReadPixel(1, 0), 0xFFFF0000u);
}

TEST(CodecsTest, TruncatedOrCorruptFilesGiveNull) {
  ScopedTempDir dir;
  ASSERT_TRUE(SavePixmapPng(*Gradient(40, 30, true), (dir.path() / "a.png").string()));
  ASSERT_TRUE(SavePixmapJpeg(*Gradient(40, 30, false), (dir.path() / "a.jpg").string(), 90));
  std::string tga = TgaHeader(2, 4, 4, 24, 0) + std::string(4 * 4 * 3, '\x42');
  const std::vector<std::string> files = {ReadBytes(dir.path() / "a.png"),
                                          ReadBytes(dir.path() / "a.jpg"), TinyBmp(), tga};
  for (const std::string& whole : files) {
    ASSERT_TRUE(Decode(whole));
    for (size_t keep : {whole.size() - 1, whole.size() / 2, size_t{20}, size_t{9}, size_t{2}}) {
      EXPECT_FALSE(Decode(whole.substr(0, keep)))
          << "kept " << keep << " of " << whole.size() << " bytes";
    }
  }
  EXPECT_FALSE(Decode(""));
  EXPECT_FALSE(Decode("not a picture at all"));
  // A TGA header that claims an impossible size.
  EXPECT_FALSE(Decode(TgaHeader(2, 60000, 60000, 24, 0)));
}

}  // namespace
}  // namespace orvela
