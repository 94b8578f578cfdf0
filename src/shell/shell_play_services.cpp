// ShellPlayServices.
#include "shell/shell_play_services.h"

#include "play/saved_game/profile.h"
#include "shell/best_times.h"
#include "shell/game_context.h"
#include "shell/settings_window.h"
#include "shell/sound_manager.h"

namespace orvela {

ScreenLoop ShellPlayServices::Loop() {
  return Game().screen_loop();
}

void ShellPlayServices::SoundUpdate() {
  orvela::SoundUpdate();
}

void ShellPlayServices::Play(PlaySound sound) {
  TGlobalSnd& sounds = *Game().sounds;
  switch (sound) {
    case PlaySound::kClick:
      sounds.click();
      break;
    case PlaySound::kGood:
      sounds.good();
      break;
    case PlaySound::kInfo:
      sounds.info();
      break;
    case PlaySound::kBad:
      sounds.bad();
      break;
  }
}

void ShellPlayServices::OpenSettings() {
  Game().settings->start(1);
}

FontRef ShellPlayServices::Font(FontSize size) {
  const GameContext& game = Game();
  switch (size) {
    case FontSize::kSmall:
      return game.small_font;
    case FontSize::kMiddle:
      return game.middle_font;
    case FontSize::kLarge:
      return game.large_font;
  }
  return game.small_font;
}

TRozcinacz& ShellPlayServices::Cutter() {
  return *Game().cutter;
}

PlayServices::FinishTime ShellPlayServices::RecordTime(int seconds) {
  GameContext& game = Game();
  const BestTimes::Result result = game.best_times->Record(game.profile->_gfxUrl, seconds);
  return {result.before.value_or(-1), result.new_best};
}

}  // namespace orvela
