// Frame pacing on the virtual clock, the millisecond clock, and opening the display; the SDL
// platform's refusal to run unseen, its renderer (through SDL's offscreen driver) and its
// per-user folder.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/context.h"
#include "engine/engine.h"
#include "engine/platform/canvas_fit.h"
#include "engine/platform/sdl/sdl_platform.h"
#include "engine/render/renderer.h"
#include "support/headless.h"
#include "support/sdl_environment.h"

namespace orvela {
namespace {

using testing::DriverAllocations;
using testing::GlDriverLoaded;
using testing::HeadlessTest;
using testing::ScopedEnv;

using DisplayTest = HeadlessTest;

TEST_F(DisplayTest, SixtyPacedFlipsTakeExactlyOneSecond) {
  const int start = MilliClock();
  std::set<int> steps;
  for (int i = 0; i < 60; ++i) {
    const int before = MilliClock();
    Flip(-1);
    steps.insert(MilliClock() - before);
  }
  EXPECT_EQ(MilliClock() - start, 1000);
  EXPECT_EQ(steps, (std::set<int>{16, 17}));
  EXPECT_EQ(platform().Presents(), 60);
}

TEST_F(DisplayTest, OtherRatesSpreadTheirRemainderToo) {
  ASSERT_EQ(OpenGraphics(800, 600, 0, 70, 0), 1);
  const int start = MilliClock();
  for (int i = 0; i < 70; ++i) Flip(-1);
  EXPECT_EQ(MilliClock() - start, 1000);
}

TEST_F(DisplayTest, NoCatchingUpAfterAStall) {
  Flip(-1);
  platform().AdvanceClock(500);  // a long load
  const int late = MilliClock();
  Flip(-1);
  EXPECT_EQ(MilliClock(), late);  // late already: shown at once
  for (int i = 0; i < 5; ++i) {
    const int before = MilliClock();
    Flip(-1);
    EXPECT_GE(MilliClock() - before, 16);  // paced again, not hurried
    EXPECT_LE(MilliClock() - before, 17);
  }
}

TEST_F(DisplayTest, UnpacedFlipsShowAtOnce) {
  const int before = MilliClock();
  Flip(0);
  Flip(1);
  EXPECT_EQ(MilliClock(), before);
  EXPECT_EQ(platform().Presents(), 2);
}

TEST_F(DisplayTest, MilliClockWrapsLikeA32BitCounter) {
  platform().SetClock((int64_t{1} << 32) + 5);
  EXPECT_EQ(MilliClock(), 5);
  Delay(20);
  EXPECT_EQ(MilliClock(), 25);
}

TEST_F(DisplayTest, FullScreenCentresThePointerAndUsesTheTimer) {
  AppTitle("Orvela Puzzle Game");
  ASSERT_EQ(OpenGraphics(800, 600, 32, 60, 0), 1);
  EXPECT_TRUE(platform().Fullscreen());
  EXPECT_EQ(platform().Title(), "Orvela Puzzle Game");
  EXPECT_EQ(MouseXPos(), 400);
  EXPECT_EQ(MouseYPos(), 300);
  const int before = MilliClock();
  Flip(-1);
  EXPECT_GE(MilliClock() - before, 16);
  EXPECT_EQ(GraphicsWidth(), 800);
  EXPECT_EQ(GraphicsHeight(), 600);
}

TEST(SdlClockTest, TheMillisecondClockIsTheSystemsNotTheProgramsOwn) {
  // Counted from the program's start, the clock would seed the random generator with one of a
  // few dozen values at start-up and repeat the first cut from launch to launch.
  SdlPlatform sdl;
  const auto system_now = std::chrono::duration_cast<std::chrono::milliseconds>(
                              std::chrono::steady_clock::now().time_since_epoch())
                              .count();
  const int64_t now = sdl.Milliseconds();
  EXPECT_NEAR(static_cast<double>(now), static_cast<double>(system_now), 1000.0);
}

TEST(SdlDisplayTest, OffscreenAndDummyDriversOnlyWhenAskedFor) {
  EXPECT_TRUE(UsableVideoDriver("x11", ""));
  EXPECT_TRUE(UsableVideoDriver("wayland", "x11"));
  EXPECT_FALSE(UsableVideoDriver("offscreen", ""));
  EXPECT_FALSE(UsableVideoDriver("dummy", "x11"));
  EXPECT_FALSE(UsableVideoDriver("offscreen", "offscreenx"));
  EXPECT_TRUE(UsableVideoDriver("offscreen", "offscreen"));
  EXPECT_TRUE(UsableVideoDriver("dummy", "x11,DUMMY"));
  EXPECT_TRUE(UsableVideoDriver("offscreen", "wayland,offscreen,x11"));
}

TEST(SdlDisplayTest, WithoutADisplayTheWindowIsRefused) {
  // A machine with a display through the kernel could open one even here.
  if (std::filesystem::exists("/dev/dri")) GTEST_SKIP() << "a kernel display may be reachable";
  const ScopedEnv display("DISPLAY", std::nullopt), wayland("WAYLAND_DISPLAY", std::nullopt),
      runtime("XDG_RUNTIME_DIR", std::nullopt), driver("SDL_VIDEODRIVER", std::nullopt);
  SdlPlatform platform;
  DisplayMode mode;
  EXPECT_FALSE(platform.OpenDisplay(mode));  // SDL would fall back to drawing offscreen
  EXPECT_FALSE(platform.GetRenderer());
}

TEST(SdlDisplayTest, TheRendererBlendsBatchesAndReadsBack) {
  const DriverAllocations drivers;
  // SDL's offscreen driver, asked for by name, draws with SDL's software renderer.
  const ScopedEnv driver("SDL_VIDEODRIVER", "offscreen");
  SdlPlatform platform;
  DisplayMode mode;
  mode.width = 64;
  mode.height = 48;
  if (!platform.OpenDisplay(mode)) GTEST_SKIP() << "this SDL has no offscreen driver";
  Renderer& renderer = *platform.GetRenderer();
  ASSERT_EQ(renderer.Width(), 64);

  auto green = TPixmap::Create(8, 8, PF_BGRA8888, 4);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) green->Row32(y)[x] = 0xFF00FF00u;
  }
  const std::unique_ptr<Texture> texture = renderer.CreateTexture(green, false);
  auto solid = [](float x, float y, float alpha, int blend) {
    QuadDraw quad;
    quad.src_w = quad.src_h = 8;
    quad.x = x, quad.y = y;
    quad.alpha = alpha;
    quad.blend = blend;
    return quad;
  };
  renderer.Clear();
  QuadDraw red = solid(0, 0, 1, 0);
  red.g = red.b = 0;
  renderer.DrawQuad(red);
  renderer.DrawQuad(solid(10, 0, 0.5f, 3));           // half white over black
  renderer.DrawQuad(solid(20, 0, std::nanf(""), 3));  // a broken alpha draws nothing
  renderer.DrawQuad(solid(30, 0, 0.5f / 255, 1));     // a fade all but ended: nothing
  QuadDraw textured = solid(40, 0, 1, 0);
  textured.texture = texture.get();
  renderer.DrawQuad(textured);
  renderer.DrawQuad(solid(2, 2, 1.5f, 4));  // added white saturates; alpha above 1 is 1

