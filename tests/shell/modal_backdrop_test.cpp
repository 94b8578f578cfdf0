// The modal windows over what they were opened over: the settings window over the menu and
// over play, and the sort-up question over play, each show the screen behind them exactly as
// it stood, pixel for pixel, beside the window.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "construction/picture_sets.h"
#include "play/message_window.h"
#include "play/play_screen.h"
#include "shell/game_driver.h"
#include "shell/set_chooser.h"
#include "shell/settings_window.h"

namespace orvela {
namespace {

using testing::GameTest;
using testing::kFirstClickable;
using testing::kPlay;

constexpr int kOptions[2] = {400, 378};  // the main menu's Options
constexpr int kBarOptions[2] = {600, 20};
constexpr int kBarSortUp[2] = {250, 20};

class ModalBackdropTest : public GameTest {
 protected:
  // A band left of every window and below the play bar, away from the pointer.
  std::vector<uint32_t> Beside() {
    std::vector<uint32_t> pixels;
    for (int y = 100; y < 600; y += 3) {
      for (int x = 0; x < 190; x += 3) pixels.push_back(Pixel(x, y));
    }
    return pixels;
  }
  // How many of the band's pixels differ from those seen before the window opened.
  int Changed(const std::vector<uint32_t>& before) {
    const std::vector<uint32_t> now = Beside();
    int changed = 0;
    for (size_t i = 0; i < now.size(); ++i) changed += now[i] != before[i] ? 1 : 0;
    return changed;
  }
};

TEST_F(ModalBackdropTest, WindowsShowTheScreenTheyOpenedOverUnchanged) {
  DrawPixels();
  enum Step {
    kMenu,
    kSettingsOverMenu,
    kBackInMenu,
    kChooser,
    kPlaying,
    kSettingsOverPlay,
    kBackInPlay,
    kQuestion,
    kDone
  };
  Step step = kMenu;
  std::vector<uint32_t> before;
  int since = 0;  // frames since the step began
  auto next = [&](Step s) { step = s, since = 0; };
  RunFrames([&](int frame) {
    ++since;
    const std::string screen = Screen();
    switch (step) {
      case kMenu:
        if (frame == kFirstClickable) {
          before = Beside();
          Press(kOptions[0], kOptions[1]);
          next(kSettingsOverMenu);
        }
        break;
      case kSettingsOverMenu:
        if (since == 1) Release();
        if (screen == "settings" && Game().settings->fade == 1) {
          EXPECT_EQ(Game().settings->_gdzie, 0);
          EXPECT_EQ(Changed(before), 0) << "the settings window over the menu";
          Key(KEY_ESCAPE);
          next(kBackInMenu);
        }
        break;
      case kBackInMenu:
        if (screen == "menu") {
          Press(kPlay[0], kPlay[1]);
          next(kChooser);
        }
        break;
      case kChooser:
        if (since == 1) Release();
        if (screen == "chooser" && Game().chooser->fade == 0 && since > 2) {
          Press(kPictureSets[0].x, kPictureSets[0].y);
          next(kPlaying);
        }
        break;
      case kPlaying:
        if (since == 1) Release();
        if (screen == "play" && Game().play->fade == 0) {
          before = Beside();
          Press(kBarOptions[0], kBarOptions[1]);
          next(kSettingsOverPlay);
        }
        break;
      case kSettingsOverPlay:
        if (since == 1) Release();
        if (screen == "settings" && Game().settings->fade == 1) {
          EXPECT_EQ(Game().settings->_gdzie, 1);
          EXPECT_EQ(Changed(before), 0) << "the settings window over play";
          Key(KEY_ESCAPE);
          next(kBackInPlay);
        }
        break;
      case kBackInPlay:
        if (screen == "play") {
          before = Beside();
          Press(kBarSortUp[0], kBarSortUp[1]);
          next(kQuestion);
        }
        break;
      case kQuestion:
        if (since == 1) Release();
        if (screen == "message" && Game().message_window->alpha == 1) {
          EXPECT_EQ(Changed(before), 0) << "the sort-up question over play";
          next(kDone);
          StopGame();
        }
        break;
      case kDone:
        break;
    }
    if (since > 600) {
      ADD_FAILURE() << "stuck at step " << step;
      StopGame();
    }
  });
  EXPECT_EQ(step, kDone);
}

}  // namespace
}  // namespace orvela
