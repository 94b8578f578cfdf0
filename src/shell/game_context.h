// The game's global objects, in one context created in a fixed order at start-up (tests make
// a fresh one each). Every screen reaches the others through Game(). Objects of screens that
// are not part of the game yet take their place in this order when they land.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "engine/text/font.h"
#include "play/game_statics.h"
#include "play/spark.h"
#include "shell/shell_play_services.h"
#include "shell/shell_profile_services.h"
#include "ui/screen_loop.h"

namespace orvela {

class TSongManager;
class TRozcinacz;
class TPuzzelGame;
class TProfile;
class TWyborZestawu;
class TMessageWindow;
class WaitingScreen;
class TDeltaTime;
class TPuzzelMouse;
class TKreatorKlockow;
class TProfileManager;
class TGame;
class TMoreGames;
class TCredits;
class TGameSettings;
class TOptions;
class TGlobalSnd;
class TZegar;
class BestTimes;

struct GameContext {
  // Creates the global objects in order and makes this the current context.
  GameContext();
  ~GameContext();
  GameContext(const GameContext&) = delete;
  GameContext& operator=(const GameContext&) = delete;

  // The game-level state outside any object (the clock frame slots, the spark list, the
  // particle slots, the pieces' host, the mouse, the frame factor) comes first, clean, and is
  // cleaned again after everything else has gone.
  GameStatics statics;
  std::shared_ptr<TSongManager> songs;
  std::shared_ptr<TRozcinacz> cutter;
  std::shared_ptr<TPuzzelGame> play;  // the play screen
  std::shared_ptr<TDeltaTime> frame_timer;
  std::shared_ptr<TPuzzelMouse> mouse;
  std::shared_ptr<TKreatorKlockow> shape_grid;
  std::shared_ptr<TProfileManager> profile_manager;
  std::shared_ptr<TGame> main_menu;
  std::shared_ptr<TProfile> profile;
  std::shared_ptr<TWyborZestawu> chooser;  // the picture-set chooser
  std::shared_ptr<TMoreGames> more_games;
  std::shared_ptr<TCredits> credits;
  std::shared_ptr<TGameSettings> settings;
  std::shared_ptr<TOptions> options;
  std::shared_ptr<BestTimes> best_times;  // the best time of each picture set
  std::shared_ptr<TGlobalSnd> sounds;
  FontRef small_font, middle_font, large_font;  // the game's font at 14, 20 and 36 pixels
  std::shared_ptr<TMessageWindow> message_window;
  std::shared_ptr<TZegar> waiting_clock;  // made during start-up, at (400, 380)
  // The waiting screen of the cut, installed in the cutter during start-up.
  std::shared_ptr<WaitingScreen> waiting_screen;

  int screenWidth = 800;
  int screenHeight = 600;
  std::string userDir;  // the per-user folder, no trailing separator; "" when there is none

  // When set, every frame gets this frame factor instead of the measured one (deterministic
  // runs of the headless tests and tools).
  std::optional<float> fixed_frame_factor;

  // The frame steps of the game's screen loops: the global frame timer and mouse.
  ScreenLoop screen_loop() const;

 private:
  ParticleSparkEmitter spark_emitter_;     // where the pieces' sparks go
  ShellPlayServices play_services_;        // the play screen's way into the game
  ShellProfileServices profile_services_;  // the profile's
  GameContext* previous_;
};

// The current game context; aborts with a clear message when there is none.
GameContext& Game();
// The current game context, or null before start-up made one (tools that may run without it).
GameContext* CurrentGame();

}  // namespace orvela
