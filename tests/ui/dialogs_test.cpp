// Dialog windows: the layout of texts, edit field and button row around the window's centre,
// a new layout after every addition, measurements in each text's own font, the frame given
// the window rectangle, and the clicks and typing that State passes on.
#include <gtest/gtest.h>

#include <string>

#include "ui/dialogs.h"
#include "ui/frames.h"
#include "ui_support.h"

namespace orvela {
namespace {

class DialogsTest : public testing::UiTest {
 protected:
  DialogsTest() : line20(TImageFont::CreateBlank(20)), line30(TImageFont::CreateBlank(30)) {
    line20->DefineGlyph(U'a', 10);
    line30->DefineGlyph(U'b', 10);
  }

  static ButtonRef Button(int id, float width, float height) {
    auto b = std::make_shared<TButton>();
    b->id = id;
    b->dim = TDim::Create(0, 0, width, height, 0, 1, 1, 0);
    return b;
  }

  // Two texts 200 × 20 and 100 × 30 and two 80 × 40 buttons.
  void Fill(DialogWindow& window) {
    window.AddText(std::string(20, 'a'), line20);
    window.AddText(std::string(10, 'b'), line30);
    window.AddButton(Button(1, 80, 40));
    window.AddButton(Button(2, 80, 40));
  }

  static void ExpectRect(const DimRef& dim, float x, float y, float width, float height) {
    ASSERT_TRUE(dim);
    EXPECT_FLOAT_EQ(dim->x, x);
    EXPECT_FLOAT_EQ(dim->y, y);
    EXPECT_FLOAT_EQ(dim->width, width);
    EXPECT_FLOAT_EQ(dim->height, height);
  }

