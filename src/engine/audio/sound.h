// Sounds and channels. A TSound is a loaded sample (Ogg Vorbis or WAV; long sounds stream from
// their file); playing it gives a TChannel, one playing instance with its own volume and
// pause. Any number of channels play at once. Without a sound device channels are silent but
// still behave: a sound that does not loop stops playing when its length has passed.
#pragma once

#include <memory>
#include <string>

#include "engine/object.h"

namespace orvela {

struct SoundData;
struct Voice;
class Mixer;

enum SoundFlags : int {
  SOUND_LOOP = 1,  // the sound starts again at its end, without a gap
};

class TChannel;

class TSound : public TObject {
 public:
  // Loads an Ogg Vorbis or WAV file; null when it cannot be read.
  static std::shared_ptr<TSound> Load(const std::string& path, int flags = 0);

  // Starts the sound on the given channel (stopping what it played) or on a new channel,
  // and returns the channel.
  std::shared_ptr<TChannel> Play(const std::shared_ptr<TChannel>& channel = nullptr);

  bool Loops() const;
  double Seconds() const;  // length of one pass
  const std::shared_ptr<const SoundData>& Data() const { return data_; }

 private:
  std::shared_ptr<const SoundData> data_;
};

class TChannel : public TObject {
 public:
  TChannel();
  ~TChannel() override;
  TChannel(const TChannel&) = delete;
  TChannel& operator=(const TChannel&) = delete;

  // The channel keeps playing when its last reference is dropped.
  int Stop();
  int SetPaused(int paused);    // 1 pauses (holding the place), 0 resumes
  int SetVolume(float volume);  // 0..1; outside values are held to the range
  int Playing();                // 1 while the channel is playing (paused counts as playing)
  float Volume() const { return volume_; }

 private:
  friend class TSound;
  std::shared_ptr<Mixer> mixer_;
  std::shared_ptr<Voice> voice_;
  float volume_ = 1;
};

using SoundRef = std::shared_ptr<TSound>;
using ChannelRef = std::shared_ptr<TChannel>;

}  // namespace orvela