  const PixmapRef pixels = renderer.ReadPixels(0, 0, 64, 48);
  auto at = [&](int x, int y) { return pixels->Row32(y)[x] & 0xFFFFFFu; };
  EXPECT_EQ(at(1, 1), 0xFF0000u);
  EXPECT_EQ(at(4, 4), 0xFFFFFFu);
  const uint32_t half = at(14, 4);
  EXPECT_EQ(half & 0xFF, half >> 16 & 0xFF);
  EXPECT_NEAR(static_cast<double>(half & 0xFF), 127.5, 2.0);
  EXPECT_EQ(at(24, 4), 0u);
  EXPECT_EQ(at(34, 4), 0u);
  EXPECT_EQ(at(44, 4), 0x00FF00u);
  EXPECT_EQ(at(44, 20), 0u);
}

TEST(SdlDisplayTest, MaskedDrawingWritesSolidWhereTheTextureIsOpaqueEnough) {
  const DriverAllocations drivers;
  const ScopedEnv driver("SDL_VIDEODRIVER", "offscreen"), render("SDL_RENDER_DRIVER", "software");
  SdlPlatform platform;
  DisplayMode mode;
  mode.width = 64;
  mode.height = 48;
  if (!platform.OpenDisplay(mode)) GTEST_SKIP() << "this SDL has no offscreen driver";
  Renderer& renderer = *platform.GetRenderer();
  // Left half nearly opaque, right half nearly clear; the texture's pixels live only in SDL.
  auto picture = TPixmap::Create(8, 8, PF_BGRA8888, 4);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) picture->Row32(y)[x] = x < 4 ? 0xC000FF00u : 0x400000FFu;
  }
  const std::unique_ptr<Texture> texture = renderer.CreateTexture(picture, false);
  picture->ClearPixels(0);
  renderer.Clear();
  QuadDraw quad;
  quad.texture = texture.get();
  quad.src_w = quad.src_h = 8;
  quad.x = 8, quad.y = 8;
  quad.blend = 1;
  renderer.DrawQuad(quad);
  quad.x = 24;
  quad.alpha = 0.6f;  // 0.6 × 0xC0 falls short of one half: nothing drawn
  renderer.DrawQuad(quad);
  const PixmapRef pixels = renderer.ReadPixels(0, 0, 64, 48);
  auto at = [&](int x, int y) { return pixels->Row32(y)[x] & 0xFFFFFFu; };
  EXPECT_EQ(at(9, 9), 0x00FF00u);
  EXPECT_EQ(at(14, 9), 0u);
  EXPECT_EQ(at(25, 9), 0u);
  EXPECT_EQ(at(30, 9), 0u);
}

