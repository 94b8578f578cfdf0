// Frame pacing on the virtual clock, the millisecond clock, and opening the display; the SDL
// platform's refusal to run unseen and its per-user folder.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <set>
#include <string>

#include "engine/sdl_platform.h"
#include "support/headless.h"

namespace orvela {
namespace {

using testing::HeadlessTest;

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

// Sets (or, with no value, unsets) an environment variable for the life of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = getenv(name)) old_ = old;
    if (value) {
      setenv(name, value->c_str(), 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

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

}  // namespace
}  // namespace orvela
