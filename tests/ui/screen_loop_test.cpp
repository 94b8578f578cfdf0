// The screen-loop kit: the frame start every screen shares and the approach rule of every
// animated value.
#include <gtest/gtest.h>

#include "support/headless.h"
#include "ui/delta_time.h"
#include "ui/mouse.h"
#include "ui/screen_loop.h"

namespace orvela {
namespace {

using testing::HeadlessTest;

TEST(ApproachTargetTest, StopsExactlyOnTheTargetFromBelowAndAbove) {
  float value = 0.9f;
  ApproachTarget(value, 1, 0.25f);
  EXPECT_EQ(value, 1);
  ApproachTarget(value, 1, 0.25f);
  EXPECT_EQ(value, 1);
  value = 0.1f;
  ApproachTarget(value, 0, 0.25f);
  EXPECT_EQ(value, 0);
  value = 0.5f;
  ApproachTarget(value, 0, 0.25f);
  EXPECT_EQ(value, 0.25f);
}

TEST(ApproachTargetTest, AFadeThatTurnsBackEndsAtExactlyItsStart) {
  // Seven 0.05 steps up and seven down leave float rounding a few billionths above 0; such a
  // cover must end fully clear, not at an alpha too small to draw.
  for (int up = 1; up < 20; ++up) {
    float fade = 0;
    for (int i = 0; i < up; ++i) ApproachTarget(fade, 1, 0.05f);
    for (int i = 0; i < up; ++i) ApproachTarget(fade, 0, 0.05f);
    EXPECT_EQ(fade, 0.0f) << up << " steps";
  }
}

class ScreenLoopTest : public HeadlessTest {
 protected:
  ~ScreenLoopTest() override { SetFrameFactor(1); }
};

TEST_F(ScreenLoopTest, BeginFrameMeasuresTheFactorAndReadsTheMouse) {
  auto timer = TDeltaTime::Create(60);
  TMouse mouse;
  const ScreenLoop loop(*timer, &mouse);
  loop.WarmUp();
  platform().QueueMouseMove(123, 45);
  platform().AdvanceClock(33);
  const float factor = loop.BeginFrame();
  EXPECT_NEAR(factor, 33.0f / (1000.0f / 60.0f), 1e-4f);
  EXPECT_EQ(FrameFactor(), factor);
  EXPECT_EQ(mouse.x, 123);
  EXPECT_EQ(mouse.y, 45);

  const ScreenLoop fixed(*timer, nullptr, 1.0f);  // no mouse: nothing is read or drawn
  platform().AdvanceClock(50);
  EXPECT_EQ(fixed.BeginFrame(), 1.0f);
  const int64_t shown = platform().Presents();
  fixed.ShowFrame();
  EXPECT_EQ(platform().Presents(), shown + 1);
}

}  // namespace
}  // namespace orvela