TEST(SdlDisplayTest, ThePerUserFolderIsNeverTheRoot) {
  const ScopedEnv xdg("XDG_DATA_HOME", std::nullopt);
  {
    const ScopedEnv home("HOME", "/home/player/");
    EXPECT_EQ(SystemAppDataPath(), "/home/player/.local/share");
  }
  {
    const ScopedEnv data("XDG_DATA_HOME", "/data/player");
    EXPECT_EQ(SystemAppDataPath(), "/data/player");
  }
  {
    // HOME unset: the account's home folder from the password database, never "" + the
    // game's folder (which would sit at the root).
    const ScopedEnv home("HOME", std::nullopt), root_data("XDG_DATA_HOME", "/");
    const std::string folder = SystemAppDataPath();
    EXPECT_NE(folder, "");
    EXPECT_NE(folder, "/");
    EXPECT_EQ(folder.rfind("/.local/share"), folder.size() - 13) << folder;
    EXPECT_GT(folder.size(), 13u) << folder;
  }
}

// Any window size: the canvas scaled to fit, centred between black bars, and the pointer
// mapped to the canvas pixel drawn under it.
TEST(CanvasFitTest, TheCanvasFillsOneSideAndIsCentredOnTheOther) {
  struct Case {
    int output_w, output_h;
    float scale;
    int left, top, width, height;
  };
  const Case cases[] = {
      {800, 600, 1, 0, 0, 800, 600},          {1600, 1200, 2, 0, 0, 1600, 1200},
      {1000, 600, 1, 100, 0, 800, 600},       {800, 900, 1, 0, 150, 800, 600},
      {1920, 1080, 1.8f, 240, 0, 1440, 1080}, {1600, 1000, 1000.0f / 600, 133, 0, 1333, 1000},
      {400, 600, 0.5f, 0, 150, 400, 300},     {0, 0, 1, 0, 0, 800, 600},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.output_w) + "x" + std::to_string(c.output_h));
    const CanvasFit fit = FitCanvas(800, 600, c.output_w, c.output_h);
    EXPECT_FLOAT_EQ(fit.scale, c.scale);
    EXPECT_EQ(fit.left, c.left);
    EXPECT_EQ(fit.top, c.top);
    EXPECT_EQ(fit.width, c.width);
    EXPECT_EQ(fit.height, c.height);
    // Enlarged, the output pixel under every canvas pixel's centre maps back to it.
    if (fit.scale < 1) continue;
    for (int x = 0; x < 800; ++x) ASSERT_EQ(CanvasPixelX(fit, std::floor(OutputX(fit, x))), x);
    for (int y = 0; y < 600; ++y) ASSERT_EQ(CanvasPixelY(fit, std::floor(OutputY(fit, y))), y);
  }
}

class PointerRecorder : public InputSink {
 public:
  void OnKey(int, bool, bool) override {}
  void OnChar(char32_t) override {}
  void OnMouseButton(int, bool) override {}
  void OnMouseMove(int x, int y) override { x_ = x, y_ = y; }
  void OnFocusChange(bool) override {}
  void OnQuitRequest() override {}
  int x_ = -1000, y_ = -1000;
};

// The canvas pixel the game sees for a pointer at window point (x, y).
std::pair<int, int> PointerAt(SdlPlatform& platform, int x, int y) {
  SDL_Event event{};
  event.type = SDL_MOUSEMOTION;
  event.motion.windowID = SDL_GetWindowID(platform.Window());
  event.motion.x = x, event.motion.y = y;
  SDL_PushEvent(&event);
  PointerRecorder sink;
  platform.PumpEvents(sink);
  return {sink.x_, sink.y_};
}

