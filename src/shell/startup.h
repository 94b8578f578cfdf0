// The game from start to end on the installed platform: folders, settings, window, the
// loading screen, the set-up of every screen, the main menu.
#pragma once

namespace orvela {

struct GameContext;

// Runs the start-up sequence and the main menu until the game ends; 0, or 1 when the game's
// data folders are missing (said in one message) or no display could be opened. The platform must
// be installed (an EngineScope). `before_start`, when given, runs once the context exists (tests
// use it to fix the frame factor).
int RunGame(void (*before_start)(GameContext&) = nullptr);

}  // namespace orvela
