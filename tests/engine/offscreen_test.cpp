// Drawing offscreen: still layers, render targets, and the frame recorder
// that leaves out frames showing what the screen already shows.
#include <gtest/gtest.h>

#include "engine/render/frame_recorder.h"
#include "engine/render/software_renderer.h"
#include "engine/render/still_layer.h"
#include "support/headless.h"

namespace orvela {
namespace {

using testing::HeadlessTest;
using testing::SolidPixmap;

QuadDraw Solid(float x, float y, float w, float h, uint8_t r, uint8_t g, uint8_t b) {
  QuadDraw q;
  q.x = x, q.y = y, q.src_w = w, q.src_h = h;
  q.r = r, q.g = g, q.b = b;
  q.blend = 2;
  return q;
}

class StillLayerTest : public HeadlessTest {};

TEST_F(StillLayerTest, HoldsItsPictureUnderOneSignature) {
  StillLayer layer;
  EXPECT_FALSE(layer.Holds(1));
  ASSERT_TRUE(layer.Begin());
  SetBlend(SOLIDBLEND);
  SetColor(0, 255, 0);
  DrawRect(10, 10, 5, 5);
  layer.End(1);
  EXPECT_EQ(Pixel(12, 12), 0xFF000000u);  // not on the canvas yet
  EXPECT_TRUE(layer.Holds(1));
  EXPECT_FALSE(layer.Holds(2));
  layer.Show();
  EXPECT_EQ(Pixel(12, 12), 0xFF00FF00u);
  AllowStillLayers(false);
  EXPECT_FALSE(layer.Holds(1));
  EXPECT_FALSE(layer.Begin());
  AllowStillLayers(true);
  EXPECT_EQ(layer.Redraws(), 1);
}

TEST(FrameRecorderTest, AFrameLikeTheLastOneShownIsLeftOut) {
  SoftwareRenderer canvas(8, 8);
  FrameRecorder recorder(canvas);
  const auto texture = recorder.CreateTexture(SolidPixmap(2, 2, 0xFF0000FFu), false);
  auto frame = [&](float x, const Texture* t) {
    recorder.Clear();
    QuadDraw q = Solid(x, 1, 2, 2, 255, 255, 255);
    q.texture = t;
    recorder.DrawQuad(q);
    recorder.DrawPoints({{7, 7}}, 255, 0, 0, 1, 2);
    return recorder.FinishFrame();
  };
  struct Step {
    float x;
    bool new_texture;
    bool shown;
  };
  const Step steps[] = {
      {1, false, true},                     // the first frame
      {1, false, false},                    // the same again
      {1, false, false}, {3, false, true},  // moved
      {3, true, true},  // another texture (made later, perhaps at the same address)
  };
  for (const Step& step : steps) {
    const auto fresh = recorder.CreateTexture(SolidPixmap(2, 2, 0xFF0000FFu), false);
    EXPECT_EQ(frame(step.x, step.new_texture ? fresh.get() : texture.get()), step.shown)
        << "x " << step.x;
    EXPECT_EQ(canvas.Canvas().ReadPixel(static_cast<int>(step.x), 1), 0xFF0000FFu);
    EXPECT_EQ(canvas.Canvas().ReadPixel(7, 7), 0xFFFF0000u);
  }
  EXPECT_EQ(recorder.Skipped(), 2);

  // Pixels read back mid-frame hold the frame's draws so far, and the frame is then shown.
  recorder.Clear();
  recorder.DrawQuad(Solid(3, 1, 2, 2, 0, 255, 0));
  EXPECT_EQ(recorder.ReadPixels(3, 1, 1, 1)->ReadPixel(0, 0), 0xFF00FF00u);
  EXPECT_TRUE(recorder.FinishFrame());
  recorder.Invalidate();  // and after Invalidate even the same frame is shown
  recorder.Clear();
  recorder.DrawQuad(Solid(3, 1, 2, 2, 0, 255, 0));
  EXPECT_TRUE(recorder.FinishFrame());

  // Draws into a target land there at once, between the canvas draws held before and after.
  const auto target = recorder.CreateTarget(8, 8);
  recorder.Clear();
  recorder.DrawQuad(Solid(3, 1, 2, 2, 0, 255, 0));
  ASSERT_TRUE(recorder.SetTarget(target.get()));
  recorder.Clear();
  recorder.DrawQuad(Solid(0, 0, 1, 1, 255, 255, 0));
  ASSERT_TRUE(recorder.SetTarget(nullptr));
  QuadDraw copy;
  copy.texture = target.get();
  copy.src_w = copy.src_h = 1;
  copy.blend = 2;
  recorder.DrawQuad(copy);
  EXPECT_TRUE(recorder.FinishFrame());
  EXPECT_EQ(canvas.Canvas().ReadPixel(0, 0), 0xFFFFFF00u);
  EXPECT_EQ(canvas.Canvas().ReadPixel(3, 1), 0xFF00FF00u);
  SoftwareRenderer other(8, 8);  // a target serves only the renderer that made it
  EXPECT_FALSE(other.SetTarget(target.get()));
}

}  // namespace
}  // namespace orvela
