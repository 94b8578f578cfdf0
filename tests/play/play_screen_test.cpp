// The play screen's loop on a synthetic puzzle: picking up the topmost piece, click carrying
// and the 500 ms drag, the rubber band on empty table, the clock, the keys and bar buttons in
// and out of play, leaving with Escape or through the fade, the information window, and the
// message window's answers.
#include <gtest/gtest.h>

#include "engine/engine.h"
#include "play/play_support.h"
#include "ui/dim.h"

namespace orvela {
namespace {

using testing::PlayTest;

class PlayLoopTest : public PlayTest {
 protected:
  PlayLoopTest() {
    MakePuzzle(4, 3, 60, 0, 0);
    for (int id = 0; id < 12; ++id) {
      Piece(id)->x = 100.0f * (id % 6) + 20;
      Piece(id)->y = 150.0f * static_cast<float>(id / 6) + 100;
    }
  }
  // The centre of a bar button.
  std::pair<int, int> Bar(int id) const {
    const ButtonRef button = play->menu->GetItem(id);
    return {static_cast<int>((button->dim->Left() + button->dim->Right()) / 2),
            static_cast<int>((button->dim->Top() + button->dim->Bottom()) / 2)};
  }
  // The screen has faded in by this frame.
  static constexpr int kIn = 22;
};

TEST_F(PlayLoopTest, APressWhereTwoPiecesOverlapTakesTheOneOnTop) {
  Piece(3)->x = Piece(2)->x + 30;  // 3 lies over the right half of 2 (later in the list)
  Piece(3)->y = Piece(2)->y;
  RunPlay([&](int frame) {
    if (frame == kIn) Press(static_cast<int>(Piece(2)->x) + 40, static_cast<int>(Piece(2)->y) + 30);
    if (frame == kIn + 1) {
      EXPECT_EQ(play->puzel, Piece(3));
      StopPlay();
    }
  });
}

TEST_F(PlayLoopTest, AQuickClickCarriesThePieceUntilTheNextClickAndAHoldDrags) {
  const Ref<TPuzel> piece = Piece(5);
  const int px = static_cast<int>(piece->x) + 10, py = static_cast<int>(piece->y) + 10;
  RunPlay([&](int frame) {
    if (frame == kIn) Press(px, py);
    if (frame == kIn + 1) Release();  // within 500 ms: click carrying
    if (frame == kIn + 5) MoveTo(400, 450);
    if (frame == kIn + 7) {
      EXPECT_EQ(play->puzel, piece);
      EXPECT_EQ(piece->x, 400 - 30);  // centred on the pointer
      EXPECT_EQ(piece->y, 450 - 30);
      Press(400, 450);
    }
    if (frame == kIn + 8) {
      EXPECT_FALSE(play->puzel);  // the next click drops it
      EXPECT_EQ(play->listaPuzzli.Last(), piece);
      Release();
    }
    // Held longer than 500 ms (31 frames), the pick-up is a drag that ends on release.
    if (frame == kIn + 12) Press(400, 450);
    if (frame == kIn + 13) MoveTo(300, 460);
    if (frame == kIn + 40) {
      EXPECT_EQ(play->puzzelHolded, 0);
    }
    if (frame == kIn + 45) {
      EXPECT_EQ(play->puzzelHolded, 1);
      Release();
    }
    if (frame == kIn + 46) {
      EXPECT_FALSE(play->puzel);
      EXPECT_EQ(piece->x, 300 - 30);
      StopPlay();
    }
  });
}

TEST_F(PlayLoopTest, APressOnEmptyTableStartsARubberBand) {
  // Input given after frame n is read by frame n + 1; what the loop does after showing that
  // frame (the band, the bar) is seen from frame n + 2.
  RunPlay([&](int frame) {
    if (frame == kIn) Press(780, 580);
    if (frame == kIn + 2) {
      EXPECT_FALSE(play->puzel);
      EXPECT_EQ(play->xz, 780);
      EXPECT_EQ(play->yz, 580);
      Release();
    }
    if (frame == kIn + 4) {
      EXPECT_EQ(play->xz, -1);  // released: the band is gone and carries nothing
      EXPECT_FALSE(play->puzel);
      StopPlay();
    }
  });
}

TEST_F(PlayLoopTest, ABarClickIsTheButtonsAloneAndNothingComesToRestOverTheBar) {
  // Plain values: clang 14 cannot capture structured bindings in the lambda below.
  const int hint_x = Bar(2).first, hint_y = Bar(2).second;
  const int ghost_x = Bar(5).first, ghost_y = Bar(5).second;
  Piece(0)->x = static_cast<float>(hint_x - 30), Piece(0)->y = 0;  // under the hint button
  const Ref<TPuzel> piece = Piece(5);
  RunPlay([&](int frame) {
    if (frame == kIn) Press(hint_x, hint_y);
    if (frame == kIn + 2) {
      int marked = 0;
      for (const Ref<TPuzel>& any : play->listaPomocnicza) marked += any->_oznaczony;
      EXPECT_EQ(marked, 2);  // the hint, and neither a pick-up nor a band
      EXPECT_FALSE(play->puzel);
      EXPECT_EQ(play->xz, -1);
      Release();
    }
    if (frame == kIn + 3) Press(static_cast<int>(piece->x) + 30, static_cast<int>(piece->y) + 30);
    if (frame == kIn + 4) Release();
    if (frame == kIn + 6) Press(ghost_x, ghost_y);  // carrying: the button acts, no drop
    if (frame == kIn + 7) Release();
    if (frame == kIn + 9) {
      EXPECT_EQ(play->_ghost, 1);
      EXPECT_EQ(play->puzel, piece);
      Press(420, 10);  // put down over the bar, between two buttons
    }
    if (frame == kIn + 10) Release();
    if (frame == kIn + 12) {
      EXPECT_FALSE(play->puzel);
      EXPECT_EQ(piece->x, 420 - 30);
      EXPECT_EQ(piece->y, TPuzzelGame::kBarBottom);  // moved straight down below the bar
      StopPlay();
    }
  });
  // A join that reaches over the bar moves the whole group down.
  Piece(6)->y = -20;
  PlaceBeside(Piece(10), Piece(6), 1, 0);
  Drop(Piece(10));
  ASSERT_TRUE(GroupOf(6));
  EXPECT_EQ(Piece(6)->y, TPuzzelGame::kBarBottom);
  EXPECT_EQ(Piece(10)->y - Piece(6)->y, 60);
}

TEST_F(PlayLoopTest, TheClockCountsSecondsOnlyInPlayAndGoesOnAfterEveryEntry) {
  RunPlay([&](int frame) {
    if (frame == 0) {
      EXPECT_EQ(play->ClockText(), "00:00");
    }
    if (frame == 62) {
      EXPECT_EQ(play->ClockText(), "00:01");
    }
    if (frame == 70) Key(KEY_ESCAPE);
  });
  // Time away from the screen is not counted; coming back goes on from where it stood.
  platform().AdvanceClock(60000);
  RunPlay([&](int frame) {
    if (frame == 0) {
      EXPECT_EQ(play->ClockText(), "00:01");
    }
    if (frame == 60) {
      EXPECT_EQ(play->ClockText(), "00:02");
      play->_stan = "WIN";  // as if the last drop had won it
    }
    if (frame == 200) {
      EXPECT_EQ(play->ClockText(), "00:02");  // stopped
      Key(KEY_ESCAPE);
    }
  });
  EXPECT_EQ(play->_stan, "WIN");
  play->minuty = 107, play->sekundy = 5;
  EXPECT_EQ(play->ClockText(), "107:05");
}

TEST_F(PlayLoopTest, BarButtonsTwoToFiveActOnlyInPlayWhileTheKeysActEverywhere) {
  RunPlay([&](int frame) {
    if (frame == kIn) Press(Bar(5).first, Bar(5).second);  // the ghost
    if (frame == kIn + 1) Release();
    if (frame == kIn + 2) {
      EXPECT_EQ(play->_ghost, 1);
      play->_stan = "WIN";
      Press(Bar(5).first, Bar(5).second);
    }
    if (frame == kIn + 3) Release();
    if (frame == kIn + 4) {
      EXPECT_EQ(play->_ghost, 1);  // not in the win
      Key(KEY_S);
      Key(KEY_H);
    }
    if (frame == kIn + 6) {
      EXPECT_EQ(keeper.saves, 1);
      int marked = 0;
      for (const Ref<TPuzel>& piece : play->listaPomocnicza) marked += piece->_oznaczony;
      EXPECT_EQ(marked, 2);
      Press(Bar(6).first, Bar(6).second);  // options open in every state
    }
    if (frame == kIn + 7) Release();
    if (frame == kIn + 8) {
      EXPECT_EQ(services.settings_opened, 1);
      StopPlay();
    }
  });
}

TEST_F(PlayLoopTest, TheMainMenuButtonFadesOutThenLeavesKeepingTheTable) {
  int left_at = -1;
  const int frames = RunPlay([&](int frame) {
    if (frame == kIn) Press(Bar(1).first, Bar(1).second);
    if (frame == kIn + 1) Release();
    if (play->wyjdz && left_at < 0) left_at = frame;
  });
  EXPECT_EQ(frames, kIn + 22);  // twenty frames of fade after the click
  EXPECT_EQ(play->listaPuzzli.Count(), 12);
}

TEST_F(PlayLoopTest, TheInformationWindowComesUpAndItsPictureZoomsInAndOut) {
  play->_stan = "SHOWENDINFO";
  play->listaPuzzli.Clear();
  const ButtonRef ok = play->infoMenu->GetItem(1);
  RunPlay([&](int frame) {
    if (frame == 1) {
      EXPECT_EQ(play->_stan, "ENDINFO");
      EXPECT_EQ(ok->visible, 1);
    }
    if (frame == 250) {
      EXPECT_EQ(play->_infoAlpha, 1);
      EXPECT_FLOAT_EQ(play->_imgScale, play->_dImgScale);
      Press(400, 300);  // on the picture
    }
    if (frame == 251) Release();
    if (frame == 252) {
      EXPECT_EQ(play->_stan, "SHOWIMG-END");
      EXPECT_EQ(play->_dImgScale, 1);
    }
    if (frame == 500) {
      EXPECT_EQ(play->_imgScale, 1);
      Press(400, 300);
    }
    if (frame == 501) Release();
    if (frame == 502) {
      EXPECT_EQ(play->_stan, "HIDEIMG-END");
    }
    if (frame == 800) {
      EXPECT_EQ(play->_stan, "ENDINFO");
      Press(static_cast<int>(ok->dim->Left()) + 10, static_cast<int>(ok->dim->Top()) + 10);
    }
    if (frame == 801) Release();
  });
  EXPECT_TRUE(play->wyjdz);  // OK faded out and left
}

class MessageWindowTest : public PlayTest {
 protected:
  // Runs the window; on_frame gets the frame number counted from its first frame.
  int Ask(const std::function<void(int frame)>& on_frame, int* frames) {
    int frame = 0;
    platform().SetPresentHook([&] { on_frame(frame++); });
    message->setMessage(0);
    const int answer = message->mainLoop();
    platform().SetPresentHook(nullptr);
    *frames = frame;
    return answer;
  }
  std::pair<int, int> Button(int id) const {
    const ButtonRef button = message->menu->GetItem(id);
    return {static_cast<int>(button->dim->Left() + 10), static_cast<int>(button->dim->Top() + 10)};
  }
};

TEST_F(MessageWindowTest, OkAndCancelAnswerOnlyAfterTheFadeOut) {
  int frames = 0;
  const int yes = Ask(
      [&](int frame) {
        if (frame == 25) Press(Button(1).first, Button(1).second);
        if (frame == 26) Release();
      },
      &frames);
  EXPECT_EQ(yes, 1);
  EXPECT_EQ(message->txt, "Are you sure you want to sort up puzzels ?");
  EXPECT_EQ(message->alpha, 0);
  EXPECT_GE(frames, 25 + 20);  // twenty frames of fade-out after the answer
  EXPECT_EQ(services.sounds.front(), PlaySound::kBad);
  // A click while the window is still fading in is taken at once.
  const int no = Ask(
      [&](int frame) {
        if (frame == 3) Press(Button(2).first, Button(2).second);
        if (frame == 4) Release();
      },
      &frames);
  EXPECT_EQ(no, 0);
  EXPECT_LT(frames, 20);
}

TEST_F(MessageWindowTest, SortUpCancelledLeavesTheGameAsItWas) {
  MakePuzzle(4, 3, 60, 50, 50);
  play->_stan = "GRA";
  const float x5 = Piece(5)->x, xd5 = Piece(5)->xD;
  int frames = 0;
  platform().SetPresentHook([&] {
    if (frames == 22) Press(Button(2).first, Button(2).second);
    if (frames == 23) Release();
    ++frames;
  });
  play->_uluz();
  platform().SetPresentHook(nullptr);
  EXPECT_EQ(play->_stan, "GRA");
  EXPECT_EQ(Piece(5)->x, x5);
  EXPECT_EQ(Piece(5)->xD, xd5);
  EXPECT_EQ(play->listaPuzzli.Count(), 12);
}

}  // namespace
}  // namespace orvela
