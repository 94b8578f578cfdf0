// Menus: the first clicking button in insertion order wins and the rest are skipped that
// frame; hidden or disabled menus report nothing; drawing alpha; the background menu.
#include <gtest/gtest.h>

#include "ui/menu.h"
#include "ui_support.h"

namespace orvela {
namespace {

class MenuTest : public testing::UiTest {
 protected:
  MenuTest() { SetBlend(SOLIDBLEND); }
  ButtonRef Button(int id, float x, uint32_t color) {
    ButtonRef b = CreateImageButton(id, Solid(40, 20, color),
                                    TDim::Create(x, 100, 0, 0, 0, 1, 1, 0), 0, 0, 0);
    menu.AddItem(b);
    return b;
  }
  TMenu menu;
};

TEST_F(MenuTest, TheFirstClickingButtonWinsAndTheRestWaitAFrame) {
  ButtonRef first = Button(1, 100, 0xFFFF0000);
  ButtonRef second = Button(2, 110, 0xFF00FF00);  // overlaps the first
  ButtonRef third = Button(3, 300, 0xFF0000FF);
  Frame(125, 110, /*press=*/true);
  EXPECT_EQ(menu.State(), 1);
  EXPECT_EQ(menu.SelectedItem, 1);
  EXPECT_EQ(first->_state, LOOK_E_PRESS);
  EXPECT_EQ(second->_state, 0);  // not asked in that frame
  EXPECT_EQ(third->_state, 0);
  Frame(125, 110);  // held: everyone is asked, nobody reports
  EXPECT_EQ(menu.State(), 0);
  EXPECT_EQ(second->_state, LOOK_E_PRESS);
  EXPECT_EQ(third->_state, LOOK_E_OUT);
  EXPECT_EQ(menu.SelectedItem, 1);
  // A disabled button still reports.
  third->SetState(0, 1);
  Frame(310, 110, false, true);
  Frame(310, 110, true);
  EXPECT_EQ(menu.State(), 3);
  EXPECT_EQ(menu.GetItem(2), second);
  EXPECT_EQ(menu.GetItem(4), nullptr);
}

TEST_F(MenuTest, HiddenOrDisabledMenusReportNothing) {
  ButtonRef b = Button(1, 100, 0xFFFF0000);
  menu.setstate(0, 1);
  Frame(120, 110, true);
  EXPECT_EQ(menu.State(), 0);
  EXPECT_EQ(b->_state, 0);
  menu.setstate(1, 0);
  Frame(120, 110, true);
  EXPECT_EQ(menu.State(), 0);
  Cls();
  menu.Draw(1);
  EXPECT_EQ(Pixel(120, 110) & 0xFFFFFF, 0u);
}

TEST_F(MenuTest, DrawingUsesEachButtonsAlphaAndLeavesAlphaOne) {
  SetBlend(ALPHABLEND);
  ButtonRef b = Button(1, 100, 0xFFFFFFFF);
  b->alpha = 0.5f;
  Frame(10, 10);
  menu.State();
  Cls();
  menu.Draw(0.1f);  // the menu's alpha does not fade the buttons
  EXPECT_NEAR(static_cast<int>(Pixel(120, 110) & 0xFF), 128, 2);
  EXPECT_EQ(GetAlpha(), 1.0f);
}

TEST_F(MenuTest, AdvancedMenusDrawTheirBackgroundFirst) {
  AdvancedMenuRef m =
      CreateAdvancedMenu("gfx/gui/messageWindow.png", TDim::Create(50, 60, 0, 0, 0, 1, 1, 0));
  ASSERT_TRUE(m->image);
  ButtonRef b = CreateImageButton(1, Solid(10, 10, 0xFFFF0000),
                                  TDim::Create(200, 100, 0, 0, 0, 1, 1, 0), 0, 0, 0);
  m->AddItem(b);
  Frame(10, 10);
  m->State();
  Cls();
  m->Draw(1);
  EXPECT_EQ(Pixel(205, 105), 0xFFFF0000u);    // the button over the background
  EXPECT_NE(Pixel(250, 150) & 0xFFFFFF, 0u);  // the window picture
  EXPECT_EQ(Pixel(30, 150) & 0xFFFFFF, 0u);
  AdvancedMenuRef missing = CreateAdvancedMenu("gfx/none.png", nullptr);
  EXPECT_EQ(missing->Draw(1), 0);
  EXPECT_EQ(platform().Messages().size(), 1u);
}

}  // namespace
}  // namespace orvela
