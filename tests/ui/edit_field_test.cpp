// Edit fields: the characters they take, the caret under the arrows, Backspace and Delete, a
// text changed from outside (cut, caret to the end, a caret left past a shortened text), the
// keyboard reaching the field only with focus, and what both kinds draw: text colours, the
// frame, the caret line, measurements in the field's own font.
#include <gtest/gtest.h>

#include <string>

#include "ui/bitmap_font.h"
#include "ui/edit_field.h"
#include "ui_support.h"

namespace orvela {
namespace {

class EditFieldTest : public testing::UiTest {
 protected:
  // Queues typed characters and lets the field take them, one per State.
  void Type(EditLine& field, const std::u32string& characters) {
    for (char32_t c : characters) platform().QueueChar(c);
    for (size_t i = 0; i < characters.size(); ++i) field.State();
    field.State();  // the field notices its own change
  }
  void Key(EditLine& field, int key) {
    platform().QueueKey(key, true);
    platform().QueueKey(key, false);
    field.State();
  }
  // Backspace arrives as a typed character.
  void Backspace(EditLine& field) {
    platform().QueueChar(8);
    field.State();
  }
  // A focused field with the built-in font.
  EditRef Focused(const std::string& text) {
    EditRef e =
        TEdit::Create(TDim::Create(100, 100, 200, 20, 0, 1, 1, 0), TImageFont::BuiltIn(), text);
    e->focus = 1;
    return e;
  }
};

TEST_F(EditFieldTest, NewFieldsCarryTheirColoursLimitsAndAFrameOnTheirRectangle) {
  TEdit plain;
  EXPECT_EQ(plain.maxChars, 30);
  EXPECT_EQ(plain.position, -1);
  EXPECT_EQ(plain.textColor->argb, 0xFFFFFFFFu);
  EXPECT_EQ(plain.textColorFocus->argb, 0xFFFFC8C8u);
  ASSERT_TRUE(plain.dim && plain.Frame);
  EXPECT_EQ(plain.dim->scalex, 1);
  EXPECT_EQ(plain.Frame->dim, plain.dim);
  EXPECT_EQ(plain.Frame->background, 1);
  EXPECT_EQ(plain.Frame->alpha, 0.3f);
  EXPECT_EQ(plain.Frame->color->argb, 0xFFFFFFFFu);
  EXPECT_EQ(plain.Frame->bgcolor->argb, 0xFF000000u);

  DimRef dim = TDim::Create(5, 6, 70, 20, 1, 1, 1, 0);
  EditRef made = TEdit::Create(dim, TImageFont::BuiltIn(), "abc");
  EXPECT_EQ(made->dim, dim);
  EXPECT_EQ(made->Frame->dim, dim);  // the frame moved onto the given rectangle
  EXPECT_EQ(made->text2, "abc");
  EXPECT_EQ(made->Chars(), 3);

  TEditE bare;
  EXPECT_EQ(bare.dim, nullptr);
  EXPECT_EQ(bare.textColorFocus->argb, 0xFFFFFFFFu);
  EXPECT_EQ(TEditE::Create(dim, "xy")->text2, "xy");
}

TEST_F(EditFieldTest, OnlyTheAllowedCharactersAreTakenAndABackslashBecomesASlash) {
  TEdit e;
  EXPECT_EQ(e.InsertChar(' '), 0);  // no space into an empty field
  EXPECT_EQ(e.text, "");
  for (int c : {'a', 'Z', '0', '9', '.', '/', '-', '_', ' ', '\\'}) EXPECT_EQ(e.InsertChar(c), 1);
  EXPECT_EQ(e.text, "aZ09./-_ /");
  EXPECT_EQ(e.position, 9);
  for (int c :
       std::initializer_list<int>{0, 8, 9, 13, '!', '@', '~', 127, 0xE9, 0x17C, 0x1F600, -5}) {
    EXPECT_EQ(e.InsertChar(c), 0) << c;
  }
  EXPECT_EQ(e.text, "aZ09./-_ /");

  // The 31st character of a default field is ignored.
  TEdit full;
  for (int i = 0; i < 30; ++i) full.InsertChar('a' + i % 26);
  EXPECT_EQ(full.Chars(), 30);
  EXPECT_EQ(full.InsertChar('x'), 0);
  EXPECT_EQ(full.Chars(), 30);
  EXPECT_EQ(full.position, 29);
}

TEST_F(EditFieldTest, TypedCharactersReachAFocusedFieldOneAFrameAndOthersAreIgnored) {
  EditRef e = Focused("");
  Type(*e, U" Ab\\c!ż d");  // the leading space, "!" and "ż" are dropped
  EXPECT_EQ(e->text, "Ab/c d");
  EXPECT_EQ(e->position, 5);
  EXPECT_EQ(e->text2, e->text);

  // Without focus nothing is taken from the keyboard, and a disabled field reads nothing.
  e->focus = 0;
  Type(*e, U"x");
  EXPECT_EQ(e->text, "Ab/c d");
  EXPECT_EQ(GetChar(), 'x');  // left in the queue for whoever reads it
  e->focus = 1;
  e->enabled = 0;
  Type(*e, U"y");
  EXPECT_EQ(e->text, "Ab/c d");
}

TEST_F(EditFieldTest, ArrowsMoveTheCaretWithinTheTextAndEditingHappensAtTheCaret) {
  EditRef e = Focused("");
  Type(*e, U"abcd");
  Key(*e, KEY_RIGHT);  // already at the end
  EXPECT_EQ(e->position, 3);
  for (int i = 0; i < 5; ++i) Key(*e, KEY_LEFT);
  EXPECT_EQ(e->position, 0);  // the arrow stops after the first character
  Type(*e, U"X");
  EXPECT_EQ(e->text, "aXbcd");
  EXPECT_EQ(e->position, 1);

  // Backspace takes the character before the caret, Delete the one after it.
  Backspace(*e);
  EXPECT_EQ(e->text, "abcd");
  EXPECT_EQ(e->position, 0);
  Key(*e, KEY_DELETE);
  EXPECT_EQ(e->text, "acd");
  EXPECT_EQ(e->position, 0);

  // Backspace before the first character and Delete at the end change nothing.
  Backspace(*e);
  EXPECT_EQ(e->text, "cd");
  EXPECT_EQ(e->position, -1);
  Backspace(*e);
  EXPECT_EQ(e->text, "cd");
  EXPECT_EQ(e->position, -1);
  Key(*e, KEY_DELETE);  // with the caret before the first character it takes that one
  EXPECT_EQ(e->text, "d");
  Key(*e, KEY_RIGHT);
  EXPECT_EQ(e->position, 0);
  Type(*e, U"e");
  EXPECT_EQ(e->text, "de");
  Key(*e, KEY_DELETE);
  EXPECT_EQ(e->text, "de");
  EXPECT_EQ(e->position, 1);
  EXPECT_EQ(e->EraseChar(7), 0);  // an index outside the text
  EXPECT_EQ(e->text, "de");
}

TEST_F(EditFieldTest, TextSetFromOutsideIsCutAtTheNextStateAndTheCaretFollows) {
  EditERef bare = TEditE::Create(TDim::Create(0, 0, 0, 0, 0, 1, 1, 0), "");
  bare->text = std::string(35, 'q');
  EXPECT_EQ(bare->State(), 1);  // a changed text noticed without focus
  EXPECT_EQ(bare->text, std::string(30, 'q'));
  EXPECT_EQ(bare->position, 29);  // without focus the caret goes to the end
  EXPECT_EQ(bare->State(), 0);
  bare->focus = 1;
  EXPECT_EQ(bare->State(), 1);  // with focus it always answers 1

  // Lengths count characters, not bytes.
  TEdit wide;
  wide.maxChars = 3;
  wide.text = "żółwie";
  wide.State();
  EXPECT_EQ(wide.text, "żół");
  EXPECT_EQ(wide.position, 2);

  // A focused field whose text is cleared or shortened from outside keeps its caret inside
  // the text: the next character lands at the end instead of past it.
  EditRef e = Focused("");
  Type(*e, U"abcdef");
  e->text = "ab";
  e->State();
  EXPECT_EQ(e->position, 1);  // was 5: kept on the last character
  Type(*e, U"z");
  EXPECT_EQ(e->text, "abz");
  e->text = "";
  Type(*e, U"x");
  EXPECT_EQ(e->text, "x");
  e->position = 57;  // written from outside
  Type(*e, U"z");
  EXPECT_EQ(e->text, "xz");
  e->position = -9;
  Type(*e, U"y");
  EXPECT_EQ(e->text, "yxz");
  e->maxChars = -1;
  e->text = "abc";
  e->State();
  EXPECT_EQ(e->text, "");
}

TEST_F(EditFieldTest, FieldDrawsItsTextInTheFocusColourAndTheCaretAfterTheCharacters) {
  SetBlend(SOLIDBLEND);
  // Glyph advances 7 and 4.5 in a 17-pixel line: known measurements without pictures.
  FontRef fixed = TImageFont::CreateBlank(17);
  fixed->DefineGlyph(U'a', 7);
  fixed->DefineGlyph(U'b', 4.5f);
  EditRef e = TEdit::Create(TDim::Create(100, 100, 200, 27, 0, 1, 1, 0), fixed, "abab");
  e->focus = 1;
  e->position = 1;
  SetDrawFont(nullptr);
  EXPECT_EQ(e->TextW(), 22);  // measured in its own font while another one is current
  EXPECT_EQ(e->TextH(), 17);
  EXPECT_EQ(GetDrawFont(), TImageFont::BuiltIn());
  e->Frame->dim = nullptr;  // leave the frame out of the picture
  e->Draw();
  // Caret after "ab": 7 + 4 = 11, centred on a 17-pixel character in a 27-pixel field.
  EXPECT_EQ(Pixel(111, 105), 0xFFFAC8C8u);
  EXPECT_EQ(Pixel(111, 121), 0xFFFAC8C8u);
  EXPECT_EQ(Pixel(111, 104), 0xFF000000u);
  EXPECT_EQ(Pixel(110, 110), 0xFF000000u);
  EXPECT_EQ(GetAlpha(), 1.0f);
  // With the caret before the first character the line starts at the top.
  Cls();
  e->position = -1;
  e->DrawCursor();
  EXPECT_EQ(Pixel(100, 100), 0xFFFAC8C8u);

  // The text's colour follows the focus; the frame's alpha too.
  auto ink = [&](uint32_t color) {
    int count = 0;
    for (int y = 100; y < 120; ++y) {
      for (int x = 100; x < 160; ++x) count += Pixel(x, y) == color ? 1 : 0;
    }
    return count;
  };
  EditRef shown = Focused("Hi");
  shown->Frame->dim = nullptr;
  shown->Draw();
  EXPECT_GT(ink(0xFFFFC8C8), 0);
  EXPECT_EQ(shown->Frame->alpha, 0.5f);
  Cls();
  shown->focus = 0;
  shown->Draw();
  EXPECT_EQ(ink(0xFFFFC8C8), 0);
  EXPECT_GT(ink(0xFFFFFFFF), 0);
  EXPECT_EQ(shown->Frame->alpha, 0.3f);
  shown->visible = 0;
  Cls();
  shown->Draw();
  EXPECT_EQ(InkColumns(0, 600).first, -1);
}

TEST_F(EditFieldTest, FieldWithABitmapFontCentresItsLettersAndTheFrameTakesTheFieldColours) {
  SetBlend(SOLIDBLEND);
  // A two-glyph font cut from a picture: "A" 3 wide, "B" 2 wide, rows 6 high.
  auto picture = TPixmap::Create(8, 6, PF_BGRA8888, 4);
  for (int y = 0; y < 6; ++y) {
    for (int x : {0, 1, 2, 4, 5}) picture->WritePixel(x, y, 0xFFFFFFFF);
  }
  FontObjRef bitmap = CreateBitmapFont(picture, "AB", 6);
  EditRef e = TEdit::Create(TDim::Create(100, 100, 50, 16, 0, 1, 1, 0), bitmap, "BA");
  EXPECT_EQ(e->TextW(), 5);
  EXPECT_EQ(e->TextH(), 6);
  e->frameColor = TColor::Create(0xFF00FF00);
  e->backgroundColor = TColor::Create(0xFF0000FF);
  e->Frame->alpha = 1;
  e->Draw();
  // Letters start 5 pixels down ((16 − 6) / 2): "B" at x 100..101, "A" at 102..104.
  EXPECT_EQ(Pixel(100, 105), 0xFFFFFFFFu);
  EXPECT_EQ(Pixel(104, 110), 0xFFFFFFFFu);
  EXPECT_NE(Pixel(100, 104), 0xFFFFFFFFu);
  EXPECT_NE(Pixel(105, 105), 0xFFFFFFFFu);
  EXPECT_EQ(e->Frame->color, e->frameColor);
  EXPECT_EQ(e->Frame->bgcolor, e->backgroundColor);
}

TEST_F(EditFieldTest, BareFieldDrawsFifteenPixelsInWithALightCaret) {
  SetBlend(SOLIDBLEND);
  FontRef fixed = TImageFont::CreateBlank(12);
  fixed->DefineGlyph(U'a', 6);
  SetDrawFont(fixed);
  EditERef e = TEditE::Create(TDim::Create(200, 50, 100, 30, 0, 1, 1, 0), "aaa");
  e->focus = 1;
  e->position = 1;
  EXPECT_EQ(e->TextW(), 18);
  EXPECT_EQ(e->TextH(), 12);
  e->Draw();
  EXPECT_EQ(Pixel(227, 50), 0xFFDCDCDCu);  // 200 + 15 + 6 + 6, from the rectangle's top
  EXPECT_EQ(Pixel(227, 62), 0xFFDCDCDCu);
  EXPECT_EQ(Pixel(227, 63), 0xFF000000u);
  e->focus = 0;
  Cls();
  e->Draw();
  EXPECT_EQ(Pixel(227, 55), 0xFF000000u);  // no caret without focus
}

}  // namespace
}  // namespace orvela
