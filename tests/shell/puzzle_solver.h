// A scripted player for end-to-end tests: it reads the play screen's table each frame and
// solves the puzzle with the mouse alone, the way a person would. It always picks up the
// entry on top of the table (nothing can cover it), carries it and drops it at its place
// beside a neighbour it does not yet hold, so every move joins something; an entry whose
// every join would need the pointer off the screen is first carried to the middle.
#pragma once

#include <deque>
#include <functional>
#include <string>

#include "engine/platform/headless/headless_platform.h"

namespace orvela {
class TPuzzelGame;
}

namespace orvela::testing {

class PuzzleSolver {
 public:
  PuzzleSolver(HeadlessPlatform& platform, TPuzzelGame& play) : platform_(platform), play_(play) {}

  // Call after every shown frame of the play screen: gives the input of the next frame.
  void OnFrame();
  // The moves made (pick-up and drop), and whether the solver gave up (it says why).
  int moves() const { return moves_; }
  const std::string& stuck() const { return stuck_; }

 private:
  void Plan();
  void Click(int x, int y);

  HeadlessPlatform& platform_;
  TPuzzelGame& play_;
  std::deque<std::function<void()>> steps_;
  int moves_ = 0;
  int recentred_ = 0;  // moves in a row that joined nothing
  std::string stuck_;
};

}  // namespace orvela::testing
