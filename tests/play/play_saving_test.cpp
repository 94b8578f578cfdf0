// What the play screen tells the game so that the game stays saved: every drop and every
// clean-up changed the table, every frame of play lets a waiting write be made, a win or a
// confirmed sort up finishes the puzzle; and the message window asking a question of its own
// (the continue question) without losing the sort-up question.
#include <gtest/gtest.h>

#include "engine/engine.h"
#include "play/play_support.h"
#include "ui/dim.h"

namespace orvela {
namespace {

using testing::PlayTest;

class PlaySavingTest : public PlayTest {
 protected:
  PlaySavingTest() { platform().UseNullRenderer(); }  // no pixels are looked at

  // Answers the message window's question with the button of that id once it is clickable.
  void AnswerWith(int id) {
    frames_ = 0;
    platform().SetPresentHook([this, id] {
      const ButtonRef button = message->menu->GetItem(id);
      if (frames_ == 22)
        Press(static_cast<int>(button->dim->Left()) + 10,
              static_cast<int>(button->dim->Top()) + 10);
      if (frames_ == 23) Release();
      ++frames_;
    });
  }
  int frames_ = 0;
};

TEST_F(PlaySavingTest, DropsAndCleanUpsChangeTheTableAndTheLastJoinFinishesThePuzzle) {
  MakePuzzle(3, 1, 60, 100, 100);
  Piece(1)->x = 400;
  Drop(Piece(1));  // a drop that joins nothing
  EXPECT_EQ(keeper.table_changes, 1);
  EXPECT_EQ(keeper.finished, 0);
  play->poukladajPuzzle();
  EXPECT_EQ(keeper.table_changes, 2);
  PlaceBeside(Piece(1), Piece(0));
  Drop(Piece(1));
  EXPECT_GE(keeper.table_changes, 3);
  EXPECT_EQ(keeper.finished, 0);
  PlaceBeside(Piece(2), Piece(0));
  Drop(Piece(2));  // the last join: the puzzle is won
  EXPECT_EQ(play->_stan, "WIN");
  EXPECT_EQ(keeper.finished, 1);
}

TEST_F(PlaySavingTest, SortUpFinishesThePuzzleOnlyWhenConfirmed) {
  MakePuzzle(4, 3, 60, 50, 50);
  AnswerWith(2);  // Cancel
  play->_uluz();
  EXPECT_EQ(keeper.finished, 0);
  AnswerWith(1);  // OK
  play->_uluz();
  platform().SetPresentHook(nullptr);
  EXPECT_EQ(play->_stan, "AUTO");
  EXPECT_EQ(keeper.finished, 1);
}

TEST_F(PlaySavingTest, EveryFrameOfPlayLetsAWaitingWriteBeMadeAndSWritesAtOnce) {
  MakePuzzle(4, 3, 60, 50, 50);
  const int frames = RunPlay([&](int frame) {
    if (frame == 5) Key(KEY_S);
    if (frame == 30) StopPlay();
  });
  EXPECT_GE(keeper.save_checks, frames - 1);
  EXPECT_EQ(keeper.saves, 1);
}

TEST_F(PlaySavingTest, AQuestionOfItsOwnAndTheSortUpQuestionAfterIt) {
  const MenuRef sort_up_buttons = message->menu;
  const MenuRef buttons =
      message->makeButtons("gfx/gui/p_continue.png", "gfx/gui/p_new_puzzle.png");
  // The new buttons stand where OK and Cancel stand.
  for (int id : {1, 2}) {
    EXPECT_EQ(buttons->GetItem(id)->dim->Left(), sort_up_buttons->GetItem(id)->dim->Left());
    EXPECT_EQ(buttons->GetItem(id)->dim->Top(), sort_up_buttons->GetItem(id)->dim->Top());
  }
  int behind = 0;
  std::string asked;
  frames_ = 0;
  platform().SetPresentHook([&] {
    asked = message->txt;
    const ButtonRef button = message->menu->GetItem(1);
    if (frames_ == 22)
      Press(static_cast<int>(button->dim->Left()) + 10, static_cast<int>(button->dim->Top()) + 10);
    if (frames_ == 23) Release();
    ++frames_;
  });
  EXPECT_EQ(message->ask("Continue the puzzle you were playing?", buttons, [&] { ++behind; }), 1);
  EXPECT_EQ(asked, "Continue the puzzle you were playing?");
  EXPECT_GE(behind, 22);  // its own backdrop, every frame
  EXPECT_EQ(message->menu, sort_up_buttons);
  // The sort-up question is as it was.
  AnswerWith(2);
  message->setMessage(0);
  EXPECT_EQ(message->mainLoop(), 0);
  platform().SetPresentHook(nullptr);
  EXPECT_EQ(message->txt, "Are you sure you want to sort up puzzels ?");
}

}  // namespace
}  // namespace orvela
