// The game's sound effects and music: TOptions holds the live volumes every sound reads (the
// settings set them); TGlobalSnd holds the four effects and starts each on a fresh channel at
// the live sound volume; TSongManager keeps the known music files and the music playing under
// every screen, a TAudioStream whose volume follows the live music volume every frame (a track
// that could not start at volume 0 starts as soon as the volume is raised).
#pragma once

#include <array>
#include <memory>
#include <string>

#include "engine/audio/sound.h"
#include "engine/object.h"

namespace orvela {

class TAudioStream;

// The live volumes, 0 to 1, that every effect start, every music start and the per-frame music
// update read; the settings window sets them from the levels the player chooses (0 to 10).
class TOptions : public TObject {
 public:
  float musicVol = 0.5f;
  float soundVol = 0.8f;

  // Sets both from the settings' levels of 0 to 10 (a tenth of each).
  void SetFromLevels(float music_level, float sound_level);
};

// Starts a sound effect: on the given channel unless it is still playing and restart is 0
// (then that channel is returned unchanged), else on a new channel at the live sound volume.
// Null when there is no sound or the sound volume is 0 or less.
ChannelRef StartEffect(const SoundRef& sound, const ChannelRef& channel, int restart);

class TGlobalSnd : public TObject {
 public:
  std::array<SoundRef, 35> sfx;  // slots 0..3 used

  // Loads the four effects (not looping).
  int load();
  // Null when slot index holds no sound; otherwise the effect start.
  ChannelRef play(int index, const ChannelRef& channel, int restart);
  ChannelRef click() { return play(0, nullptr, 0); }  // a piece put down
  ChannelRef good() { return play(1, nullptr, 0); }   // pieces snap together
  ChannelRef bad() { return play(3, nullptr, 0); }    // a question opens
  ChannelRef info() { return play(2, nullptr, 0); }   // the puzzle is solved
};

// One known music file.
class TMusicFile : public TObject {
 public:
  std::string name;  // the file path
  int isLoaded = 0;
  SoundRef s;
  ChannelRef c;  // the channel it plays on, or null
};

class TSongManager : public TObject {
 public:
  TSongManager() = default;
  // The music stops with its manager: a track left playing would outlive the game.
  ~TSongManager() override;
  TSongManager(const TSongManager&) = delete;
  TSongManager& operator=(const TSongManager&) = delete;

  TList<TMusicFile> songsList;  // in loading order
  // The music under every screen, started by the main menu; the sound update keeps its volume.
  Ref<TAudioStream> music;

  Ref<TMusicFile> findSong(const std::string& name) const;
  Ref<TMusicFile> loadSong(const std::string& name, int flags);
  // Loads the file when needed, then starts it on a new channel at volume · the live music
  // volume (no channel when that is 0 or less).
  Ref<TMusicFile> playSong(const std::string& name, int flags, float volume);
};

// A handle on a playing music file.
class TAudioStream : public TObject {
 public:
  Ref<TMusicFile> mf;

  int pause();
  int play();
  int stop();
  // Sets the track's volume; a track without a channel starts (looping) when v is above 0.
  int setVolume(float v);
};

// The music start: a new stream on playSong(name, flags, volume).
Ref<TAudioStream> StartMusic(TSongManager& songs, const std::string& name, int flags, float volume);

// The per-frame sound update of every screen loop: lets pending system events arrive, then
// sets the music playing under the screens (TSongManager::music) to the live music volume.
void SoundUpdate();

}  // namespace orvela
