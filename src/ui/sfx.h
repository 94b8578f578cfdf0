// TSFX: a small sound-effect holder, a sound and the channel of its last play. Uses only the
// engine's sound services.
#pragma once

#include <memory>
#include <string>

#include "engine/audio/sound.h"
#include "engine/object.h"

namespace orvela {

class TSFX : public TObject {
 public:
  SoundRef sound;
  ChannelRef channel;  // the channel of the last Play
  int Loop = 0;

  // Starts the sound on a new channel and keeps that channel (nothing without a sound).
  int Play();
  // Stops the channel of the last Play.
  int Stop();
};

using SFXRef = std::shared_ptr<TSFX>;

// A sound effect from a sound file; loop 1 loads it looping. A file that cannot be read gives
// a TSFX without a sound, which plays nothing.
SFXRef CreateSFX(const std::string& path, int loop);

}  // namespace orvela
