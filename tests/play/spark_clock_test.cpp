// Sparks under the frame-factor throttle, their fading, and the waiting clock's steps.
#include <gtest/gtest.h>

#include "play/game_statics.h"
#include "play/spark.h"
#include "play/waiting_clock.h"
#include "support/headless.h"
#include "ui/delta_time.h"

namespace orvela {
namespace {

using testing::HeadlessTest;
using testing::SolidPixmap;

class SparkTest : public HeadlessTest {
 protected:
  GameStatics statics_;  // no sparks, frame factor 1, before and after
  ImageRef image_ = TImage::Load(SolidPixmap(4, 4, 0xFFFFFFFF), 0);
  // Frames a spark of the given lifetime stays listed at a frame factor.
  int FramesAlive(float factor, int lifetime) {
    SetFrameFactor(factor);
    TSpark::Create(image_, 10, 10, 1, lifetime, 255, 255, 255, 1, 1);
    int frames = 0;
    while (!TSpark::allDestroyed() && frames < 1000) {
      TSpark::UpdateAll();
      ++frames;
    }
    return frames;
  }
};

TEST_F(SparkTest, TheFrameFactorThrottlesNewSparks) {
  EXPECT_EQ(FramesAlive(1.0f, 80), 80);
  EXPECT_EQ(FramesAlive(0.5f, 80), 80);
  EXPECT_EQ(FramesAlive(1.5f, 80), 40);
  EXPECT_EQ(FramesAlive(2.0f, 80), 0);
  SetFrameFactor(2.5f);
  auto unlisted = TSpark::Create(image_, 0, 0, 1, 80, 1, 2, 3, 1, 1);
  ASSERT_TRUE(unlisted);  // returned even when not listed
  EXPECT_EQ(unlisted->life, 80);
}

TEST_F(SparkTest, NewestFirstAndDestroy) {
  auto a = TSpark::Create(image_, 0, 0, 1, 10, 0, 0, 0, 1, 1);
  auto b = TSpark::Create(image_, 0, 0, 1, 10, 0, 0, 0, 1, 1);
  EXPECT_EQ(TSpark::List().First(), b);
  a->Destroy();
  EXPECT_EQ(TSpark::List().Count(), 1);
  TSpark::destroyAll();
  EXPECT_EQ(TSpark::allDestroyed(), 1);
}

TEST_F(SparkTest, SparksMoveAndFadeFromPointEight) {
  auto spark = TSpark::Create(image_, 100, 100, 1, 10, 255, 0, 0, 2, 1);
  spark->setVelocity(3, -2);
  SetBlend(SOLIDBLEND);
  SetColor(0, 0, 255);
  DrawRect(0, 0, 200, 200);
  TSpark::UpdateAll();  // moved first, then drawn in alpha blending at 10/10 − 0.2 = 0.8
  EXPECT_EQ(spark->x, 103);
  EXPECT_EQ(spark->y, 98);
  EXPECT_EQ(GetBlend(), ALPHABLEND);
  EXPECT_NEAR(GetAlpha(), 0.8f, 1e-6);
  const uint32_t p = Pixel(104, 99);
  EXPECT_NEAR(static_cast<int>((p >> 16) & 255), 204, 1);  // 0.8 red over blue
  EXPECT_NEAR(static_cast<int>(p & 255), 51, 1);
  EXPECT_EQ(spark->life, 9);
}

using ClockTest = HeadlessTest;

TEST_F(ClockTest, StepsEvery600MillisecondsAndWraps) {
  auto clock = MakeWaitingClock(400, 380);
  clock->start();
  for (int i = 0; i < 50; ++i) clock->update();  // however often it is asked
  EXPECT_EQ(clock->f, 0);
  platform().AdvanceClock(601);
  clock->update();
  clock->update();
  EXPECT_EQ(clock->f, 1);
  for (int step = 2; step <= 10; ++step) {
    platform().AdvanceClock(601);
    clock->update();
  }
  EXPECT_EQ(clock->f, 0);  // from 9 back to 0
}

TEST_F(ClockTest, FramesLoadCentreHandled) {
  TZegar::setup();
  for (const ImageRef& frame : TZegar::Frames()) {
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->handle_x, frame->width * 0.5f);
  }
  auto clock = MakeWaitingClock(400, 380);
  clock->draw();
  EXPECT_NE(Pixel(400, 380), 0xFF000000u);
}

}  // namespace
}  // namespace orvela