// A pixel of the whole output, bars included (SDL reads only inside the viewport, which the
// renderer sets to the canvas again before it draws).
uint32_t OutputPixel(SdlPlatform& platform, int x, int y) {
  SDL_Renderer* renderer = SDL_GetRenderer(platform.Window());
  SDL_RenderSetViewport(renderer, nullptr);
  uint32_t pixel = 0x123456;
  const SDL_Rect one{x, y, 1, 1};
  SDL_RenderReadPixels(renderer, &one, SDL_PIXELFORMAT_ARGB8888, &pixel, 4);
  return pixel & 0xFFFFFFu;
}

TEST(SdlDisplayTest, AtAnyWindowSizeThePointerMapsToTheCanvasPixelDrawnUnderIt) {
  const DriverAllocations drivers;
  // SDL's offscreen driver resizes its output only with SDL's software renderer.
  const ScopedEnv driver("SDL_VIDEODRIVER", "offscreen"), render("SDL_RENDER_DRIVER", "software");
  SdlPlatform platform;
  DisplayMode mode;  // 800 x 600
  if (!platform.OpenDisplay(mode)) GTEST_SKIP() << "this SDL has no offscreen driver";
  Renderer& renderer = *platform.GetRenderer();
  struct Probe {
    int window_x, window_y, canvas_x, canvas_y;
  };
  struct Case {
    int window_w, window_h;
    std::vector<Probe> probes;  // over the bars too: outside the canvas
  };
  const Case cases[] = {
      {1000, 600, {{99, 0, -1, 0}, {100, 0, 0, 0}, {899, 599, 799, 599}, {900, 300, 800, 300}}},
      {800, 900, {{0, 149, 0, -1}, {0, 150, 0, 0}, {799, 749, 799, 599}, {5, 750, 5, 600}}},
      {1200, 900, {{0, 0, 0, 0}, {1, 1, 1, 1}, {2, 2, 1, 1}, {1199, 899, 799, 599}}},
      {1600, 1000, {{132, 0, -1, 0}, {133, 0, 0, 0}, {1465, 999, 799, 599}, {1466, 5, 800, 3}}},
      {1600, 1200, {{1, 1, 0, 0}, {2, 3, 1, 1}, {1598, 1198, 799, 599}, {1599, 1199, 799, 599}}},
      {800, 600, {{0, 0, 0, 0}, {799, 599, 799, 599}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.window_w) + "x" + std::to_string(c.window_h));
    SDL_SetWindowSize(platform.Window(), c.window_w, c.window_h);
    for (const Probe& p : c.probes) {
      EXPECT_EQ(PointerAt(platform, p.window_x, p.window_y), std::make_pair(p.canvas_x, p.canvas_y))
          << "window point " << p.window_x << ", " << p.window_y;
    }
    // The drawing uses the same fit: the canvas's corner pixels land where the pointer finds
    // them, and the bars beside them stay black. (Checked at whole scales: SDL's software
    // rasteriser, the only one that draws offscreen here, places fractional edges its own way.)
    renderer.Clear();
    if (std::fmod(std::min(c.window_w / 800.0, c.window_h / 600.0), 1.0) != 0) continue;
    QuadDraw white;
    white.src_w = white.src_h = 1;
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{799, 599}}) {
      white.x = static_cast<float>(x), white.y = static_cast<float>(y);
      renderer.DrawQuad(white);
    }
    renderer.FinishFrame(true);  // the frame recorder holds draws until the frame ends
    for (const Probe& p : c.probes) {
      const bool corner =
          (p.canvas_x == 0 && p.canvas_y == 0) || (p.canvas_x == 799 && p.canvas_y == 599);
      EXPECT_EQ(OutputPixel(platform, p.window_x, p.window_y), corner ? 0xFFFFFFu : 0u)
          << "window point " << p.window_x << ", " << p.window_y;
    }
    platform.Present(false);
  }
}

