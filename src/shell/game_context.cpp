// The game context.
#include "shell/game_context.h"

#include <cstdio>
#include <cstdlib>

#include "construction/cutter.h"
#include "construction/shape_grid.h"
#include "play/message_window.h"
#include "play/play_mouse.h"
#include "play/play_screen.h"
#include "play/saved_game/profile.h"
#include "play/saved_game/profile_manager.h"
#include "play/spark.h"
#include "shell/best_times.h"
#include "shell/credits.h"
#include "shell/main_menu.h"
#include "shell/more_games.h"
#include "shell/set_chooser.h"
#include "shell/settings_window.h"
#include "shell/sound_manager.h"
#include "ui/delta_time.h"
#include "ui/mouse.h"

namespace orvela {

namespace {
GameContext* current = nullptr;
}

GameContext::GameContext() : previous_(current) {
  current = this;
  SetSparkEmitter(&spark_emitter_);
  songs = std::make_shared<TSongManager>();
  cutter = std::make_shared<TRozcinacz>();
  play = std::make_shared<TPuzzelGame>(play_services_);
  frame_timer = std::make_shared<TDeltaTime>();
  mouse = std::make_shared<TPuzzelMouse>();
  SetGlobalMouse(mouse);
  shape_grid = std::make_shared<TKreatorKlockow>();
  profile_manager = std::make_shared<TProfileManager>(profile_services_, *play, *shape_grid);
  main_menu = std::make_shared<TGame>();
  profile = std::make_shared<TProfile>(&profile_services_);
  chooser = std::make_shared<TWyborZestawu>();
  more_games = std::make_shared<TMoreGames>();
  credits = std::make_shared<TCredits>();
  settings = std::make_shared<TGameSettings>();
  options = std::make_shared<TOptions>();
  best_times = std::make_shared<BestTimes>();
  sounds = std::make_shared<TGlobalSnd>();
  small_font = TImageFont::Load("gfx/bluehigh.ttf", 14, FONT_SMOOTH);
  middle_font = TImageFont::Load("gfx/bluehigh.ttf", 20, FONT_SMOOTH);
  large_font = TImageFont::Load("gfx/bluehigh.ttf", 36, FONT_SMOOTH);
  message_window = std::make_shared<TMessageWindow>(play_services_);
  // The play screen asks its sort-up question in the message window, over its own table. The
  // windows opened over the menu show the menu behind them, those opened from play the table.
  play->messageWindow = message_window.get();
  // The play screen keeps its game saved through the profile manager.
  play->keeper = profile_manager.get();
  const Backdrop menu_behind = [this] { main_menu->draw(); };
  const Backdrop play_behind = [this] { play->draw(); };
  message_window->drawBehind = play_behind;
  settings->drawBehind = {menu_behind, play_behind};
  credits->drawBehind = menu_behind;
}

GameContext::~GameContext() {
  if (cutter) cutter->progress = nullptr;
  // Nothing may reach the emitter or the mouse while the objects go; the sparks hold images.
  SetGlobalMouse(nullptr);
  SetSparkEmitter(nullptr);
  TSpark::destroyAll();
  // The play screen goes first: it is the pieces' host until then. The rest is cleaned by
  // `statics`, which goes last.
  play.reset();
  current = previous_;
}

GameContext* CurrentGame() {
  return current;
}

GameContext& Game() {
  if (current == nullptr) {
    std::fputs("orvela: the game's objects were used before start-up made them\n", stderr);
    std::abort();
  }
  return *current;
}

ScreenLoop GameContext::screen_loop() const {
  return ScreenLoop(*frame_timer, mouse.get(), fixed_frame_factor);
}

}  // namespace orvela
