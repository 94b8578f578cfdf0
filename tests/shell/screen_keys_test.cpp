// Keys pressed in one screen are never acted on by the next: a road through every screen that
// runs its own loop, pressing in each the keys only play reads, and Escape where a player
// expects it to close or cancel what is open.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "play/play_screen.h"
#include "shell/game_driver.h"
#include "shell/main_menu.h"

namespace orvela {
namespace {

using testing::GameTest;
using testing::kPlay;

class ScreenKeysTest : public GameTest {};

// One stop of the road: `wait` frames after the screen came up, `act` runs once.
struct Stop {
  const char* screen;
  int wait;
  std::function<void()> act;
};

TEST_F(ScreenKeysTest, NoScreenActsOnAKeyPressedInAnother) {
  bool release = false;
  auto click = [&](int x, int y) { Press(x, y), release = true; };
  auto keys = [&] { Key(KEY_SPACE), Key(KEY_H); };
  auto untouched_table = [&] {
    const TPuzzelGame& play = *Game().play;
    EXPECT_EQ(play._stan, "GRA");
    for (const Ref<TPuzel>& piece : play.listaPomocnicza) {
      EXPECT_EQ(piece->_oznaczony, 0);  // no hint
      EXPECT_GE(piece->y, 50);          // where they were scattered, not cleaned up
    }
  };
  const std::string profile = UserDir() + "/profiles/tobrin.prof";
  std::string saved;
  const std::vector<Stop> road = {
      {"menu", testing::kFirstClickable, [&] { keys(), click(400, 455); }},  // more games
      {"more", 25, [&] { keys(), Key(KEY_ESCAPE); }},
      {"menu", 25, [&] { keys(), click(400, 418); }},  // credits
      {"credits", 30, [&] { keys(), Key(KEY_ESCAPE); }},
      {"menu", 25, [&] { keys(), click(kPlay[0], kPlay[1]); }},
      {"chooser", 25, [&] { keys(), Key(KEY_ESCAPE); }},  // as Cancel
      {"menu", 25, [&] { click(kPlay[0], kPlay[1]); }},
      {"chooser", 25, [&] { keys(), click(210, 210); }},
      {"waiting", 0, [&] { keys(), Key(KEY_ESCAPE); }},
      {"play", 25, [&] { untouched_table(), click(612, 16); }},  // settings
      {"settings", 25, [&] { keys(), Key(KEY_ESCAPE); }},
      {"play", 25, [&] { untouched_table(), click(265, 16); }},  // sort up
      {"message", 25, [&] { keys(), Key(KEY_ESCAPE); }},         // as Cancel
      {"play", 25, [&] { untouched_table(), click(58, 16); }},   // main menu
      {"menu", 25, [&] { keys(), click(kPlay[0], kPlay[1]); }},
      {"message", 25, [&] { keys(), Key(KEY_ESCAPE), saved = testing::ReadBytes(profile); }},
      // Escape closed the question alone: the menu stays and the saved game waits.
      {"menu", 25,
       [&] {
         EXPECT_EQ(testing::ReadBytes(profile), saved);
         click(kPlay[0], kPlay[1]);
       }},
      {"message", 25, [&] { keys(), click(490, 345); }},  // Continue
      {"play", 25, [&] { untouched_table(); }},
  };
  size_t next = 0;
  int arrived = -1;
  RunFrames([&](int frame) {
    if (release) Release(), release = false;
    if (next == road.size() || frame > 3000) StopGame();
    if (Screen() != road[next].screen) return;
    if (arrived < 0) arrived = frame;
    if (frame - arrived < road[next].wait) return;
    road[next++].act();
    arrived = -1;
  });
  EXPECT_EQ(next, road.size()) << "stuck before " << road[std::min(next, road.size() - 1)].screen;
  EXPECT_FALSE(saved.empty());
}

}  // namespace
}  // namespace orvela
