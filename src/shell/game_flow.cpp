// GameFlow, from Play to the play screen and back.
#include "shell/game_flow.h"

#include "construction/cutter.h"
#include "construction/shape_grid.h"
#include "engine/context.h"
#include "play/message_window.h"
#include "play/play_screen.h"
#include "play/saved_game/profile.h"
#include "play/saved_game/profile_manager.h"
#include "shell/game_context.h"
#include "shell/set_chooser.h"

namespace orvela {

void GameFlow::Clear() {
  GameContext& game = Game();
  game.play->clear();
  game.cutter->clear();
  game.shape_grid->clear();
}

bool GameFlow::GameInProgress() const {
  return Game().profile_manager->gameInProgress();
}

GameFlow::Choice GameFlow::AskContinue(const Backdrop& behind) {
  TMessageWindow& window = *Game().message_window;
  if (!continue_buttons_) {
    continue_buttons_ = window.makeButtons("gfx/gui/p_continue.png", "gfx/gui/p_new_puzzle.png");
  }
  const int answer = window.ask(kContinueQuestion, continue_buttons_, behind);
  if (answer == 1) return Choice::kContinue;
  if (answer == 0) return Choice::kNewGame;
  return Choice::kStay;  // closed with Escape
}

void GameFlow::ChooseAndPlay() {
  TWyborZestawu& chooser = *Game().chooser;
  chooser.start();
  if (const ZestawRef chosen = chooser.mainLoop()) PlaySet(*chosen);
}

void GameFlow::PlaySet(const TZestaw& zestaw) {
  // A picture that could not be cut has been reported; there is nothing to play.
  if (NewPuzzle(zestaw)) RunPlay();
}

int GameFlow::NewPuzzle(const TZestaw& zestaw) {
  GameContext& game = Game();
  TKreatorKlockow& grid = *game.shape_grid;
  grid.KSZTALT = zestaw.ksztalt;
  const float w = static_cast<float>(zestaw.w), h = static_cast<float>(zestaw.h);
  grid.createGrid(static_cast<float>(zestaw.cols), static_cast<float>(zestaw.rows), w, h, 0, 0);
  game.profile->_gfxUrl = zestaw.url;
  game.profile->_level = 0;
  const PixmapRef mask_a = grid.drawOn(zestaw.w, zestaw.h);
  const TWsp cell = grid.getWH();
  const PixmapRef mask_b = grid.drawOn(zestaw.w, zestaw.h);
  TPuzzelGame& play = *game.play;
  play.startNewGame(zestaw.url, mask_a, mask_b, cell.x, cell.y);
  return play.listaPuzzli.IsEmpty() ? 0 : 1;
}

void GameFlow::Continue() {
  TProfileManager& profiles = *Game().profile_manager;
  if (profiles.continueGame()) return RunPlay();
  // A broken profile was set aside and a fresh one started: a new puzzle, then.
  if (!profiles.gameInProgress()) ChooseAndPlay();
}

void GameFlow::RunPlay() {
  GameContext& game = Game();
  try {
    game.play->mainLoop();
  } catch (const QuitRequested&) {
    game.profile_manager->playLeft();  // the window was closed during play
    throw;
  }
  game.profile_manager->playLeft();
}

}  // namespace orvela
