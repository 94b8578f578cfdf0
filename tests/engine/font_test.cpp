// Fonts and text: measuring with truncation after each glyph, missing glyphs, the built-in
// font, TrueType loading, and text under the drawing matrix.
#include <gtest/gtest.h>

#include "support/headless.h"

namespace orvela {
namespace {

using testing::HeadlessTest;
using testing::WriteBytes;

class FontTest : public HeadlessTest {
 protected:
  // The horizontal extent of lit pixels in a band of rows, or (-1, -1).
  std::pair<int, int> InkColumns(int top, int bottom) {
    int first = -1, last = -1;
    for (int x = 0; x < 800; ++x)
      for (int y = top; y < bottom; ++y)
        if ((Pixel(x, y) & 0xFFFFFF) != 0) {
          if (first < 0) first = x;
          last = x;
        }
    return {first, last};
  }
};

TEST_F(FontTest, WidthIsTruncatedAfterEachGlyph) {
  FontRef font = TImageFont::CreateBlank(12);
  font->DefineGlyph('a', 2.6f);
  font->DefineGlyph('b', 3.5f);
  SetDrawFont(font);
  EXPECT_EQ(StringWidth(""), 0);
  EXPECT_EQ(StringWidth("a"), 2);
  EXPECT_EQ(StringWidth("aaa"), 6);  // 2.6 → 2, 4.6 → 4, 6.6 → 6 (not 7.8)
  EXPECT_EQ(StringWidth("ab"), 5);   // 2 + 3.5 = 5.5 → 5
  EXPECT_EQ(StringWidth("a?b"), 5);  // no glyph for '?': adds nothing
  EXPECT_EQ(StringHeight(), 12);
}

TEST_F(FontTest, BuiltInFontWhenNoneIsSelected) {
  SetDrawFont(nullptr);
  EXPECT_EQ(GetDrawFont(), TImageFont::BuiltIn());
  EXPECT_EQ(StringWidth("abc"), 18);
  EXPECT_EQ(StringWidth("a\xC4\x85"), 6);  // 'ą' is not in the built-in font
  SetBlend(SOLIDBLEND);
  DrawString("H", 10, 10);
  EXPECT_EQ(InkColumns(10, 20), std::make_pair(10, 14));
}

TEST_F(FontTest, TrueTypeFontLoadsAndSkipsMissingCharacters) {
  FontRef font = TImageFont::Load("gfx/bluehigh.ttf", 20, FONT_SMOOTH);
  ASSERT_TRUE(font);
  EXPECT_GE(font->Height(), 20);
  EXPECT_LE(font->Height(), 32);
  SetDrawFont(font);
  EXPECT_GT(StringWidth("Puzzle"), 40);
  EXPECT_GT(StringWidth("\xC5\x81\xC3\xB3\x64\xC5\xBA"), 30);  // Łódź: Polish letters exist
  const std::string with_cjk =
      "ab\xE4\xB8\x80"
      "c";  // U+4E00 is not in the font
  EXPECT_EQ(StringWidth(with_cjk), StringWidth("abc"));

  SetBlend(ALPHABLEND);
  DrawString(with_cjk, 10, 100);
  const auto with_missing = InkColumns(100, 130);
  Cls();
  DrawString("abc", 10, 100);
  EXPECT_EQ(InkColumns(100, 130), with_missing);
}

TEST_F(FontTest, TextFollowsScaleAndRotation) {
  SetDrawFont(nullptr);
  SetBlend(SOLIDBLEND);
  SetDrawScale(2, 2);
  DrawString("HH", 10, 10);
  SetDrawScale(1, 1);
  EXPECT_EQ(InkColumns(10, 30), std::make_pair(10, 31));  // second H at 10 + 12, 10 wide
  Cls();
  SetDrawTransform(90, 1, 1);  // the pen walks down the screen
  DrawString("HH", 100, 10);
  SetDrawTransform(0, 1, 1);
  int lit_rows = 0;
  for (int y = 0; y < 40; ++y) {
    bool lit = false;
    for (int x = 80; x < 110; ++x) lit = lit || (Pixel(x, y) & 0xFFFFFF) != 0;
    lit_rows += lit;
  }
  EXPECT_EQ(lit_rows, 10);  // two glyphs of 5 rows' width each, turned
}

TEST_F(FontTest, UnreadableFontsGiveNull) {
  EXPECT_FALSE(TImageFont::Load((TempDir() / "none.ttf").string(), 14, 0));
  WriteBytes(TempDir() / "bad.ttf", "this is not a font");
  EXPECT_FALSE(TImageFont::Load((TempDir() / "bad.ttf").string(), 14, 0));
  EXPECT_FALSE(TImageFont::Load("gfx/bluehigh.ttf", 0, 0));
}

}  // namespace
}  // namespace orvela
