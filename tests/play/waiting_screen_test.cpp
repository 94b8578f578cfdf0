// The waiting screen the cutter drives (background, clock, flip, the music fed at most once a
// millisecond, the clock stepping on the millisecond clock) and the spark emitter that turns
// the sparks pieces throw into TSparks.
#include <gtest/gtest.h>

#include "construction/piece.h"
#include "play/game_statics.h"
#include "play/spark.h"
#include "play/waiting_screen.h"
#include "support/headless.h"
#include "ui/delta_time.h"

namespace orvela {
namespace {

using testing::HeadlessTest;
using testing::SolidPixmap;

class WaitingScreenTest : public HeadlessTest {
 protected:
  GameStatics statics_;  // made first: the clock frames are set over a clean state
  WaitingScreenTest() {
    platform().SetClock(100000);  // well after start-up, as in a real game
    for (int i = 0; i < 10; ++i) {
      // Frame i of the clock is a 10 × 10 square of grey 20·i + 10.
      const uint32_t grey = 20u * i + 10u;
      ImageRef frame =
          TImage::Load(SolidPixmap(10, 10, 0xFF000000u | grey << 16 | grey << 8 | grey), 0);
      MidHandleImage(frame);
      TZegar::Frames()[i] = frame;
    }
  }
  ImageRef background_ = TImage::Load(SolidPixmap(800, 600, 0xFF203040u), 0);
  std::shared_ptr<TZegar> clock_ = MakeWaitingClock(400, 380);
};

TEST_F(WaitingScreenTest, DrawShowsTheBackgroundAndTheClockFrameThenFlips) {
  WaitingScreen screen(background_, clock_, nullptr, std::nullopt, nullptr);
  SetColor(255, 0, 0);  // whatever the screen before left behind
  SetAlpha(0.3f);
  const int64_t before = platform().Presents();
  screen.Start();
  screen.Draw();
  EXPECT_EQ(platform().Presents(), before + 1);
  EXPECT_EQ(Pixel(20, 20), 0xFF203040u);
  EXPECT_EQ(Pixel(400, 380), 0xFF0A0A0Au);  // frame 0, centred on the clock's place
  EXPECT_EQ(Pixel(394, 380), 0xFF203040u);
}

TEST_F(WaitingScreenTest, TheClockStepsEvery600MillisecondsAndFramesAreMeasuredFromTheStart) {
  WaitingScreen screen(background_, clock_, nullptr, std::nullopt, nullptr);
  screen.Start();
  platform().AdvanceClock(17);
  screen.Update();
  EXPECT_NEAR(FrameFactor(), 17.0f / (1000.0f / 60.0f), 1e-4f);  // not 100017 ms of frame
  EXPECT_EQ(clock_->f, 0);
  platform().AdvanceClock(590);
  screen.Update();
  EXPECT_EQ(clock_->f, 1);
  platform().AdvanceClock(300);
  screen.Update();
  EXPECT_EQ(clock_->f, 1);
  screen.Draw();
  EXPECT_EQ(Pixel(400, 380), 0xFF1E1E1Eu);  // frame 1
}

TEST_F(WaitingScreenTest, AGivenTimerMeasuresFromTheStartAndAFixedFactorReplacesIt) {
  auto timer = TDeltaTime::Create(60);
  timer->OldTime = 5;  // the last frame of the screen before, long ago
  WaitingScreen screen(background_, clock_, timer, std::nullopt, nullptr);
  screen.Start();
  platform().AdvanceClock(34);
  screen.Update();
  EXPECT_NEAR(FrameFactor(), 34.0f / (1000.0f / 60.0f), 1e-4f);
  WaitingScreen fixed(background_, clock_, timer, 3.0f, nullptr);
  fixed.Start();
  platform().AdvanceClock(17);
  fixed.Update();
  EXPECT_EQ(FrameFactor(), 3);
}

TEST_F(WaitingScreenTest, TheMusicIsFedAtMostOnceAMillisecond) {
  int fed = 0;
  WaitingScreen screen(background_, clock_, nullptr, std::nullopt, [&] { ++fed; });
  for (int i = 0; i < 5; ++i) screen.Pulse();
  EXPECT_EQ(fed, 1);
  platform().AdvanceClock(1);
  for (int i = 0; i < 5; ++i) screen.Pulse();
  EXPECT_EQ(fed, 2);
  WaitingScreen silent(background_, clock_, nullptr, std::nullopt, nullptr);
  silent.Pulse();  // events only: nothing to feed
}

class SparkEmitterTest : public HeadlessTest {
 protected:
  GameStatics statics_;
  SparkEmitterTest() {
    for (int i = 0; i < 3; ++i)
      TSpark::Images()[i] = TImage::Load(SolidPixmap(4, 4, 0xFFFFFFFF), 0);
    SetSparkEmitter(&emitter_);
  }
  ParticleSparkEmitter emitter_;
};

TEST_F(SparkEmitterTest, EmittedSparksAreListedWithTheirSlotImageAndVelocity) {
  emitter_.Emit(1, 10, 20, 1.0f, 60, 100, 70, 80, 1, 1, 0.25f, -0.5f);
  ASSERT_EQ(TSpark::List().Count(), 1);
  const Ref<TSpark> spark = TSpark::List().First();
  EXPECT_EQ(spark->img, TSpark::Images()[1]);
  EXPECT_EQ(spark->x, 10);
  EXPECT_EQ(spark->y, 20);
  EXPECT_EQ(spark->life, 60);
  EXPECT_EQ(spark->g, 70);
  EXPECT_EQ(spark->b, 80);
  EXPECT_EQ(spark->vx, 0.25f);
  EXPECT_EQ(spark->vy, -0.5f);
  emitter_.Emit(7, 0, 0, 1.0f, 60, 100, 70, 80, 1, 1, 0, 0);  // no such slot: no image
  EXPECT_EQ(TSpark::List().First()->img, nullptr);
  TSpark::UpdateAll();  // draws nothing for it, and does not fail
}

TEST_F(SparkEmitterTest, AFlyingPieceThrowsOneSparkAStepFromItsFlightPoint) {
  auto piece = std::make_shared<TPuzel>();
  piece->img = TImage::Load(SolidPixmap(40, 30, 0xFFFFFFFF), 0);
  piece->x = 100, piece->y = 100, piece->xD = 300, piece->yD = 200, piece->mx = 200;
  piece->my = 0;
  for (int step = 0; step < 3; ++step) {
    piece->updateCurve();
    const Ref<TSpark> spark = TSpark::List().First();
    EXPECT_GE(spark->x, static_cast<int>(piece->xc));
    EXPECT_LE(spark->x, static_cast<int>(piece->xc) + 30);
    EXPECT_GE(spark->y, static_cast<int>(piece->yc));
    EXPECT_LE(spark->y, static_cast<int>(piece->yc) + 20);
    EXPECT_EQ(spark->r, 100);
    EXPECT_GE(spark->g, 50);
    EXPECT_LE(spark->g, 100);
    EXPECT_GE(spark->lifetime, 50);
    EXPECT_LE(spark->lifetime, 100);
    EXPECT_EQ(spark->blending, 1);
    EXPECT_EQ(spark->mapa, 1);
    EXPECT_LE(std::abs(spark->vx), 0.5f);
  }
  EXPECT_EQ(TSpark::List().Count(), 3);
}

}  // namespace
}  // namespace orvela
