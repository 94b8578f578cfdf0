// A whole game on the headless platform with the real data: the picture-set chooser, then
// for each of the four sets a scripted player solves the puzzle with the mouse alone, the win
// sequence runs to the information window, and its OK button returns to the main menu.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "construction/cutter.h"
#include "play/play_screen.h"
#include "play/saved_game/profile.h"
#include "play/saved_game/profile_manager.h"
#include "shell/best_times.h"
#include "shell/game_driver.h"
#include "shell/main_menu.h"
#include "shell/puzzle_solver.h"
#include "shell/set_chooser.h"
#include "ui/screen_loop.h"

namespace orvela {
namespace {

using testing::GameTest;
using testing::kFirstClickable;
using testing::kPlay;
using testing::PuzzleSolver;

class ChooserTest : public GameTest {
 protected:
  // Clicks Play once the menu is clickable; on_chooser(n) runs on the chooser's frames
  // (n counted from its first shown frame) and on_after(frame) once the chooser has ended.
  void RunChooser(const std::function<void(int n)>& on_chooser,
                  const std::function<void(int frame)>& on_after) {
    int first = -1;
    bool ended = false;
    RunFrames([&](int frame) {
      if (frame == kFirstClickable) Press(kPlay[0], kPlay[1]);
      if (frame == kFirstClickable + 1) Release();
      if (!ended && Screen() == "chooser") {
        if (first < 0) first = frame;
        on_chooser(frame - first);
        return;
      }
      if (first >= 0) {
        ended = true;
        on_after(frame);
      }
      if (frame > 2000) StopGame();
    });
    EXPECT_GE(first, 0) << "the chooser never opened";
  }
};

TEST_F(ChooserTest, AClickDuringTheFadeInPicksNothingAndCancelBuildsNothing) {
  const TZestaw* hovered = nullptr;
  RunChooser(
      [&](int n) {
        const TWyborZestawu& chooser = *Game().chooser;
        if (n == 0) {
          EXPECT_GT(chooser.fade, 0.9f);  // black, just starting to clear
        }
        if (n == 5) Press(210, 210);  // on the first thumbnail, still fading in
        if (n == 6) Release();
        if (n == 25) {
          EXPECT_EQ(chooser.fade, 0);
          EXPECT_FALSE(chooser.wybrany);
          MoveTo(210, 210);
        }
        if (n == 27) {
          hovered = chooser.zestawy[0].get();
          EXPECT_EQ(hovered->_over, 1);
          Press(400, 555);  // Cancel
        }
        if (n == 28) Release();
      },
      [&](int) {
        EXPECT_EQ(Screen(), "menu");
        EXPECT_FALSE(Game().chooser->wybrany);
        EXPECT_TRUE(Game().play->listaPuzzli.IsEmpty());
        EXPECT_TRUE(Game().cutter->listaObrazkow.IsEmpty());
        EXPECT_EQ(Game().profile->_level, -1);
        EXPECT_EQ(Game().main_menu->dFade, 0);  // the menu's cover clears again
        StopGame();
      });
  EXPECT_NE(hovered, nullptr);
}

TEST_F(ChooserTest, TheLabelsReadColumnsByRowsAndThePieceCount) {
  // The first set's labels, as the chooser draws them under its thumbnail.
  DrawPixels();
  EXPECT_EQ(kPictureSets[0].cols, 4);
  EXPECT_EQ(kPictureSets[0].rows, 3);
  RunChooser(
      [&](int n) {
        if (n == 25) MoveTo(210, 210);
        if (n == 27) {
          // "Size: 4 x 3" and "Pieces: 12" in white over the lower thumbnail's top edge.
          // A dark band behind them keeps them readable over the picture below.
          int white = 0, dark = 0;
          for (int y = 311; y < 350; ++y) {
            for (int x = 150; x < 270; ++x) {
              const uint32_t p = Pixel(x, y);
              white += p == 0xFFFFFFFFu;
              dark += (p & 0xFF) < 80 && (p >> 8 & 0xFF) < 80 && (p >> 16 & 0xFF) < 80;
            }
          }
          EXPECT_GT(white, 80);
          EXPECT_GT(dark, 120 * 39 / 2);
          Key(KEY_ESCAPE);
          StopGame();
        }
      },
      [&](int) { StopGame(); });
}

class SolveTest : public GameTest, public ::testing::WithParamInterface<int> {};

TEST_P(SolveTest, APlayerSolvesTheSetWithTheMouseAndReturnsToTheMenu) {
  const int set = GetParam();
  const PictureSet& row = kPictureSets[set];
  std::unique_ptr<PuzzleSolver> solver;
  enum { kMenu, kChoose, kPlaying, kWon, kBack } phase = kMenu;
  std::string clock_at_win;
  int phase_frame = 0;
  RunFrames([&](int frame) {
    TPuzzelGame& play = *Game().play;
    switch (phase) {
      case kMenu:
        if (frame == kFirstClickable) Press(kPlay[0], kPlay[1]);
        if (frame == kFirstClickable + 1) Release();
        if (Screen() == "chooser" && Game().chooser->fade == 0) {
          Press(row.x, row.y);
          phase = kChoose;
        }
        break;
      case kChoose:
        Release();
        if (Screen() == "play" && play.fade == 0) {
          EXPECT_EQ(play.listaPuzzli.Count(), row.rows * row.cols);
          EXPECT_EQ(play.ClockText(), "00:00");
          EXPECT_EQ(Game().profile->_gfxUrl, row.url);
          EXPECT_EQ(Game().profile->_level, 0);
          solver = std::make_unique<PuzzleSolver>(platform(), play);
          phase = kPlaying;
        }
        break;
      case kPlaying:
        solver->OnFrame();
        if (!solver->stuck().empty()) {
          ADD_FAILURE() << solver->stuck() << " after " << solver->moves() << " moves";
          StopGame();
        }
        if (play._stan == "WIN") {
          clock_at_win = play.ClockText();
          phase = kWon;
        }
        break;
      case kWon:
        if (play._stan == "WININFO" && play._infoAlpha == 1) {
          // Every piece lies at its solved place in the picture centred on the screen.
          const int ox = 400 - play.obr->width / 2, oy = 300 - play.obr->height / 2;
          for (const Ref<TPuzel>& piece : play.listaPomocnicza) {
            EXPECT_EQ(piece->x, piece->xD + static_cast<float>(ox)) << piece->id;
            EXPECT_EQ(piece->y, piece->yD + static_cast<float>(oy)) << piece->id;
          }
          EXPECT_EQ(play.ClockText(), clock_at_win);  // the clock stopped at the win
          // Every join made; the first time of the set is its best, kept for the chooser.
          const int total = row.rows * row.cols - 1;
          EXPECT_EQ(play.progress(), std::make_pair(total, total));
          EXPECT_TRUE(play.winTime.timed && play.winTime.new_best);
          EXPECT_EQ(play.winTime.seconds, play.playSeconds());
          EXPECT_EQ(Game().best_times->Best(row.url), play.playSeconds());
          EXPECT_TRUE(play.listaPuzzli.IsEmpty());
          // The won puzzle is finished: Play will not offer to continue it.
          EXPECT_EQ(Game().profile->_level, -1);
          EXPECT_FALSE(Game().profile_manager->gameInProgress());
          const ButtonRef ok = play.infoMenu->GetItem(1);
          Press(static_cast<int>(ok->dim->Left()) + 15, static_cast<int>(ok->dim->Top()) + 10);
          phase = kBack;
          phase_frame = frame;
        }
        break;
      case kBack:
        if (frame == phase_frame + 1) Release();
        if (Screen() == "menu") {
          EXPECT_LE(frame - phase_frame, 25);  // the fade to black, then the menu
          StopGame();
        }
        break;
    }
    if (frame > 20000) {
      ADD_FAILURE() << "still running in phase " << phase;
      StopGame();
    }
  });
  EXPECT_EQ(phase, kBack);
  ASSERT_TRUE(solver);
  // Every move joined something, but for a few carried to the middle first.
  EXPECT_LE(solver->moves(), row.rows * row.cols + 10);
}

INSTANTIATE_TEST_SUITE_P(EverySet, SolveTest, ::testing::Range(0, 4));

}  // namespace
}  // namespace orvela
