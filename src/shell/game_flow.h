// The game flow behind the main menu's Play: GameFlow asks whether to continue a puzzle in
// progress, runs the picture choice, builds a new puzzle from the chosen set (the shape grid,
// its masks, the cut picture) and runs the play screen, so that however play is left the game
// is written to the profile. The main menu darkens and clears its cover around these steps;
// the flow knows nothing of the menu but the backdrop its question is asked over.
#pragma once

#include "ui/backdrop.h"
#include "ui/menu.h"

namespace orvela {

class TZestaw;

// The question Play asks when a puzzle is in progress.
inline constexpr const char* kContinueQuestion = "Continue the puzzle you were playing?";

class GameFlow {
 public:
  // The answers to the continue question.
  enum class Choice { kContinue, kNewGame, kStay };

  // Clears the play screen, the cutter and the shape grid, in that order (a new profile).
  void Clear();
  // Whether the profile holds a puzzle in progress (Play then asks first).
  bool GameInProgress() const;
  // Asks in the message window, over `behind`, whether to continue the puzzle in progress or
  // start a new one; Escape stays (the saved puzzle waits).
  Choice AskContinue(const Backdrop& behind);
  // The picture choice; a chosen set is played (PlaySet), a cancelled choice returns.
  void ChooseAndPlay();
  // Builds the grid and the masks for the chosen set and plays the new puzzle.
  void PlaySet(const TZestaw& zestaw);
  // The first part of PlaySet: the chosen set recorded in the profile, its grid and masks
  // built and the picture cut; 1 when the play screen holds the new puzzle.
  int NewPuzzle(const TZestaw& zestaw);
  // Resumes the puzzle in progress (a rebuilt one when the play screen does not hold it);
  // when it cannot be rebuilt and none is left in progress, the picture choice follows.
  void Continue();
  // Runs the play screen; however it is left, the game is written to the profile.
  void RunPlay();

 private:
  MenuRef continue_buttons_;  // the answers of the continue question, made when first asked
};

}  // namespace orvela
