// The game from start to end on the installed platform: folders, settings, window, the
// loading screen, the set-up of every screen, the main menu.
#pragma once

namespace orvela {

struct GameContext;

// The file in the per-user folder whose lock the running copy of the game holds, and what a
// second copy says before it ends.
inline constexpr const char* kLockFile = "running.lock";
inline constexpr const char* kAlreadyRunning =
    "Orvela Puzzle Game is already running. This second copy ends; please go on in the first.";

// Runs the start-up sequence and the main menu until the game ends; 0, or 1 when the game's
// data folders are missing (said in one message), another copy of the game runs for this
// player (said likewise), or no display could be opened. The platform must be installed (an
// EngineScope). `before_start`, when given, runs once the context exists (tests use it to fix
// the frame factor).
int RunGame(void (*before_start)(GameContext&) = nullptr);

}  // namespace orvela
