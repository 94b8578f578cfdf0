// The toolkit's small value types: rectangles and their hit-tests, colours, the frame-time
// meter and the digit clock.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/headless.h"
#include "ui/clock.h"
#include "ui/color.h"
#include "ui/delta_time.h"
#include "ui/dim.h"
#include "ui/records.h"

namespace orvela {
namespace {

using testing::HeadlessTest;

TEST(DimTest, TopLeftOriginScalesAboutTheCentre) {
  DimRef d = TDim::Create(100, 50, 40, 20, 0, 1, 1, 0);
  EXPECT_EQ(d->Left(), 100);
  EXPECT_EQ(d->Top(), 50);
  EXPECT_EQ(d->Right(), 140);
  EXPECT_EQ(d->Bottom(), 70);
  EXPECT_EQ(d->InXY(100, 60), 0);  // on the edge: outside
  EXPECT_EQ(d->InXY(101, 60), 1);
  EXPECT_EQ(d->InXY(139.9f, 69.9f), 1);
  EXPECT_EQ(d->InXY(140, 60), 0);
  d->scalex = d->scaley = 2;
  EXPECT_EQ(d->Left(), 80);
  EXPECT_EQ(d->Right(), 160);
  EXPECT_EQ(d->Top(), 40);
  EXPECT_EQ(d->Bottom(), 80);
  d->scalex = d->scaley = 0.5f;
  EXPECT_EQ(d->Left(), 110);
  EXPECT_EQ(d->Right(), 130);
  EXPECT_EQ(d->Top(), 55);
  EXPECT_EQ(d->Bottom(), 65);
  d->xoffset = 5;
  d->yoffset = -5;
  EXPECT_EQ(d->Left(), 115);
  EXPECT_EQ(d->Top(), 50);
}

TEST(DimTest, CentreOriginAndOtherOrigins) {
  DimRef d = TDim::Create(100, 50, 40, 20, 0, 1, 1, 1);
  EXPECT_EQ(d->Left(), 80);
  EXPECT_EQ(d->Right(), 120);
  EXPECT_EQ(d->Top(), 40);
  EXPECT_EQ(d->Bottom(), 60);
  d->scalex = d->scaley = 0.5f;
  EXPECT_EQ(d->Left(), 90);
  EXPECT_EQ(d->Right(), 110);
  EXPECT_EQ(d->Top(), 45);
  EXPECT_EQ(d->Bottom(), 55);
  DimRef other = TDim::Create(100, 50, 40, 20, 0, 1, 1, 2);
  EXPECT_EQ(other->Left(), 0);
  EXPECT_EQ(other->Top(), 0);
  EXPECT_EQ(other->Right(), 40);
  // The plain constructor leaves scale 0: an empty box that contains nothing.
  TDim plain;
  plain.width = 10;
  plain.height = 10;
  EXPECT_EQ(plain.Right(), plain.Left());
  EXPECT_EQ(plain.InXY(0, 0), 0);
  // `in` takes the other rectangle's raw anchor.
  DimRef box = CreateDim(0, 0, 50, 50, 0, 1, 1, 0);
  DimRef point = CreateDim(10, 10, 500, 500, 0, 3, 3, 1);
  EXPECT_EQ(box->in(*point), 1);
  point->x = 50;
  EXPECT_EQ(box->in(*point), 0);
}

TEST(ColorTest, ComponentsFollowThePackedValue) {
  auto c = TColor::Create(0x80FF4020);
  EXPECT_EQ(c->a, 128);
  EXPECT_EQ(c->r, 255);
  EXPECT_EQ(c->g, 64);
  EXPECT_EQ(c->b, 32);
  EXPECT_EQ(c->Color(0x01020304), 0);
  EXPECT_EQ(c->argb, 0x01020304u);
  EXPECT_EQ(c->a + c->r + c->g + c->b, 10);
  EXPECT_EQ(TColor::Alpha(0xFE000000), 0xFE);
  TColor blank;
  EXPECT_EQ(blank.argb, 0u);
  EXPECT_EQ(blank.r, 0);
}

using DeltaTimeTest = HeadlessTest;

TEST_F(DeltaTimeTest, FrameFactorAndFramesPerSecond) {
  TDeltaTime meter;
  meter.SetFPS(60);
  EXPECT_EQ(meter.FPS(), 0);
  platform().SetClock(5000);
  meter.Update();  // measured from time 0
  EXPECT_EQ(meter.ElapsedTime, 5000);
  int seen_fps = -1;
  for (int frame = 0; frame < 90; ++frame) {  // a steady 30 frames a second
    platform().AdvanceClock(frame % 3 == 2 ? 34 : 33);
    meter.Update();
    EXPECT_NEAR(meter.CurrDelta(), 2.0, 0.05);
    if (frame == 20) seen_fps = meter.FPS();
  }
  EXPECT_EQ(seen_fps, 0);  // nothing counted before the first whole second ends
  EXPECT_NEAR(meter.FPS(), 30, 1);
}

TEST(DeltaTimeListTest, EveryMeterIsListedUntilDestroyed) {
  const size_t before = TDeltaTime::Instances().size();
  auto a = TDeltaTime::Create(60);
  EXPECT_EQ(a->dDelta, 1000.0f / 60);
  {
    TDeltaTime b;
    EXPECT_EQ(TDeltaTime::Instances().size(), before + 2);
  }
  EXPECT_EQ(TDeltaTime::Instances().size(), before + 1);
  a->Destroy();
  EXPECT_EQ(TDeltaTime::Instances().size(), before);
  a->Destroy();
  EXPECT_EQ(TDeltaTime::Instances().size(), before);
}

class AnimClockTest : public HeadlessTest {
 protected:
  // A strip of 11 frames 4 × 4, frame k filled with blue value 10 + k.
  std::shared_ptr<TAnimClock> MakeClock() {
    auto strip = TPixmap::Create(44, 4, PF_BGRA8888, 4);
    for (int k = 0; k < 11; ++k) {
      for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) strip->WritePixel(k * 4 + x, y, 0xFF000000u + 10 + k);
    }
    return TAnimClock::Create(strip, CreateDim(100, 100, 0, 0, 0, 1, 1, 0), 11);
  }
  int FrameAt(int x, int y) { return static_cast<int>(Pixel(x, y) & 255) - 10; }
};

TEST_F(AnimClockTest, DrawsMinutesSeparatorTensAndUnits) {
  auto clock = MakeClock();
  ASSERT_TRUE(clock->image);
  EXPECT_EQ(clock->image->FrameCount(), 11);
  clock->Set(75);
  SetBlend(SOLIDBLEND);
  clock->Draw();
  EXPECT_EQ(FrameAt(101, 101), 1);  // minutes
  EXPECT_EQ(FrameAt(119, 99), 10);  // separator, two pixels higher
  EXPECT_EQ(FrameAt(136, 101), 1);  // tens of seconds
  EXPECT_EQ(FrameAt(154, 101), 5);  // units
  clock->Stop();
  EXPECT_EQ(clock->Stopped(), 1);
  clock->State();
  EXPECT_EQ(clock->seconds, 0);
  Cls();
  clock->Draw();
  EXPECT_EQ(FrameAt(101, 101), 0);
  EXPECT_EQ(FrameAt(154, 101), 0);
}

TEST_F(AnimClockTest, CountsDownOneSecondPerNoticedSecond) {
  auto clock = MakeClock();
  clock->Set(2);
  clock->State();
  EXPECT_EQ(clock->seconds, 2);
  platform().AdvanceClock(1001);
  clock->State();
  EXPECT_EQ(clock->seconds, 1);
  clock->State();  // the next second starts when the last was noticed
  EXPECT_EQ(clock->seconds, 1);
  platform().AdvanceClock(1001);
  clock->State();
  EXPECT_EQ(clock->seconds, 0);
  platform().AdvanceClock(5000);
  clock->State();
  EXPECT_EQ(clock->seconds, 0);
  clock->seconds = -3;
  clock->State();
  EXPECT_EQ(clock->seconds, 0);
}

TEST(RecordsTest, StartValues) {
  TACL acl;
  EXPECT_FALSE(acl.dim);
  EXPECT_EQ(acl.enabled, 1);
  EXPECT_EQ(acl.visible, 1);
  TRSA rsa;
  EXPECT_EQ(rsa.rotation + rsa.alpha + rsa.scale, 0);
  TClock base;
  EXPECT_EQ(base.Set(5) + base.Start() + base.Stop() + base.Stopped() + base.Draw() + base.State(),
            0);
}

}  // namespace
}  // namespace orvela
