// Offscreen canvases of the SDL renderer in a window of any size: what is drawn into one and
// shown is, pixel for pixel, what drawing straight into the window shows.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "engine/image/pixmap.h"
#include "engine/platform/sdl/sdl_platform.h"
#include "engine/render/renderer.h"
#include "support/sdl_environment.h"

namespace orvela {
namespace {

using testing::DriverAllocations;
using testing::ScopedEnv;

// A still scene with what a table has: a solid background, a blended and an added quad, a
// textured one with a soft edge, a masked one, and single pixels.
void DrawScene(Renderer& renderer, const Texture& texture) {
  QuadDraw quad;
  quad.src_w = 800, quad.src_h = 600;
  quad.r = 40, quad.g = 90, quad.b = 60;
  renderer.DrawQuad(quad);
  for (int blend : {1, 3, 4}) {
    QuadDraw piece;
    piece.texture = &texture;
    piece.src_w = piece.src_h = 16;
    piece.x = 100.0f + 150.0f * static_cast<float>(blend), piece.y = 200.5f;
    piece.ax = piece.by = 6.3f;  // stretched well past its texels
    piece.alpha = 0.7f;
    piece.blend = blend;
    renderer.DrawQuad(piece);
  }
  renderer.DrawPoints({{3, 4}, {799, 599}, {400, 300}}, 255, 255, 0, 1, 2);
}

// What moves over a still table: drawn after it in either case.
void DrawMoving(Renderer& renderer) {
  QuadDraw carried;
  carried.src_w = 30, carried.src_h = 20;
  carried.x = 500.25f, carried.y = 100;
  carried.r = 200, carried.g = 20, carried.b = 220;
  carried.alpha = 0.5f;
  carried.blend = 3;
  renderer.DrawQuad(carried);
}

std::vector<uint32_t> Output(SdlPlatform& platform, int width, int height) {
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
  SDL_Renderer* renderer = SDL_GetRenderer(platform.Window());
  SDL_RenderSetViewport(renderer, nullptr);
  SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), width * 4);
  for (uint32_t& pixel : pixels) pixel &= 0xFFFFFFu;
  return pixels;
}

TEST(SdlLayerTest, AtAnyWindowSizeAShownCanvasMatchesDrawingStraightIntoTheWindow) {
  const DriverAllocations drivers;
  const ScopedEnv driver("SDL_VIDEODRIVER", "offscreen"), render("SDL_RENDER_DRIVER", "software");
  SdlPlatform platform;
  DisplayMode mode;  // 800 x 600
  if (!platform.OpenDisplay(mode)) GTEST_SKIP() << "this SDL has no offscreen driver";
  Renderer& renderer = *platform.GetRenderer();

  auto soft = TPixmap::Create(16, 16, PF_BGRA8888, 4);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      soft->Row32(y)[x] = static_cast<uint32_t>(x * 16) << 24 | 0xC05020u;
    }
  }
  const std::unique_ptr<Texture> texture = renderer.CreateTexture(soft, true);
  std::unique_ptr<Texture> layer = renderer.CreateTarget(800, 600);
  if (!layer) GTEST_SKIP() << "this renderer cannot draw offscreen";

  struct Size {
    int width, height;
  };
  // The canvas's own size, twice it, and a fractional scale with bars at the sides.
  for (const Size size : {Size{800, 600}, Size{1600, 1200}, Size{1000, 700}}) {
    SCOPED_TRACE(::testing::Message() << size.width << " x " << size.height);
    SDL_SetWindowSize(platform.Window(), size.width, size.height);
    renderer.Clear();
    DrawScene(renderer, *texture);
    DrawMoving(renderer);
    renderer.FinishFrame(true);
    const std::vector<uint32_t> straight = Output(platform, size.width, size.height);

    renderer.Clear();
    if (!renderer.TargetSuits(*layer)) {
      // Made for another size of the window, the canvas is refused and made anew.
      EXPECT_FALSE(renderer.SetTarget(layer.get()));
      layer = renderer.CreateTarget(800, 600);
      ASSERT_TRUE(layer);
    }
    ASSERT_TRUE(renderer.SetTarget(layer.get()));
    renderer.Clear();
    DrawScene(renderer, *texture);
    ASSERT_TRUE(renderer.SetTarget(nullptr));
    QuadDraw show;
    show.texture = layer.get();
    show.src_w = 800, show.src_h = 600;
    renderer.DrawQuad(show);
    DrawMoving(renderer);
    renderer.FinishFrame(true);
    const std::vector<uint32_t> layered = Output(platform, size.width, size.height);

    // SDL's software blending into the canvas (which has alpha) and into the window (which has
    // none) rounds up to 2 % apart on blended edges; nothing may move or be lost.
    size_t differing = 0;
    for (size_t i = 0; i < straight.size(); ++i) {
      for (int shift : {0, 8, 16}) {
        const int a = static_cast<int>(straight[i] >> shift & 0xFF);
        const int b = static_cast<int>(layered[i] >> shift & 0xFF);
        if (std::abs(a - b) > 4) ++differing;
      }
    }
    EXPECT_EQ(differing, 0u);
  }
}

}  // namespace
}  // namespace orvela
