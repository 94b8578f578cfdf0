// What the play screen and the message window need from the game around them: the frame
// steps of the game's screen loops, the sound effects and the per-frame sound update, the
// settings window over the table, the fonts, the cutter with its waiting screen, and the best
// times. The shell installs one implementation; tests install their own. (Keeping the game
// saved is the GameKeeper's.)
#pragma once

#include <string>

#include "engine/text/font.h"
#include "ui/screen_loop.h"

namespace orvela {

class TRozcinacz;

// The game's four sound effects.
enum class PlaySound { kClick, kGood, kInfo, kBad };

// The game's font at 14, 20 and 36 pixels.
enum class FontSize { kSmall, kMiddle, kLarge };

class PlayServices {
 public:
  virtual ~PlayServices() = default;
  // The game's frame timer and mouse, as every screen loop of the game uses them.
  virtual ScreenLoop Loop() = 0;
  // Lets pending system events in and sets the music volume (once per frame of every loop).
  virtual void SoundUpdate() = 0;
  virtual void Play(PlaySound sound) = 0;
  // Runs the settings window over the play screen until it has faded out.
  virtual void OpenSettings() = 0;
  virtual FontRef Font(FontSize size) = 0;
  // The cutter, with the waiting screen installed as its progress.
  virtual TRozcinacz& Cutter() = 0;
  // The puzzle was solved by hand in that many seconds: the best time of its picture before
  // this one (-1 when none was kept), and whether this one beat it and is kept instead.
  struct FinishTime {
    int best_before = -1;
    bool new_best = false;
  };
  virtual FinishTime RecordTime(int seconds) = 0;
};

}  // namespace orvela
