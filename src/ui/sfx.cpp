// TSFX.
#include "ui/sfx.h"

namespace orvela {

int TSFX::Play() {
  if (sound) channel = sound->Play();
  return 0;
}

int TSFX::Stop() {
  if (channel) channel->Stop();
  return 0;
}

SFXRef CreateSFX(const std::string& path, int loop) {
  auto sfx = std::make_shared<TSFX>();
  sfx->Loop = loop;
  sfx->sound = TSound::Load(path, loop ? SOUND_LOOP : 0);
  return sfx;
}

}  // namespace orvela
