// Polled input: press counting and its reset, held states, the typed-character queue, the
// pointer position, and the focus rule.
#include <gtest/gtest.h>

#include "engine/context.h"
#include "support/headless.h"

namespace orvela {
namespace {

using testing::HeadlessTest;

using InputTest = HeadlessTest;

TEST_F(InputTest, KeyHitsCountsPressesAndResets) {
  platform().QueueKey(KEY_S, true);
  platform().QueueKey(KEY_S, false);
  platform().QueueKey(KEY_S, true);
  EXPECT_EQ(KeyIsDown(KEY_S), 1);
  EXPECT_EQ(KeyHits(KEY_S), 2);
  EXPECT_EQ(KeyHits(KEY_S), 0);      // a second query in the same frame
  platform().QueueKey(KEY_S, true);  // held: a repeated "down" is not a new press
  EXPECT_EQ(KeyHits(KEY_S), 0);
  platform().QueueKey(KEY_S, false);
  EXPECT_EQ(KeyIsDown(KEY_S), 0);
  EXPECT_EQ(KeyHits(KEY_ESCAPE), 0);
  EXPECT_EQ(KeyHits(-1), 0);
  EXPECT_EQ(KeyHits(1000), 0);
}

TEST_F(InputTest, MouseHitsCountOnlyPressesFromUp) {
  platform().QueueMouseMove(123, 45);
  platform().QueueMouseButton(1, true);
  platform().QueueMouseButton(1, true);  // no release between: one press
  platform().QueueMouseButton(2, true);
  platform().QueueMouseButton(2, false);
  platform().QueueMouseButton(2, true);
  EXPECT_EQ(MouseXPos(), 123);
  EXPECT_EQ(MouseYPos(), 45);
  EXPECT_EQ(MouseHits(1), 1);
  EXPECT_EQ(MouseHits(1), 0);
  EXPECT_EQ(MouseIsDown(1), 1);
  EXPECT_EQ(MouseHits(2), 2);
  EXPECT_EQ(MouseHits(3), 0);
  platform().QueueMouseButton(1, false);
  EXPECT_EQ(MouseIsDown(1), 0);
}

TEST_F(InputTest, TypedCharactersQueueUpToTheLimit) {
  EXPECT_EQ(GetChar(), 0);
  for (int i = 0; i < 300; ++i) platform().QueueChar(static_cast<char32_t>('a' + i % 26));
  platform().QueueChar(0x142);  // dropped: the queue is full
  int count = 0;
  EXPECT_EQ(GetChar(), 'a');
  for (++count; GetChar() != 0;) ++count;
  EXPECT_EQ(count, 256);
  platform().QueueChar(0x142);
  EXPECT_EQ(GetChar(), 0x142);
}

TEST_F(InputTest, FocusChangeClearsCountsAndHeldStates) {
  platform().QueueKey(KEY_H, true);
  platform().QueueMouseButton(1, true);
  platform().QueueChar('x');
  platform().QueueFocusChange();
  EXPECT_EQ(KeyIsDown(KEY_H), 0);
  EXPECT_EQ(KeyHits(KEY_H), 0);
  EXPECT_EQ(MouseIsDown(1), 0);
  EXPECT_EQ(MouseHits(1), 0);
  EXPECT_EQ(GetChar(), 0);
}

TEST_F(InputTest, TheWindowGoingOutOfViewCountsOnceUntilItIsBack) {
  EXPECT_EQ(WindowInFront(), 1);
  EXPECT_EQ(WindowFocusLosses(), 0);
  // Minimised: the focus goes too, one loss; back; lost again.
  for (const bool in_front : {false, false, true, true, false}) {
    platform().QueueFocusChange(in_front);
  }
  EXPECT_EQ(WindowFocusLosses(), 2);
  EXPECT_EQ(WindowInFront(), 0);
  platform().QueueFocusChange(true);
  EXPECT_EQ(WindowInFront(), 1);
}

TEST_F(InputTest, ClosingTheWindowEndsThroughTheEventPump) {
  platform().QueueQuit();
  EXPECT_THROW(PollSystem(), QuitRequested);
  EXPECT_NO_THROW(PollSystem());  // reported once
}

}  // namespace
}  // namespace orvela
