// Paragraph layout and text splitting. Positions are read from the canvas with the engine's
// built-in font: every character advances 6 pixels, lines are 10 pixels, and an "H" is inked
// from its pen position to 4 pixels right of it, so a word of n H's is inked over 6n − 1
// columns.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/dim.h"
#include "ui/paragraph.h"
#include "ui_support.h"

namespace orvela {
namespace {

using Pieces = std::vector<std::string>;

TEST(SplitStringTest, SeparatorsMakeEmptyPiecesButATrailingOneAddsNone) {
  EXPECT_EQ(SplitString("a,,b,", ",", "", ""), (Pieces{"a", "", "b"}));
  EXPECT_EQ(SplitString("", ",", "", ""), Pieces{});
  EXPECT_EQ(SplitString(",", ",", "", ""), Pieces{""});
  EXPECT_EQ(SplitString("one", ",", "", ""), Pieces{"one"});
  // Longer separators; one that does not fit in the rest of the text is plain text.
  EXPECT_EQ(SplitString("a::b::c:", "::", "", ""), (Pieces{"a", "b", "c:"}));
  // Characters, not bytes.
  EXPECT_EQ(SplitString("żółw·kot", "·", "", ""), (Pieces{"żółw", "kot"}));
  // An empty separator never matches (it would otherwise match forever in one place).
  EXPECT_EQ(SplitString("abc", "", "", ""), Pieces{"abc"});
}

TEST(SplitStringTest, QuotedStretchesKeepTheSeparatorAndLoseTheirQuotes) {
  EXPECT_EQ(SplitString("a,\"b,c\",d", ",", "\"", "\""), (Pieces{"a", "b,c", "d"}));
  EXPECT_EQ(SplitString("[x y] z", " ", "[", "]"), (Pieces{"x y", "z"}));
  // A closing quote outside a stretch is dropped too.
  EXPECT_EQ(SplitString("a]b,c", ",", "[", "]"), (Pieces{"ab", "c"}));
  // Without a closing quote the separator still cuts inside the stretch.
  EXPECT_EQ(SplitString("'a,b", ",", "'", ""), (Pieces{"a", "b"}));
  // A quote of several characters never matches one character.
  EXPECT_EQ(SplitString("<<a,b", ",", "<<", ">>"), (Pieces{"<<a", "b"}));
}

class ParagraphTest : public testing::UiTest {
 protected:
  ParagraphTest() {
    Cls();
    SetBlend(SOLIDBLEND);
  }
  // Ink columns of line n of a paragraph drawn at y 100 with a step of 10 + spacing.
  std::pair<int, int> Line(int n, int step = 10) {
    return InkColumns(100 + step * n, 110 + step * n);
  }
};

TEST_F(ParagraphTest, WordsBreakAtSpacesWithinTheWidthAndTheOffsetOfTheLastLineIsReturned) {
  // "HH EEE" is 36 wide and fits in 40; with " HHHH" it would be 66.
  EXPECT_EQ(DrawParagraph("HH HHH HHHH", 50, 100, 40, "left", 0, nullptr, 0), 10);
  EXPECT_EQ(Line(0), std::make_pair(50, 50 + 35 - 1));
  EXPECT_EQ(Line(1), std::make_pair(50, 50 + 23 - 1));
  EXPECT_EQ(Line(2).first, -1);
  // The line spacing adds to the step.
  Cls();
  EXPECT_EQ(DrawParagraph("HH HHH HHHH", 50, 100, 40, "LEFT", 0, nullptr, 5), 15);
  EXPECT_EQ(Line(1, 15).first, 50);
  // A text that fits on one line returns 0; so does an empty one.
  EXPECT_EQ(DrawParagraph("HH HH", 50, 300, 400, "left", 0, nullptr, 0), 0);
  EXPECT_EQ(DrawParagraph("", 50, 300, 400, "left", 0, nullptr, 0), 0);
}

TEST_F(ParagraphTest, RightAndCentredLinesAndAlignmentWords) {
  DrawParagraph("HH HHH HHHH", 50, 100, 40, "  Right ", 0, nullptr, 0);
  EXPECT_EQ(Line(0), std::make_pair(50 + 40 - 36, 50 + 40 - 2));  // "HH HHH" is 36 wide
  EXPECT_EQ(Line(1), std::make_pair(50 + 40 - 24, 50 + 40 - 2));
  Cls();
  DrawParagraph("HH HHH HHHH", 50, 100, 40, " center ", 0, nullptr, 0);
  EXPECT_EQ(Line(0).first, 50 + 20 - 18);
  EXPECT_EQ(Line(1).first, 50 + 20 - 12);
  // Any other word, the empty one included, is left.
  for (const char* align : {"middle", "", "centre"}) {
    Cls();
    DrawParagraph("HH HHH HHHH", 50, 100, 40, align, 0, nullptr, 0);
    EXPECT_EQ(Line(1).first, 50) << align;
  }
}

TEST_F(ParagraphTest, JustifiedLinesSpreadTheirWordsAndTheLastLineIsLeft) {
  EXPECT_EQ(DrawParagraph("HH HHH HHHH", 50, 100, 40, "justify", 0, nullptr, 0), 10);
  // The gap: (40 − width of "HHHHH" 30) / 1 = 10, so "HHH" starts at 50 + 10 + 12 and its
  // advance ends at x + width.
  EXPECT_EQ(InkColumns(100, 110, 50, 62), std::make_pair(50, 60));
  EXPECT_EQ(InkColumns(100, 110, 62, 100), std::make_pair(72, 72 + 17 - 1));
  EXPECT_EQ(Line(1), std::make_pair(50, 50 + 23 - 1));
  // A full line of one word has the gap 8 and starts at x.
  Cls();
  DrawParagraph("HHHHH HH", 50, 100, 34, "justify", 0, nullptr, 0);
  EXPECT_EQ(Line(0).first, 50);
  EXPECT_EQ(Line(1).first, 50);
}

TEST_F(ParagraphTest, TwoSpacesKeepAnEmptyWordBetween) {
  DrawParagraph("HH  HH", 50, 100, 400, "left", 0, nullptr, 0);
  EXPECT_EQ(InkColumns(100, 110, 50, 70), std::make_pair(50, 60));
  EXPECT_EQ(InkColumns(100, 110, 61, 200), std::make_pair(74, 84));  // 4 advances on
}

TEST_F(ParagraphTest, AWordWiderThanTheWidthTakesALineOfItsOwn) {
  EXPECT_EQ(DrawParagraph("HH HHHHHH HH", 50, 100, 20, "left", 0, nullptr, 0), 20);
  EXPECT_EQ(Line(0), std::make_pair(50, 60));
  EXPECT_EQ(Line(1), std::make_pair(50, 84));
  EXPECT_EQ(Line(2), std::make_pair(50, 60));
  // Even narrower than one space: every word alone, and the routine ends.
  Cls();
  EXPECT_EQ(DrawParagraph("H H H", 50, 100, 2, "justify", 0, nullptr, 0), 20);
  EXPECT_EQ(DrawParagraph("H", 50, 300, 0, "right", 0, nullptr, 0), 0);
}

TEST_F(ParagraphTest, TheGivenFontIsSelectedAndMeasures) {
  FontRef font = TImageFont::Load("gfx/bluehigh.ttf", 20, FONT_SMOOTH);
  ASSERT_TRUE(font);
  SetDrawFont(nullptr);
  const std::string text = "Pieces that meet where they belong snap together with sparks";
  const int offset = DrawParagraph(text, 10, 100, 200, "justify", 0, font, 2);
  EXPECT_EQ(GetDrawFont(), font);
  // Every line holds as much as fits: count the lines the rule makes.
  const std::vector<std::string> words = SplitString(text, " ", "", "");
  int lines = 0;
  std::string line;
  for (const std::string& w : words) {
    if (!line.empty() && StringWidth(line + " " + w) > 200) {
      ++lines;
      line = w;
    } else {
      line = line.empty() ? w : line + " " + w;
    }
  }
  EXPECT_GT(lines, 1);
  EXPECT_EQ(offset, (font->Height() + 2) * lines);
  // Another kind of object leaves the current font.
  SetDrawFont(nullptr);
  DrawParagraph("x", 0, 0, 100, "left", 0, TDim::Create(0, 0, 0, 0, 0, 1, 1, 0), 0);
  EXPECT_EQ(GetDrawFont(), TImageFont::BuiltIn());
}

}  // namespace
}  // namespace orvela
