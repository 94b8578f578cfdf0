// The play screen's way into the game around it: the PlayServices the shell installs, each
// answered from the game's global objects.
#pragma once

#include "play/play_services.h"

namespace orvela {

class ShellPlayServices : public PlayServices {
 public:
  ScreenLoop Loop() override;
  void SoundUpdate() override;
  void Play(PlaySound sound) override;
  void OpenSettings() override;
  FontRef Font(FontSize size) override;
  TRozcinacz& Cutter() override;
  FinishTime RecordTime(int seconds) override;
};

}  // namespace orvela
