// TGame: the main menu, the hub of the game. Its five buttons wait hidden while their
// highlights slide in from the left, then the highlights fade over the buttons; a black cover
// fades in before a destination runs (the picture choice and play, continuing a puzzle, the
// more-games screen, the end) and clears when it returns. Play asks first whether to continue
// a puzzle in progress. What lies behind the cover from Play on is the game flow (GameFlow),
// which the menu holds; its drawing is the backdrop of the windows opened over it.
#pragma once

#include <array>

#include "engine/image/image.h"
#include "engine/object.h"
#include "shell/game_flow.h"
#include "ui/menu.h"

namespace orvela {

class TZestaw;

// Destinations of the cover (_dokad).
enum MenuDestination : int { GO_EXIT = 0, GO_NEW_GAME = 1, GO_CONTINUE = 2, GO_MORE_GAMES = 3 };

class TGame : public TObject {
 public:
  std::array<ImageRef, 5> but;  // highlights: play, options, credits, more, quit
  int wyjdz = 0;                // 1 ends the menu loop
  MenuRef butt;                 // the five buttons
  ImageRef img;                 // the menu background
  float fade = 0;               // the black cover, 0 clear to 1 black
  float dFade = 0;
  int _dokad = GO_EXIT;
  std::array<float, 5> x{};  // highlights sliding in
  std::array<int, 5> y{};
  std::array<float, 5> a{};  // highlight opacity
  GameFlow flow;             // what Play leads to

  int setup();
  int newGame();
  int start();
  int update();
  int draw();
  int mainLoop();
  int exitGame();
  int credits();
  int moreGames();
  int goToMoreGames();
  int StartNewGame();
  int goToNewGame();
  // Builds the grid and the masks for the chosen set and plays the new puzzle.
  int playFree(const TZestaw& zestaw);
  // Play: with a puzzle in progress the message window asks, over the menu, whether to
  // continue it (the cover then goes to it) or start a new one (the picture choice); without,
  // the choice.
  int goToPlay();
  int goToContinue();
  // Clears the cover and resumes the puzzle in progress (GameFlow::Continue).
  int continueFree();
};

}  // namespace orvela
