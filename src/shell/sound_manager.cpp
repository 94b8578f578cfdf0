// TOptions, TGlobalSnd, TSongManager, TMusicFile, TAudioStream and the per-frame sound update.
#include "shell/sound_manager.h"

#include "engine/engine.h"
#include "shell/game_context.h"

namespace orvela {

namespace {

float SoundVolume() {
  return Game().options->soundVol;
}
float MusicVolume() {
  return Game().options->musicVol;
}

// The music start on a file: a new channel at v · the live music volume, or null.
ChannelRef StartTrack(const SoundRef& sound, float v) {
  const float volume = v * MusicVolume();
  if (!sound || volume <= 0) return nullptr;
  ChannelRef channel = sound->Play(nullptr);
  channel->SetVolume(volume);
  return channel;
}

}  // namespace

void TOptions::SetFromLevels(float music_level, float sound_level) {
  soundVol = sound_level / 10;
  musicVol = music_level / 10;
}

ChannelRef StartEffect(const SoundRef& sound, const ChannelRef& channel, int restart) {
  if (channel) {
    if (restart == 0 && channel->Playing()) return channel;
    channel->Stop();
  }
  if (!sound || SoundVolume() <= 0) return nullptr;
  ChannelRef fresh = sound->Play(nullptr);
  fresh->SetVolume(SoundVolume());
  return fresh;
}

int TGlobalSnd::load() {
  sfx[0] = TSound::Load("sfx/tamli-klik-over1.ogg", 0);
  sfx[1] = TSound::Load("sfx/info.ogg", 0);
  sfx[2] = TSound::Load("sfx/tamli-info-good.ogg", 0);
  sfx[3] = TSound::Load("sfx/tamli-info-bad.ogg", 0);
  return 0;
}

ChannelRef TGlobalSnd::play(int index, const ChannelRef& channel, int restart) {
  if (index < 0 || index >= static_cast<int>(sfx.size()) || !sfx[index]) return nullptr;
  return StartEffect(sfx[index], channel, restart);
}

TSongManager::~TSongManager() {
  for (const auto& song : songsList) {
    if (song->c) song->c->Stop();
  }
}

Ref<TMusicFile> TSongManager::findSong(const std::string& name) const {
  for (const auto& song : songsList) {
    if (song->name == name) return song;
  }
  return nullptr;
}

Ref<TMusicFile> TSongManager::loadSong(const std::string& name, int flags) {
  Ref<TMusicFile> song = findSong(name);
  if (!song) {
    song = std::make_shared<TMusicFile>();
    song->name = name;
    song->isLoaded = 1;
    song->s = TSound::Load(name, flags);
    songsList.AddLast(song);
  } else if (!song->isLoaded) {
    song->s = TSound::Load(name, flags);
    song->isLoaded = 1;
  }
  return song;
}

Ref<TMusicFile> TSongManager::playSong(const std::string& name, int flags, float volume) {
  Ref<TMusicFile> song = findSong(name);
  if (!song || !song->isLoaded) song = loadSong(name, flags);
  song->c = StartTrack(song->s, volume);
  return song;
}

int TAudioStream::pause() {
  if (mf && mf->c) mf->c->SetPaused(1);
  return 0;
}

int TAudioStream::play() {
  if (mf && mf->c) mf->c->SetPaused(0);
  return 0;
}

int TAudioStream::stop() {
  if (mf && mf->c) mf->c->Stop();
  return 0;
}

int TAudioStream::setVolume(float v) {
  if (!mf) return 0;
  if (!mf->c) {
    if (v <= 0) return 0;
    mf = Game().songs->playSong(mf->name, 1, 1.0f);
    if (!mf->c) return 0;
  }
  mf->c->SetVolume(v);  // a negative volume plays as silence
  return 0;
}

Ref<TAudioStream> StartMusic(TSongManager& songs, const std::string& name, int flags,
                             float volume) {
  auto stream = std::make_shared<TAudioStream>();
  stream->mf = songs.playSong(name, flags, volume);
  return stream;
}

void SoundUpdate() {
  PollSystem();
  const GameContext& game = Game();
  if (game.songs && game.songs->music) game.songs->music->setVolume(MusicVolume());
}

}  // namespace orvela