TEST(SdlDisplayTest, TheSoftwareRendererShowsItsFramesWithoutAGlDriver) {
  if (!std::ifstream("/proc/self/maps")) GTEST_SKIP() << "no /proc here";
  if (GlDriverLoaded()) GTEST_SKIP() << "an earlier test of this process loaded one";
  const DriverAllocations drivers;
  const ScopedEnv driver("SDL_VIDEODRIVER", "offscreen"), render("SDL_RENDER_DRIVER", "software"),
      accelerated("SDL_FRAMEBUFFER_ACCELERATION", std::nullopt);
  SdlPlatform platform;
  DisplayMode mode;
  if (!platform.OpenDisplay(mode)) GTEST_SKIP() << "this SDL has no offscreen driver";
  Renderer& renderer = *platform.GetRenderer();
  renderer.Clear();
  QuadDraw white;
  white.src_w = white.src_h = 1;
  renderer.DrawQuad(white);
  renderer.FinishFrame(true);
  platform.Present(false);
  EXPECT_EQ(OutputPixel(platform, 0, 0), 0xFFFFFFu);
  EXPECT_FALSE(GlDriverLoaded());
}

TEST(SdlDisplayTest, AfterAnOffscreenCanvasAScaledWindowIsDrawnAtItsOwnScale) {
  const DriverAllocations drivers;
  const ScopedEnv driver("SDL_VIDEODRIVER", "offscreen"), render("SDL_RENDER_DRIVER", "software");
  SdlPlatform platform;
  DisplayMode mode;  // 800 x 600
  if (!platform.OpenDisplay(mode)) GTEST_SKIP() << "this SDL has no offscreen driver";
  Renderer& renderer = *platform.GetRenderer();
  const std::unique_ptr<Texture> layer = renderer.CreateTarget(800, 600);
  if (!layer) GTEST_SKIP() << "this renderer cannot draw offscreen";
  EXPECT_TRUE(renderer.SetTarget(layer.get()));
  EXPECT_TRUE(renderer.SetTarget(nullptr));
  SDL_SetWindowSize(platform.Window(), 1600, 1200);
  // At twice the size the canvas's pixels are not the window's: no offscreen canvas then.
  EXPECT_FALSE(renderer.SetTarget(layer.get()));
  renderer.Clear();
  QuadDraw white;
  white.src_w = white.src_h = 1;
  white.x = 799, white.y = 599;
  renderer.DrawQuad(white);
  renderer.FinishFrame(true);
  EXPECT_EQ(OutputPixel(platform, 1598, 1198), 0xFFFFFFu);
  EXPECT_EQ(OutputPixel(platform, 1599, 1199), 0xFFFFFFu);
  EXPECT_EQ(OutputPixel(platform, 1597, 1197), 0u);
  SDL_SetWindowSize(platform.Window(), 800, 600);
  EXPECT_TRUE(renderer.SetTarget(layer.get()));
  EXPECT_TRUE(renderer.SetTarget(nullptr));
}

TEST(SdlDisplayTest, SwitchingToFullScreenAndBackKeepsTheCanvasAndItsPictures) {
  const DriverAllocations drivers;
  const ScopedEnv driver("SDL_VIDEODRIVER", "offscreen"), render("SDL_RENDER_DRIVER", "software");
  auto owned = std::make_unique<SdlPlatform>();
  SdlPlatform& platform = *owned;
  EngineScope engine(std::move(owned));
  if (!OpenGraphics(800, 600, 0, 60, 0)) GTEST_SKIP() << "this SDL has no offscreen driver";
  const ImageRef picture = TImage::Load(testing::SolidPixmap(16, 16, 0xFF00FF00u), 0);
  ASSERT_TRUE(picture);
  for (const int depth : {32, 0, 32, 0}) {  // as the settings' switch does it
    SCOPED_TRACE(depth);
    ASSERT_TRUE(OpenGraphics(800, 600, depth, 60, 0));
    Renderer& renderer = *platform.GetRenderer();
    EXPECT_EQ(renderer.Width(), 800);
    EXPECT_EQ(renderer.Height(), 600);
    Cls();
    DrawImageFrame(picture, 100, 100, 0);
    const PixmapRef grabbed = GrabPixmap(100, 100, 20, 20);
    EXPECT_EQ(grabbed->ReadPixel(8, 8) & 0xFFFFFFu, 0x00FF00u);
    EXPECT_EQ(grabbed->ReadPixel(18, 18) & 0xFFFFFFu, 0u);
    // The pointer keeps its mapping: the canvas centre is found under the window's centre.
    int window_w = 0, window_h = 0;
    SDL_GetWindowSize(platform.Window(), &window_w, &window_h);
    if (depth == 0) {
      EXPECT_EQ(std::make_pair(window_w, window_h), std::make_pair(800, 600));
    }
    const auto [x, y] = PointerAt(platform, window_w / 2, window_h / 2);
    EXPECT_NEAR(x, 400, 1);
    EXPECT_NEAR(y, 300, 1);
    Flip(0);
  }
}

}  // namespace
}  // namespace orvela
