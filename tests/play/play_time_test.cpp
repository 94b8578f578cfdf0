// The time and progress of play: the play clock's counting, the pause by P and by the window
// going out of view (the clock stops, a click goes on and picks nothing up), the joins made
// through a solve, and the win's time handed to the best times (none for sort up).
#include <gtest/gtest.h>

#include "engine/engine.h"
#include "play/play_clock.h"
#include "play/play_support.h"

namespace orvela {
namespace {

using testing::PlayTest;

TEST(PlayClockTest, CountsOnlyBetweenRunsAndKeepsWithinItsRange) {
  struct Case {
    const char* what;
    int start_seconds;
    std::vector<int> runs;  // MilliClock values of Run; -1 is a Stop
    int64_t milliseconds;
  };
  const Case cases[] = {
      {"the first run only starts it", 0, {5000}, 0},
      {"runs add the time between them", 0, {100, 600, 1350}, 1250},
      {"a stop drops the time to the next run", 3, {0, 400, -1, 90000, 90100}, 3500},
      {"the clock wrapping counts on", 0, {INT32_MAX - 10, INT32_MIN + 9}, 20},
      {"a step back counts nothing", 0, {1000, 400, 500}, 100},
      {"the top stays the top",
       PlayClock::kMaxSeconds,
       {0, 5000},
       int64_t{PlayClock::kMaxSeconds} * 1000},
  };
  for (const Case& c : cases) {
    PlayClock clock;
    clock.Set(c.start_seconds);
    for (int at : c.runs) {
      if (at == -1) {
        clock.Stop();
      } else {
        clock.Run(at);
      }
    }
    EXPECT_EQ(clock.Milliseconds(), c.milliseconds) << c.what;
  }
  PlayClock clock;
  clock.Set(-5);
  EXPECT_EQ(clock.Seconds(), 0);
  EXPECT_EQ(PlayTimeText(252), "04:12");
  EXPECT_EQ(PlayTimeText(6425), "107:05");
}

class PauseTest : public PlayTest {
 protected:
  PauseTest() {
    MakePuzzle(4, 3, 60, 0, 0);
    SpreadInRows(100, 20);
  }
  static constexpr int kIn = kFadedIn;
  // Drops pieces 1 .. end - 1 each at its place beside piece 0: one join a drop.
  void JoinUpTo(int end) {
    for (int id = 1; id < end; ++id) {
      PlaceBeside(Piece(id), Piece(0));
      Drop(Piece(id));
      EXPECT_EQ(play->progress(), std::make_pair(id, 11)) << id;
    }
  }
};

TEST_F(PauseTest, PAndAFocusLossPauseTheClockAndAClickOrPGoesOnPickingNothingUp) {
  const Ref<TPuzel> piece = Piece(5);
  const int px = static_cast<int>(piece->x) + 10, py = static_cast<int>(piece->y) + 10;
  std::string clock;
  RunPlay([&](int frame) {
    if (frame == kIn) Key(KEY_P);
    if (frame == kIn + 2) {
      EXPECT_EQ(play->paused, 1);
      clock = play->ClockText();
    }
    if (frame == kIn + 200) {
      EXPECT_EQ(play->ClockText(), clock);  // stopped while paused
      Key(KEY_H);                           // nothing acts unseen
      Key(KEY_P);
    }
    if (frame == kIn + 202) {
      EXPECT_EQ(play->paused, 0);
      for (const Ref<TPuzel>& p : play->listaPomocnicza) EXPECT_EQ(p->_oznaczony, 0);
      platform().QueueFocusChange(false);
    }
    if (frame == kIn + 204) {
      EXPECT_EQ(play->paused, 1);
      clock = play->ClockText();
      platform().QueueFocusChange(true);  // back, but the cover stays until a click
    }
    if (frame == kIn + 300) {
      EXPECT_EQ(play->paused, 1);
      EXPECT_EQ(play->ClockText(), clock);
      Press(px, py);  // on a piece: it only ends the pause
    }
    if (frame == kIn + 302) {
      EXPECT_EQ(play->paused, 0);
      EXPECT_FALSE(play->puzel);
      EXPECT_EQ(play->xz, -1);  // held down, it draws no band either
    }
    if (frame == kIn + 304) Release();
    if (frame == kIn + 306) Press(px, py);
    if (frame == kIn + 308) {
      EXPECT_EQ(play->puzel, piece);  // the next press picks up again
      StopPlay();
    }
  });
}

TEST_F(PauseTest, ProgressCountsEveryJoinAndTheWinHandsOverItsTime) {
  play->setPlaySeconds(75);
  EXPECT_EQ(play->progress(), std::make_pair(0, 11));
  services.finish_time = {90, true};
  JoinUpTo(12);
  EXPECT_EQ(play->_stan, "WIN");
  EXPECT_EQ(services.recorded, std::vector<int>{75});
  EXPECT_TRUE(play->winTime.timed);
  EXPECT_EQ(play->winTime.seconds, 75);
  EXPECT_EQ(play->winTime.best_before, 90);
  EXPECT_TRUE(play->winTime.new_best);
  play->_infoKoncowe();  // the pieces leave the table; the count stays whole
  EXPECT_EQ(play->progress(), std::make_pair(11, 11));
}

TEST_F(PauseTest, AGameSavedBeforeTheTimeWasKeptRecordsNone) {
  play->clockComplete = false;
  JoinUpTo(12);
  EXPECT_EQ(play->_stan, "WIN");
  EXPECT_TRUE(services.recorded.empty());
  EXPECT_FALSE(play->winTime.timed);
}

TEST_F(PauseTest, SortUpKeepsTheJoinsMadeAndRecordsNoTime) {
  JoinUpTo(3);
  play->messageWindow = nullptr;  // no question: straight to the flight
  play->_uluz();
  EXPECT_EQ(play->_stan, "AUTO");
  EXPECT_EQ(play->progress(), std::make_pair(2, 11));
  EXPECT_TRUE(services.recorded.empty());
  EXPECT_FALSE(play->winTime.timed);
}

}  // namespace
}  // namespace orvela
