// The mouse state of a frame: movement, press counts that last one frame, held buttons,
// Clear, and the cursor with its handle.
#include <gtest/gtest.h>

#include "ui/mouse.h"
#include "ui_support.h"

namespace orvela {
namespace {

using MouseTest = testing::UiTest;

TEST_F(MouseTest, MovementIsThePreviousPositionMinusTheCurrentOne) {
  Frame(100, 200);
  Frame(100, 200);
  EXPECT_EQ(mouse->vx, 0);
  EXPECT_EQ(mouse->vy, 0);
  Frame(105, 190);  // 5 right, 10 up
  EXPECT_EQ(mouse->x, 105);
  EXPECT_EQ(mouse->y, 190);
  EXPECT_EQ(mouse->xa, 100);
  EXPECT_EQ(mouse->ya, 200);
  EXPECT_EQ(mouse->vx, -5);
  EXPECT_EQ(mouse->vy, 10);
}

TEST_F(MouseTest, PressesAreCountedInOneFrameAndHeldStatesFollowTheButtons) {
  platform().QueueMouseButton(1, true);
  platform().QueueMouseButton(1, false);
  platform().QueueMouseButton(1, true);
  platform().QueueMouseButton(2, true);
  mouse->fetchState();
  EXPECT_EQ(mouse->leftPressed, 2);
  EXPECT_EQ(mouse->leftHolded, 1);
  EXPECT_EQ(mouse->rightPressed, 1);
  EXPECT_EQ(mouse->rightHolded, 1);
  mouse->fetchState();  // the frame after: still held, no new press
  EXPECT_EQ(mouse->leftPressed, 0);
  EXPECT_EQ(mouse->rightPressed, 0);
  EXPECT_EQ(mouse->leftHolded, 1);
  platform().QueueMouseButton(1, false);
  platform().QueueMouseButton(2, false);
  mouse->fetchState();
  EXPECT_EQ(mouse->leftHolded, 0);
  EXPECT_EQ(mouse->rightHolded, 0);
}

TEST_F(MouseTest, ClearForgetsPositionAndPressesButKeepsHeldFlags) {
  Frame(40, 50, /*press=*/true);
  mouse->Clear();
  EXPECT_EQ(mouse->x, 0);
  EXPECT_EQ(mouse->y, 0);
  EXPECT_EQ(mouse->leftPressed, 0);
  EXPECT_EQ(mouse->leftHolded, 1);
}

TEST_F(MouseTest, CursorIsDrawnWithItsHandleOnThePointer) {
  Cls();
  Frame(300, 300);
  mouse->Draw();  // no cursor loaded: nothing drawn
  EXPECT_EQ(InkColumns(0, 600).first, -1);

  mouse->loadCursor("gfx/kursor.png", 1, 1);
  ASSERT_TRUE(mouse->cursor);
  EXPECT_EQ(mouse->cursor->handle_x, 1);
  EXPECT_EQ(mouse->cursor->handle_y, 1);
  SetDrawTransform(30, 2, 2);
  SetAlpha(0.3f);
  SetBlend(SOLIDBLEND);
  mouse->Draw();
  // The picture lands with its point (1, 1) on the pointer: it starts one pixel up-left of it
  // and has its natural size.
  const auto [left, right] = InkColumns(299, 332);
  EXPECT_GE(left, 299);
  EXPECT_LE(right, 299 + 31);
  EXPECT_GT(right, 310);
  EXPECT_EQ(GetBlend(), ALPHABLEND);
  EXPECT_EQ(GetAlpha(), 1.0f);
  EXPECT_EQ(GetRotation(), 0.0f);

  TMouse other;
  other.loadCursor("gfx/no-such-cursor.png", 1, 1);
  EXPECT_FALSE(other.cursor);
}

}  // namespace
}  // namespace orvela
