// The game context.
#include "shell/game_context.h"

#include <cstdio>
#include <cstdlib>

#include "construction/cutter.h"
#include "construction/shape_grid.h"
#include "play/play_mouse.h"
#include "play/spark.h"
#include "play/waiting_clock.h"
#include "shell/credits.h"
#include "shell/main_menu.h"
#include "shell/more_games.h"
#include "shell/settings.h"
#include "shell/sound_manager.h"
#include "ui/delta_time.h"
#include "ui/mouse.h"

namespace orvela {

namespace {
GameContext* current = nullptr;
}

GameContext::GameContext() : previous_(current) {
  current = this;
  TZegar::Frames().fill(nullptr);
  TSpark::destroyAll();
  TSpark::Images().fill(nullptr);
  SetSparkEmitter(&spark_emitter_);
  songs = std::make_shared<TSongManager>();
  cutter = std::make_shared<TRozcinacz>();
  frame_timer = std::make_shared<TDeltaTime>();
  mouse = std::make_shared<TPuzzelMouse>();
  SetGlobalMouse(mouse);
  shape_grid = std::make_shared<TKreatorKlockow>();
  main_menu = std::make_shared<TGame>();
  more_games = std::make_shared<TMoreGames>();
  credits = std::make_shared<TCredits>();
  settings = std::make_shared<TGameSettings>();
  options = std::make_shared<TOptions>();
  sounds = std::make_shared<TGlobalSnd>();
  small_font = TImageFont::Load("gfx/bluehigh.ttf", 14, FONT_SMOOTH);
  middle_font = TImageFont::Load("gfx/bluehigh.ttf", 20, FONT_SMOOTH);
  large_font = TImageFont::Load("gfx/bluehigh.ttf", 36, FONT_SMOOTH);
}

GameContext::~GameContext() {
  SetGlobalMouse(nullptr);
  SetSparkEmitter(nullptr);
  TSpark::destroyAll();
  TSpark::Images().fill(nullptr);
  TZegar::Frames().fill(nullptr);
  current = previous_;
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
