// Saved games in the whole game: every set saved in the middle of play and continued in a new
// run comes back as it was; the continue question over the main menu and both its answers;
// the game written when the window is closed during play; a broken profile at start-up.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "construction/piece.h"
#include "engine/engine.h"
#include "play/group.h"
#include "play/message_window.h"
#include "play/play_screen.h"
#include "play/saved_game/profile.h"
#include "play/saved_game/profile_manager.h"
#include "runner/state_dump.h"
#include "shell/game_driver.h"
#include "shell/main_menu.h"
#include "shell/puzzle_solver.h"
#include "shell/set_chooser.h"
#include "ui/screen_loop.h"

namespace orvela {
namespace {

namespace fs = std::filesystem;
using testing::GameTest;
using testing::kFirstClickable;
using testing::kPlay;
using testing::PuzzleSolver;

// The file keeps loose pieces apart from groups: a continued table has its loose pieces first,
// each kind in its own order. This puts a table in that order.
void LoosePiecesFirst(TPuzzelGame& play) {
  std::vector<Ref<TObject>> loose, groups;
  for (const Ref<TObject>& entry : play.listaPuzzli) {
    (std::dynamic_pointer_cast<TPuzel>(entry) ? loose : groups).push_back(entry);
  }
  play.listaPuzzli.Clear();
  for (const auto* kind : {&loose, &groups}) {
    for (const Ref<TObject>& entry : *kind) play.listaPuzzli.AddLast(entry);
  }
}

// The play screen's state as the runner dumps it, without the clock (it runs on while the
// continued game fades in).
std::string TableState() {
  return std::regex_replace(GameStateJson(), std::regex("\"clock\": \"[0-9:]+\""), "");
}

class SavedSetTest : public GameTest, public ::testing::WithParamInterface<int> {};

// Each set: a new puzzle, joins made by dropping pieces beside their neighbours as a player
// would, the game written as leaving the play screen writes it; then a new run of the game
// reads the profile at start-up, finds the puzzle in progress and continues it.
TEST_P(SavedSetTest, APuzzleSavedInPlayIsContinuedAsItWasInANewRun) {
  const std::string user = UserDir();
  fs::create_directories(user + "/profiles");
  std::string table, file;
  {
    GameContext game;
    game.userDir = user;
    game.play->setup();
    game.chooser->setup();
    game.profile_manager->checkProfiles();
    ASSERT_EQ(game.main_menu->flow.NewPuzzle(*game.chooser->zestawy[GetParam()]), 1);
    TPuzzelGame& play = *game.play;
    // Five joins: a loose piece dropped near its place beside its first neighbour.
    int joins = 0;
    for (const Ref<TPuzel>& piece : play.listaPomocnicza.ToArray()) {
      if (joins == 5) break;
      if (!play.listaPuzzli.Contains(piece) || piece->_sasiedzi.IsEmpty()) continue;
      const Ref<TPuzel> other = piece->_sasiedzi.First()->puzel.lock();
      piece->x = other->x + (piece->xD - other->xD) + 2;
      piece->y = other->y + (piece->yD - other->yD) - 1;
      play.setPuzzel(piece);
      play._upuscPuzel();
      ++joins;
    }
    ASSERT_LT(play.listaPuzzli.Count(), play.listaPomocnicza.Count());
    LoosePiecesFirst(play);
    RunningScreen running("play");
    table = TableState();
    play.setPlaySeconds(3 * 60 + 7);
    game.profile_manager->playLeft();
    game.profile_manager->flush();
    file = testing::ReadBytes(user + "/profiles/tobrin.prof");
  }
  GameContext game;
  game.userDir = user;
  game.play->setup();
  game.chooser->setup();
  ASSERT_EQ(game.profile_manager->checkProfiles(), 1);
  ASSERT_TRUE(game.profile_manager->gameInProgress());
  ASSERT_TRUE(game.profile_manager->continueGame());
  RunningScreen running("play");
  EXPECT_EQ(TableState(), table);
  EXPECT_EQ(game.play->playSeconds(), 3 * 60 + 7);  // the time played goes on from there
  // Written again, the file is the same to the byte.
  game.profile_manager->playLeft();
  game.profile_manager->flush();
  EXPECT_EQ(testing::ReadBytes(user + "/profiles/tobrin.prof"), file);
  EXPECT_TRUE(platform().Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(EverySet, SavedSetTest, ::testing::Range(0, 4));

class ContinueTest : public GameTest {
 protected:
  ContinueTest() { platform().UseNullRenderer(); }  // long runs that look at no pixels

  // Plays the first set until a few joins are made, then leaves with Escape. Returns the
  // table as it was left, in the order the file keeps it.
  std::string PlayAndLeave() {
    std::unique_ptr<PuzzleSolver> solver;
    std::string table;
    bool left = false;
    RunFrames([&](int frame) {
      TPuzzelGame& play = *Game().play;
      StartFirstSet(frame, solver);
      if (solver && !left && Screen() == "play") {
        if (solver->moves() < 6 || play.puzel) {
          solver->OnFrame();
        } else {
          LoosePiecesFirst(play);
          table = TableState();
          play.setPlaySeconds(252);  // the time played so far goes with the saved game
          Key(KEY_ESCAPE);
          left = true;
        }
      }
      if (left && Screen() == "menu") StopGame();
      if (frame > 5000) StopGame();
    });
    EXPECT_TRUE(left);
    return table;
  }

  // Clicks Play, picks the first set, and makes a solver once the puzzle has faded in.
  void StartFirstSet(int frame, std::unique_ptr<PuzzleSolver>& solver) {
    if (frame == kFirstClickable) Press(kPlay[0], kPlay[1]);
    if (frame == kFirstClickable + 1) Release();
    if (!picked_ && Screen() == "chooser" && Game().chooser->fade == 0) {
      Press(kPictureSets[0].x, kPictureSets[0].y);
      picked_ = true;
      return;
    }
    if (picked_ && !solver) Release();
    if (Screen() == "play" && !solver && Game().play->fade == 0) {
      solver = std::make_unique<PuzzleSolver>(platform(), *Game().play);
    }
  }
  bool picked_ = false;

  // Clicks Play in a new run of the game; on_frame(n) runs from the first frame of the
  // question, n counted from there.
  void AskOnPlay(const std::function<void(int n)>& on_frame) {
    int first = -1;
    RunFrames([&](int frame) {
      if (frame == 1) Release();  // the last run may have ended with the button down
      if (frame == kFirstClickable) Press(kPlay[0], kPlay[1]);
      if (frame == kFirstClickable + 1) Release();
      if (first < 0 && Screen() == "message") first = frame;
      if (first >= 0) on_frame(frame - first);
      if (frame > 3000) StopGame();
    });
    EXPECT_GE(first, 0) << "Play asked nothing";
  }
};

TEST_F(ContinueTest, PlayAsksAboutThePuzzleInProgressAndContinueResumesIt) {
  const std::string table = PlayAndLeave();
  ASSERT_FALSE(table.empty());
  std::string question;
  bool resumed = false;
  AskOnPlay([&](int n) {
    const TMessageWindow& window = *Game().message_window;
    if (n == 0) question = window.txt;
    if (n == 25) {
      // Continue stands where OK stands.
      const ButtonRef yes = window.menu->GetItem(1);
      EXPECT_EQ(yes->dim->Left(), 480);
      EXPECT_EQ(yes->dim->Top(), 335);
      Press(490, 345);
    }
    if (n == 26) Release();
    if (n > 26 && Screen() == "play" && Game().play->fade == 0) {
      EXPECT_EQ(TableState(), table);
      // The clock goes on from the time saved (the fade-in is under a second of play).
      EXPECT_GE(Game().play->playSeconds(), 252);
      EXPECT_LE(Game().play->playSeconds(), 253);
      resumed = true;
      StopGame();
    }
  });
  EXPECT_EQ(question, kContinueQuestion);
  EXPECT_TRUE(resumed);
}

TEST_F(ContinueTest, NewPuzzleOpensTheChooserAndTheSavedGameWaits) {
  PlayAndLeave();
  const std::string saved = testing::ReadBytes(UserDir() + "/profiles/tobrin.prof");
  bool chooser = false;
  AskOnPlay([&](int n) {
    if (n == 25) Press(300, 345);  // New puzzle, where Cancel stands
    if (n == 26) Release();
    if (n > 26 && Screen() == "chooser") {
      chooser = true;
      Key(KEY_ESCAPE);  // back without a choice
    }
    if (chooser && Screen() == "menu") StopGame();
  });
  EXPECT_TRUE(chooser);
  EXPECT_EQ(testing::ReadBytes(UserDir() + "/profiles/tobrin.prof"), saved);
}

TEST_F(ContinueTest, ClosingTheWindowDuringPlayWritesTheGame) {
  std::unique_ptr<PuzzleSolver> solver;
  std::string first_loose;
  RunFrames([&](int frame) {
    TPuzzelGame& play = *Game().play;
    StartFirstSet(frame, solver);
    if (!solver || !first_loose.empty()) return;
    if (solver->moves() < 3 || play.puzel) {
      solver->OnFrame();
      return;
    }
    // A piece moved after the last write, then the window closed at once.
    const auto piece = std::dynamic_pointer_cast<TPuzel>(play.listaPuzzli.First());
    ASSERT_TRUE(piece);
    piece->x = 123;
    piece->y = 45;
    first_loose = std::to_string(piece->id) + " 123.000000 45.0000000";
    play.setPlaySeconds(61);
    platform().QueueQuit();
  });
  ASSERT_FALSE(first_loose.empty());
  const std::string file = testing::ReadBytes(UserDir() + "/profiles/tobrin.prof");
  EXPECT_NE(file.find("\t\tp1=\"" + first_loose + "\""), std::string::npos);
  EXPECT_NE(file.find("level=0.0"), std::string::npos);
  EXPECT_NE(file.find("\ttime=61.0000000\n"), std::string::npos);  // and the time played
}

TEST_F(ContinueTest, ABrokenProfileAtStartUpIsKeptAsideAndPlayStartsAfresh) {
  fs::create_directories(UserDir() + "/profiles");
  const std::string broken = "Profile{\n\tgfxUrl=\"gfx/puzzle/obr1.jpg\"\n\tlevel=0.0\n\tlines{";
  testing::WriteBytes(UserDir() + "/profiles/tobrin.prof", broken);
  bool chooser = false;
  RunFrames([&](int frame) {
    if (frame == kFirstClickable) Press(kPlay[0], kPlay[1]);
    if (frame == kFirstClickable + 1) Release();
    if (Screen() == "message") {
      ADD_FAILURE() << "a fresh profile has no puzzle to continue";
      StopGame();
    }
    if (Screen() == "chooser") {
      chooser = true;
      StopGame();
    }
    if (frame > 1000) StopGame();
  });
  EXPECT_TRUE(chooser);
  ASSERT_EQ(platform().Messages().size(), 1u);
  EXPECT_NE(platform().Messages()[0].find("tobrin.prof.broken"), std::string::npos);
  EXPECT_EQ(testing::ReadBytes(UserDir() + "/profiles/tobrin.prof.broken"), broken);
  EXPECT_NE(testing::ReadBytes(UserDir() + "/profiles/tobrin.prof").find("level=-1.0"),
            std::string::npos);
}

}  // namespace
}  // namespace orvela
