// Text widgets: TText with an image font and a bitmap font, the bitmap-font glyph scan and its
// letter lookup, the memo's character wrapping, and DrawAtDim.
#include <gtest/gtest.h>

#include "engine/image/codecs.h"
#include "ui/bitmap_font.h"
#include "ui/memo.h"
#include "ui/text.h"
#include "ui_support.h"

namespace orvela {
namespace {

using TextTest = testing::UiTest;
using testing::SolidPixmap;

// Paints an opaque glyph block of `color` into the picture.
void Block(TPixmap& p, int x0, int y0, int w, int h, uint32_t color = 0xFFFFFFFF) {
  for (int y = y0; y < y0 + h; ++y) {
    for (int x = x0; x < x0 + w; ++x) p.WritePixel(x, y, color);
  }
}

TEST_F(TextTest, NewTextIsInvisibleUntilItsAlphaIsSetAndCreateSharesTheRectangle) {
  TText plain;
  EXPECT_EQ(plain.alpha, 0);
  EXPECT_EQ(plain.visible, 1);
  EXPECT_EQ(plain.color->r, 255);
  EXPECT_EQ(plain.color->a, 0);
  ASSERT_TRUE(plain.dim);
  EXPECT_EQ(plain.dim->scalex, 0);

  DimRef dim = TDim::Create(10, 20, 0, 0, 0, 1, 1, 0);
  TextRef t = CreateText("Hi", dim, nullptr, 0.5f, 1, 3, 4);
  EXPECT_EQ(t->dim, dim);  // the same object, not a copy
  EXPECT_EQ(dim->origin, 1);
  EXPECT_EQ(dim->xoffset, 3);
  EXPECT_EQ(dim->yoffset, 4);
  EXPECT_EQ(t->alpha, 0.5f);
  // A font of no known kind measures 0 and draws nothing.
  EXPECT_EQ(t->width(), 0);
  EXPECT_EQ(t->height(), 0);
  TextRef unplaced = CreateText("Hi", nullptr, TImageFont::BuiltIn(), 1, 0, 0, 0);
  EXPECT_EQ(unplaced->Draw(), 0);  // no rectangle: nothing, and no crash
}

TEST_F(TextTest, ImageFontTextMeasuresWithTheCurrentFontAndRestoresTheDrawingState) {
  FontRef fixed = TImageFont::CreateBlank(17);
  fixed->DefineGlyph(U'a', 7);
  fixed->DefineGlyph(U'b', 4.5f);
  TextRef t = CreateText("aab", TDim::Create(0, 0, 0, 0, 0, 1, 1, 0), fixed, 1, 0, 0, 0);
  SetDrawFont(nullptr);
  EXPECT_EQ(t->width(), 18);  // the built-in font: 3 × 6; measuring does not select the font
  SetDrawFont(fixed);
  EXPECT_EQ(t->width(), 18);  // 7 + 7 + 4.5, truncated
  EXPECT_EQ(t->height(), 17);

  // Drawing selects the font and applies the text's colour, scale and alpha.
  Cls();
  SetBlend(SOLIDBLEND);
  SetAlpha(0.4f);
  TextRef drawn =
      CreateText("H", TDim::Create(200, 100, 0, 0, 0, 2, 2, 0), TImageFont::BuiltIn(), 1, 0, 0, 0);
  drawn->color->Color(0xFF00FF00);
  drawn->Draw();
  EXPECT_EQ(Pixel(200, 102), 0xFF00FF00u);  // the H's left stem, scaled 2 ×
  EXPECT_EQ(Pixel(201, 103), 0xFF00FF00u);
  EXPECT_EQ(GetDrawFont(), TImageFont::BuiltIn());
  EXPECT_EQ(GetAlpha(), 0.4f);
  EXPECT_EQ(GetDrawScale(), std::make_pair(1.0f, 1.0f));
  int r = 0, g = 0, b = 0;
  GetColor(&r, &g, &b);
  EXPECT_EQ(r + g + b, 3 * 255);

  Cls();
  drawn->visible = 0;
  drawn->Draw();
  EXPECT_EQ(InkColumns(0, 600).first, -1);
}

// A picture of two 10-pixel rows: row 0 holds glyphs of widths 3 (with a gap line inside its
// row: ink in different lines still makes one column run) and 5; row 1 holds a glyph of width
// 2 and a glyph that touches the right edge.
PixmapRef TwoRowPicture() {
  auto p = TPixmap::Create(12, 20, PF_BGRA8888, 4);
  Block(*p, 1, 0, 3, 2, 0xFFFF0000);  // columns 1..3, top lines
  Block(*p, 2, 8, 1, 2, 0xFFFF0000);  // column 2 again, bottom lines
  Block(*p, 5, 3, 5, 4, 0x80102030);  // columns 5..9, half transparent still counts as ink
  Block(*p, 0, 10, 2, 10);            // columns 0..1 of row 1
  Block(*p, 4, 12, 8, 5);             // columns 4..11: open at the right edge of the last row
  return p;
}

TEST_F(TextTest, BitmapFontScanCutsGlyphsInReadingOrderAndDropsTheOpenLastOne) {
  FontObjRef font = CreateBitmapFont(TwoRowPicture(), "ABCDE", 10);
  EXPECT_EQ(font->text, "ABCDE");
  EXPECT_EQ(font->Size, 10);
  ASSERT_EQ(font->letters.Count(), 4);  // A, B, C and the generated space
  auto a = font->letters.ValueAtIndex(0), b = font->letters.ValueAtIndex(1),
       c = font->letters.ValueAtIndex(2), space = font->letters.ValueAtIndex(3);
  EXPECT_EQ(a->text, "A");
  EXPECT_EQ(b->text, "B");
  EXPECT_EQ(c->text, "C");
  EXPECT_EQ(space->text, " ");
  EXPECT_EQ(a->dim->width, 3);
  EXPECT_EQ(b->dim->width, 5);
  EXPECT_EQ(c->dim->width, 2);
  EXPECT_EQ(a->dim->height, 10);
  EXPECT_EQ(a->dim->origin, 0);
  EXPECT_EQ(a->dim->scalex, 1);
  EXPECT_EQ(a->alpha, 1.0f);
  // The glyph pixels are copied from their place in the picture.
  ASSERT_TRUE(a->image);
  EXPECT_EQ(a->image->width, 3);
  EXPECT_EQ(a->image->height, 10);
  EXPECT_EQ(a->image->pixmaps[0]->ReadPixel(0, 0), 0xFFFF0000u);
  EXPECT_EQ(a->image->pixmaps[0]->ReadPixel(1, 9), 0xFFFF0000u);
  EXPECT_EQ(TFont::alpha(a->image->pixmaps[0]->ReadPixel(0, 9)), 0);
  EXPECT_EQ(b->image->pixmaps[0]->ReadPixel(0, 3), 0x80102030u);
  EXPECT_EQ(c->image->pixmaps[0]->ReadPixel(1, 9), 0xFFFFFFFFu);
  // The space: half a row wide, fully transparent.
  EXPECT_EQ(space->dim->width, 5);
  EXPECT_EQ(space->dim->height, 10);
  ASSERT_TRUE(space->image);
  EXPECT_EQ(space->image->width, 5);
  EXPECT_EQ(space->image->height, 10);
  EXPECT_EQ(space->image->pixmaps[0]->ReadPixel(2, 5), 0u);
  // Lookup: exact and case-sensitive; anything else is the space letter.
  EXPECT_EQ(font->GetLetter("B"), b);
  EXPECT_EQ(font->GetLetter("b"), space);
  EXPECT_EQ(font->GetLetter("D"), space);
  EXPECT_EQ(font->GetLetter(""), space);
  EXPECT_EQ(font->letters.ValueAtIndex(0), a);  // the list keeps its order
}

TEST_F(TextTest, BitmapFontRowsStartAfreshAndTheGeneratedSpaceWins) {
  // Row 0 ends in a glyph touching the right edge; row 1 begins with ink in column 0. The
  // open glyph is dropped and row 1's glyph is a glyph of its own.
  auto p = TPixmap::Create(8, 16, PF_BGRA8888, 4);
  Block(*p, 1, 0, 2, 8);   // "x"
  Block(*p, 5, 0, 3, 8);   // touches the right edge: dropped
  Block(*p, 0, 8, 2, 8);   // " " (a glyph the picture calls space)
  Block(*p, 4, 10, 2, 4);  // "y"
  FontObjRef font = CreateBitmapFont(p, "x y", 8);
  ASSERT_EQ(font->letters.Count(), 4);
  EXPECT_EQ(font->letters.ValueAtIndex(0)->dim->width, 2);
  EXPECT_EQ(font->letters.ValueAtIndex(1)->text, " ");
  EXPECT_EQ(font->letters.ValueAtIndex(1)->dim->width, 2);
  EXPECT_EQ(font->letters.ValueAtIndex(2)->text, "y");
  // Asked for exactly, the picture's space; as the fallback, the space looked for from the
  // end: the generated one, four pixels wide.
  EXPECT_EQ(font->GetLetter(" "), font->letters.ValueAtIndex(1));
  EXPECT_EQ(font->GetLetter("q"), font->letters.Last());
  EXPECT_EQ(font->GetLetter("q")->dim->width, 4);
  // Glyphs beyond the given characters are ignored.
  EXPECT_EQ(CreateBitmapFont(p, "x", 8)->letters.Count(), 2);
}

TEST_F(TextTest, BitmapFontFromAPathAndFromNothing) {
  const std::string file = (TempDir() / "font.png").string();
  ASSERT_TRUE(SavePixmapPng(*TwoRowPicture(), file));
  FontObjRef from_file = CreateBitmapFont(file, "ABC", 10);
  ASSERT_EQ(from_file->letters.Count(), 4);
  EXPECT_EQ(from_file->GetLetter("B")->dim->width, 5);

  FontObjRef missing = CreateBitmapFont("gfx/no-such-font.png", "ab", 10);
  ASSERT_EQ(missing->letters.Count(), 1);  // only the space
  ASSERT_EQ(platform().Messages().size(), 1u);
  EXPECT_EQ(platform().Messages()[0], "Image does not exists: gfx/no-such-font.png");
  // A row height below one pixel has no rows to scan (and must not loop).
  EXPECT_EQ(CreateBitmapFont(TwoRowPicture(), "ABC", 0)->letters.Count(), 1);
}

TEST_F(TextTest, BitmapFontTextAdvancesByUnscaledWidthsAndMeasuresTheLetters) {
  FontObjRef font = CreateBitmapFont(TwoRowPicture(), "ABC", 10);
  TextRef t = CreateText("ACxA", TDim::Create(100, 50, 0, 0, 0, 1, 1, 0), font, 0.75f, 0, 0, 0);
  EXPECT_EQ(t->width(), 3 + 2 + 5 + 3);  // x is drawn as the space
  EXPECT_EQ(t->height(), 10);
  Cls();
  SetBlend(SOLIDBLEND);
  t->Draw();
  auto a = font->GetLetter("A");
  EXPECT_EQ(a->dim->x, 110);  // the last A: 3 + 2 + 5 after the start
  EXPECT_EQ(a->dim->y, 50);
  EXPECT_EQ(a->alpha, 0.75f);
  EXPECT_EQ(Pixel(100, 50), 0xFFFF0000u);  // first A
  EXPECT_EQ(Pixel(103, 50), 0xFFFFFFFFu);  // C
  EXPECT_EQ(Pixel(110, 50), 0xFFFF0000u);  // last A

  // Scaled, the letters keep their unscaled spacing and grow about their own centres.
  t->dim->scalex = t->dim->scaley = 2;
  t->Draw();
  auto c = font->GetLetter("C");
  EXPECT_EQ(c->dim->scalex, 2);
  EXPECT_EQ(c->dim->x, t->dim->Left() + 3);
  EXPECT_EQ(c->dim->Left(), t->dim->Left() + 3 - 1);  // 2 wide, grown by 1 on each side
}

TEST_F(TextTest, MemoWrapsBetweenCharactersAtTheRightEdge) {
  // The built-in font: 6 pixels per character, 10 per line, ink starting at the pen.
  SetBlend(SOLIDBLEND);
  MemoRef memo =
      CreateMemo(TImageFont::BuiltIn(), "HHHHH", TDim::Create(100, 100, 20, 40, 0, 1, 1, 0), 1, 1);
  Cls();
  memo->Draw();
  // 100, 106, 112 fit (112 + 6 <= 120); the fourth would end at 124: a new line.
  EXPECT_EQ(InkColumns(100, 110), std::make_pair(100, 116));
  EXPECT_EQ(InkColumns(110, 120), std::make_pair(100, 110));
  EXPECT_EQ(GetAlpha(), 1.0f);

  memo->wordwrap = 0;
  Cls();
  memo->Draw();
  EXPECT_EQ(InkColumns(100, 110), std::make_pair(100, 128));
  EXPECT_EQ(InkColumns(110, 120).first, -1);

  // With a bitmap font the line step is the letter height.
  FontObjRef font = CreateBitmapFont(TwoRowPicture(), "ABC", 10);
  MemoRef bitmap = CreateMemo(font, "BBB", TDim::Create(0, 0, 12, 40, 0, 1, 1, 0), 1, 1);
  bitmap->Draw();
  // 0 and 5 fit in 12; the third B would end at 15: back to the left, one letter height down.
  EXPECT_EQ(font->GetLetter("B")->dim->x, 0);
  EXPECT_EQ(font->GetLetter("B")->dim->y, 10);
  EXPECT_EQ(bitmap->State(), 0);
}

TEST_F(TextTest, DrawAtDimDrawsImagesPixmapsAndTexts) {
  Cls();
  SetBlend(SOLIDBLEND);
  DimRef at = TDim::Create(10.7f, 20.9f, 4, 4, 0, 1, 1, 0);
  DrawAtDim(SolidPixmap(4, 4, 0xFF0000FF), at, 0);
  EXPECT_EQ(Pixel(10, 20), 0xFF0000FFu);  // truncated point
  EXPECT_EQ(Pixel(9, 20) & 0xFFFFFF, 0u);

  auto strip = TPixmap::Create(8, 4, PF_BGRA8888, 4);
  Block(*strip, 0, 0, 4, 4, 0xFFFF0000);
  Block(*strip, 4, 0, 4, 4, 0xFF00FF00);
  ImageRef frames = TImage::LoadAnim(strip, 4, 4, 0, 2, 0);
  DrawAtDim(frames, TDim::Create(50, 50, 4, 4, 0, 1, 1, 0), 1);
  EXPECT_EQ(Pixel(51, 51), 0xFF00FF00u);

  TextRef t =
      CreateText("H", TDim::Create(200, 200, 0, 0, 0, 1, 1, 0), TImageFont::BuiltIn(), 1, 0, 0, 0);
  DrawAtDim(t, nullptr, 0);  // a text uses its own rectangle
  EXPECT_EQ(InkColumns(200, 210).first, 200);

  EXPECT_EQ(DrawAtDim(nullptr, at, 0), 0);
  EXPECT_EQ(DrawAtDim(TDim::Create(0, 0, 1, 1, 0, 1, 1, 0), at, 0), 0);  // other kinds: nothing
  EXPECT_EQ(DrawAtDim(frames, nullptr, 0), 0);
}

}  // namespace
}  // namespace orvela