  FontRef line20, line30;
};

TEST_F(DialogsTest, QuestionWindowCentresTextsOnTheWidestOverACentredButtonRow) {
  QuestionWindowRef window = TQuestionWindow::Create(400, 300);
  Fill(*window);
  SetDrawFont(nullptr);  // the texts are measured in their own fonts, whatever is current
  window->Build();
  EXPECT_EQ(window->done, 1);
  // W = 200 + 10; H = 40 + 5 + (5 + 50) + 30 + 5.
  ExpectRect(window->dim, 295, 232.5f, 210, 135);
  const TextRef first = window->text.ValueAtIndex(0), second = window->text.ValueAtIndex(1);
  EXPECT_FLOAT_EQ(first->dim->x, 300);
  EXPECT_FLOAT_EQ(first->dim->y, 237.5f);
  EXPECT_FLOAT_EQ(second->dim->x, 350);
  EXPECT_FLOAT_EQ(second->dim->y, 262.5f);
  const ButtonRef left = window->menu->items.ValueAtIndex(0);
  const ButtonRef right = window->menu->items.ValueAtIndex(1);
  EXPECT_FLOAT_EQ(left->dim->x, 310);
  EXPECT_FLOAT_EQ(right->dim->x, 410);
  EXPECT_FLOAT_EQ(left->dim->y, 322.5f);
  EXPECT_FLOAT_EQ(right->dim->y, 322.5f);
  EXPECT_EQ(GetDrawFont(), TImageFont::BuiltIn());  // the current font is given back
}

TEST_F(DialogsTest, EditWindowPutsItsFieldUnderTheTextsAcrossTheWindow) {
  EditWindowRef window = TEditWindow::Create(400, 300);
  Fill(*window);
  FontRef line16 = TImageFont::CreateBlank(16);
  EditRef field = window->CreateEdit("name", line16);
  EXPECT_EQ(field->focus, 1);
  EXPECT_EQ(window->edit, field);
  window->Build();
  // Text block 16 + 2 × 5 + 50 = 76; H = 40 + 5 + 76 + 30 + 5 = 156.
  ExpectRect(window->dim, 295, 222, 210, 156);
  ExpectRect(field->dim, 300, 287, 200, 16);
  EXPECT_EQ(field->Frame->dim, field->dim);
  EXPECT_FLOAT_EQ(window->text.ValueAtIndex(1)->dim->y, 252);
  EXPECT_FLOAT_EQ(window->menu->items.ValueAtIndex(0)->dim->y, 333);

  // Without an edit field an edit window is laid out as a question window.
  EditWindowRef bare = TEditWindow::Create(400, 300);
  Fill(*bare);
  bare->Build();
  ExpectRect(bare->dim, 295, 232.5f, 210, 135);
  bare->Draw();
  EXPECT_EQ(bare->State(), 0);
}

TEST_F(DialogsTest, EveryAdditionLaysTheWindowOutAgainAtTheNextDraw) {
  QuestionWindowRef window = TQuestionWindow::Create(400, 300);
  Fill(*window);
  window->Draw();
  EXPECT_EQ(window->done, 1);
  ExpectRect(window->dim, 295, 232.5f, 210, 135);

  window->AddText(std::string(30, 'a'), line20);  // 300 wide, 20 high
  EXPECT_EQ(window->done, 0);
  window->Draw();
  ExpectRect(window->dim, 245, 220, 310, 160);
  EXPECT_FLOAT_EQ(window->text.ValueAtIndex(1)->dim->x, 350);  // centred on the new widest

  window->AddButton(Button(3, 200, 50));  // the row is now wider than the texts
  EXPECT_EQ(window->done, 0);
  window->Draw();
  // Row 80 + 80 + 200 + 2 × 20 = 400; H = 50 + 5 + 80 + 30 + 5.
  ExpectRect(window->dim, 195, 215, 410, 170);
  EXPECT_FLOAT_EQ(window->menu->items.ValueAtIndex(0)->dim->x, 200);
  EXPECT_FLOAT_EQ(window->menu->items.ValueAtIndex(2)->dim->x, 400);

  window->AddFrame(std::make_shared<TFrame>());
  EXPECT_EQ(window->done, 0);

  // An empty window: margins and the gap above the (empty) button row only.
  QuestionWindowRef empty = TQuestionWindow::Create(100, 100);
  empty->Draw();
  ExpectRect(empty->dim, 95, 80, 10, 40);
  EXPECT_EQ(empty->State(), 0);
}

TEST_F(DialogsTest, FrameGetsTheWindowRectangleAndAColourFrameKeepsItsBorder) {
  SetBlend(SOLIDBLEND);
  QuestionWindowRef window = TQuestionWindow::Create(400, 300);
  Fill(*window);
  ColorFrameRef frame =
      CreateColorFrame(TDim::Create(0, 0, 0, 0, 3, 1, 1, 0), TColor::Create(0xFFFF0000), 1,
                       TColor::Create(0xFF0000FF), 1, 0);
  window->AddFrame(frame);
  window->Draw();
  EXPECT_EQ(frame->dim, window->dim);
  EXPECT_EQ(frame->dim->Size, 3);
  EXPECT_EQ(Pixel(292, 240), 0xFFFF0000u);  // the border, 3 pixels left of x 295
  EXPECT_EQ(Pixel(291, 240), 0xFF000000u);
  EXPECT_EQ(Pixel(296, 240), 0xFF0000FFu);  // the fill
  // A second layout keeps the thickness too.
  window->AddText("a", line20);
  window->Draw();
  EXPECT_EQ(frame->dim->Size, 3);

  // An image behind the window is drawn at the rectangle's corner.
  Cls();
  QuestionWindowRef pictured = TQuestionWindow::Create(400, 300);
  Fill(*pictured);
  pictured->AddFrame(Solid(4, 4, 0xFF00FF00));
  pictured->Draw();
  EXPECT_EQ(Pixel(295, 233), 0xFF00FF00u);
  EXPECT_EQ(Pixel(294, 233), 0xFF000000u);

  // The debugging outline.
  Cls();
  pictured->TestFrame();
  EXPECT_NE(Pixel(300, 232), 0xFF000000u);
  EXPECT_EQ(GetAlpha(), 1.0f);
}

TEST_F(DialogsTest, StateReportsTheClickedButtonAndPassesTypingToTheField) {
  EditWindowRef window = TEditWindow::Create(400, 300);
  Fill(*window);
  EditRef field = window->CreateEdit("", line20);
  window->Draw();
  const DimRef right = window->menu->items.ValueAtIndex(1)->dim;
  Frame(static_cast<int>(right->x) + 10, static_cast<int>(right->y) + 10);
  EXPECT_EQ(window->State(), 0);
  platform().QueueChar('k');
  Frame(static_cast<int>(right->x) + 10, static_cast<int>(right->y) + 10, /*press=*/true);
  EXPECT_EQ(window->State(), 2);
  EXPECT_EQ(field->text, "k");
}

}  // namespace
}  // namespace orvela
