// The credits screen in the running game: the fly-in to the settled picture, a click that
// sends the fragments back out, the end only when the first and the last fragment are back,
// fresh paths at every opening, and layouts that cannot be read.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <vector>

#include "shell/credits.h"
#include "shell/game_driver.h"
#include "shell/main_menu.h"

namespace orvela {
namespace {

namespace fs = std::filesystem;
using testing::GameTest;
using testing::WriteBytes;

using testing::kFirstClickable;
constexpr int kCreditsX = 400, kCreditsY = 418;
constexpr int kQuitX = 400, kQuitY = 498;
constexpr int kLimit = 600;  // no test should need more frames

class CreditsTest : public GameTest {
 protected:
  // Opens the credits in the menu's first clickable frame and calls inside(n) after every
  // shown credits frame n (0 the first). Returns how many credits frames were shown before the
  // menu ran again, or -1 when the credits did not end.
  int RunCredits(const std::function<void(int n)>& inside) {
    const int first = kFirstClickable + 1;
    int shown = -1;
    at_end_.clear();
    RunFrames([&](int frame) {
      if (frame == kFirstClickable - 1) Press(kCreditsX, kCreditsY);
      if (frame == kFirstClickable) Release();
      if (frame >= first && shown < 0) {
        if (Game().credits->wyjdz) {
          shown = frame - first;
          for (const auto& f : fragments()) at_end_.push_back(*f);
          StopGame();
        }
        inside(frame - first);
      }
      if (frame > kLimit) StopGame();
    });
    return shown;
  }
  TCredits& credits() { return *Game().credits; }
  std::vector<std::shared_ptr<TPuzelek>> fragments() { return credits().listaPuzelkow.ToArray(); }
  std::vector<TPuzelek> at_end_;  // the fragments as the credits ended
};

TEST_F(CreditsTest, FragmentsFlyInFromOutsideAndSettleOnTheirPlaces) {
  RunCredits([&](int n) {
    if (n == 0) {
      ASSERT_EQ(credits().listaPuzelkow.Count(), 48);
      for (const auto& f : fragments()) {
        // Every start region lies around the screen, at most 100 pixels out.
        EXPECT_TRUE(f->x <= 0 || f->x >= 800 || f->y <= 0 || f->y >= 600) << f->x << "," << f->y;
        EXPECT_TRUE(f->x >= -100 && f->x <= 900 && f->y >= -100 && f->y <= 700);
        EXPECT_NEAR(f->t, 0.02f, 1e-6f);  // one step along, not ended by the opening click
        EXPECT_EQ(f->go, 1);
      }
    }
    if (n == 25) {  // half-way: half opaque, on the curve between start and place
      for (const auto& f : fragments()) {
        EXPECT_NEAR(f->alpha, 0.52f, 1e-4f);
        const float t = 0.5f;  // drawn at the step before the current t
        const float x0 = static_cast<float>(static_cast<int>(f->x));
        const float x1 = static_cast<float>(static_cast<int>(f->dx));
        EXPECT_NEAR(f->px, x0 + 2 * t * (f->mx - x0) + t * t * (x0 + x1 - 2 * f->mx), 0.05f);
      }
    }
    if (n == 60) {
      for (const auto& f : fragments()) {
        EXPECT_EQ(f->t, 1.0f);
        EXPECT_EQ(f->alpha, 1.0f);
        EXPECT_EQ(f->px, f->dx);
        EXPECT_EQ(f->py, f->dy);
      }
      GameTest::StopGame();
    }
  });
}

TEST_F(CreditsTest, AClickInTheFirstFrameEndsThemAlmostAtOnce) {
  const int shown = RunCredits([&](int n) {
    if (n == 0) Press(400, 300);  // read by the credits' second frame, acting after it
    if (n == 2) {
      for (const auto& f : fragments()) {
        EXPECT_EQ(f->go, -1);
        EXPECT_EQ(f->dAlpha, 0);
      }
      Release();
    }
  });
  EXPECT_LE(shown, 4);  // back at t = 0 two frames after the click
  ASSERT_EQ(at_end_.size(), 48u);
  for (const TPuzelek& f : at_end_) {
    EXPECT_EQ(f.t, 0);
    EXPECT_LE(f.alpha, 0.04f);  // they had hardly shown
  }
}

// Clicks once everything has settled, with the first and the last fragment put at chosen
// points of their paths (they take one more step in before the click acts); returns how many
// frames the fly-out showed.
class CreditsEndTest : public CreditsTest {
 protected:
  int ClickWhenSettled(float first_t, float last_t, float middle_t) {
    int clicked = -1;
    const int shown = RunCredits([&](int n) {
      if (n == 60) {
        credits().listaPuzelkow.First()->t = first_t;
        credits().listaPuzelkow.Last()->t = last_t;
        credits().listaPuzelkow.ValueAtIndex(20)->t = middle_t;
        Press(400, 300);
        clicked = n + 1;  // the frame that reads the click; the fly-out starts after it
      }
      if (n == 61) Release();
    });
    return shown < 0 ? -1 : shown - clicked - 1;
  }
};

TEST_F(CreditsEndTest, ALaggingFirstOrLastFragmentKeepsTheScreenOpen) {
  // One of them is home after 16 frames, the other after 50 (51 with the float steps): the
  // screen waits for both.
  EXPECT_EQ(ClickWhenSettled(1.0f, 0.3f, 1.0f), 51);
  EXPECT_EQ(ClickWhenSettled(0.3f, 1.0f, 1.0f), 51);
}

TEST_F(CreditsEndTest, OtherFragmentsMayStillBeOnTheirWay) {
  EXPECT_EQ(ClickWhenSettled(0.1f, 0.1f, 1.0f), 7);  // 0.12 down to 0
  ASSERT_EQ(at_end_.size(), 48u);
  EXPECT_NEAR(at_end_[20].t, 0.86f, 1e-4f);  // seven steps down from 1
  EXPECT_GT(at_end_[20].alpha, 0.8f);
}

TEST_F(CreditsTest, EveryOpeningDrawsNewPaths) {
  std::vector<std::pair<float, float>> starts[2];
  int opening = 0, closed_at = -1;
  RunFrames([&](int frame) {
    if (frame == kFirstClickable - 1) Press(kCreditsX, kCreditsY);
    if (frame == kFirstClickable) Release();
    if (frame == kFirstClickable + 1 || (closed_at > 0 && frame == closed_at + 3)) {
      for (const auto& f : fragments()) starts[opening].push_back({f->x, f->y});
      ++opening;
      Press(400, 300);  // ends these credits
    }
    if (opening == 1 && closed_at < 0 && credits().wyjdz) {
      closed_at = frame;  // back in the menu
      Release();
    }
    if (closed_at > 0 && frame == closed_at + 1) Press(kCreditsX, kCreditsY);
    if (opening == 2 || frame > kLimit) StopGame();
  });
  ASSERT_EQ(opening, 2);
  int different = 0;
  for (size_t i = 0; i < 48; ++i) different += starts[0][i] != starts[1][i] ? 1 : 0;
  EXPECT_GE(different, 40);
}

// A layout that cannot be used skips the credits with one message; the game goes on.
class BrokenCreditsTest
    : public CreditsTest,
      public ::testing::WithParamInterface<std::pair<const char*, const char*>> {};

TEST_P(BrokenCreditsTest, SkipsTheCreditsWithOneMessageAndTheGameGoesOn) {
  const fs::path install = InstallCopy();
  fs::remove(install / "dane");
  fs::create_directory(install / "dane");
  if (GetParam().first) WriteBytes(install / "dane/credits.tsc", GetParam().first);
  ::testing::internal::CaptureStdout();
  bool ended_by_quit = false;
  const int frames = RunFrames([&](int frame) {
    if (frame == 1) {
      EXPECT_TRUE(platform().Messages().empty());  // nothing until asked
    }
    if (frame == kFirstClickable - 1) Press(kCreditsX, kCreditsY);
    if (frame == kFirstClickable + 1) {
      Release();
      EXPECT_EQ(Game().main_menu->fade, 0);  // back in the menu at once
    }
    if (frame == kFirstClickable + 2) Press(kQuitX, kQuitY);  // the menu still works
    if (Game().main_menu->wyjdz) {
      ended_by_quit = true;
      Key(KEY_ESCAPE);  // leaves the more-games screen shown at the end
    }
    if (frame > kLimit) StopGame();
  });
  const std::string trace = ::testing::internal::GetCapturedStdout();
  EXPECT_TRUE(ended_by_quit);
  EXPECT_LT(frames, kLimit);
  ASSERT_EQ(platform().Messages().size(), 1u);
  const std::string& message = platform().Messages()[0];
  EXPECT_NE(message.find("The credits cannot be shown"), std::string::npos) << message;
  EXPECT_NE(message.find(GetParam().second), std::string::npos) << message;
  EXPECT_NE(trace.find(GetParam().second), std::string::npos) << trace;
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, BrokenCreditsTest,
    ::testing::Values(std::pair{"puzle{\n\tp0=94,64\n\tp1=164,64\n}\n", "puzle::p2 does not exist"},
                      std::pair{"puzle{ p0=94,64; }", "ERROR: Unexpected ;"},
                      std::pair{"puzle{\n\tp0=94\n}\n", "puzle::p0 holds fewer than two numbers"},
                      std::pair{"puzle{\n\tp0=\"3e9\",64\n}\n", "puzle::p0 holds a number out of"},
                      std::pair{"puzle{\n\tp0=94,-3000000000\n}\n", "p0 holds a number out of"},
                      std::pair{static_cast<const char*>(nullptr),
                                "could not open file: dane/credits.tsc"}));

}  // namespace
}  // namespace orvela
