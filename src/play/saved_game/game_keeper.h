// GameKeeper: what the play screen tells the keeper of its saved game, so that the game on the
// table stays saved as it is played: a new puzzle's cell size, S pressed, every change of the
// table, every frame of play, and the end of the puzzle. The profile manager is the game's
// keeper; the play screen with none keeps nothing (tests of play alone).
#pragma once

namespace orvela {

class GameKeeper {
 public:
  virtual ~GameKeeper() = default;
  // A new puzzle was cut with cells of that size: the saved game records it.
  virtual void puzzleStarted(int cellW, int cellH) = 0;
  // S was pressed: the game is written now (1 when handed to the writer).
  virtual int saveProfile() = 0;
  // The table changed (a drop, a clean-up): the game is written soon, at most once a second.
  virtual void tableChanged() = 0;
  // Once a frame of play: writes a waiting change when its time has come.
  virtual void saveWhenDue() = 0;
  // The puzzle is won or sorted up: there is no game left to continue.
  virtual void gameFinished() = 0;
};

}  // namespace orvela
