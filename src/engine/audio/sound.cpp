// Sounds and channels over the platform's mixer.
#include "engine/audio/sound.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "engine/audio/audio.h"
#include "engine/context.h"
#include "engine/files/files.h"
#include "engine/loading.h"

namespace orvela {

namespace {
AudioOutput& Output() {
  return Engine().platform->Audio();
}
}  // namespace

std::shared_ptr<TSound> TSound::Load(const std::string& path, int flags) {
  std::vector<uint8_t> bytes;
  std::shared_ptr<SoundData> data = ReadFileBytes(path, bytes) ? DecodeSound(bytes) : nullptr;
  if (!data) {
    NoteFailedLoad(path);
    return nullptr;
  }
  data->loop = (flags & SOUND_LOOP) != 0;
  auto sound = std::make_shared<TSound>();
  sound->data_ = std::move(data);
  return sound;
}

bool TSound::Loops() const {
  return data_ && data_->loop;
}

double TSound::Seconds() const {
  return data_ ? static_cast<double>(data_->frames) / data_->rate : 0.0;
}

std::shared_ptr<TChannel> TSound::Play(const std::shared_ptr<TChannel>& channel) {
  auto playing = channel ? channel : std::make_shared<TChannel>();
  AudioOutput& output = Output();
  output.Update();  // a clock-driven output starts counting from now
  if (playing->mixer_ && playing->mixer_ != output.mixer()) playing->Stop();
  playing->mixer_ = output.mixer();
  playing->mixer_->Start(playing->voice_, data_, playing->volume_);
  return playing;
}

TChannel::TChannel() : voice_(std::make_shared<Voice>()) {}
// A channel dropped by its owner plays on: the mixer keeps its voice until it ends.
TChannel::~TChannel() = default;

int TChannel::Stop() {
  if (!mixer_) return 0;
  std::lock_guard<std::mutex> guard(mixer_->Lock());
  voice_->playing = false;
  return 0;
}

int TChannel::SetPaused(int paused) {
  if (!mixer_) return 0;
  std::lock_guard<std::mutex> guard(mixer_->Lock());
  voice_->paused = paused != 0;
  return 0;
}

int TChannel::SetVolume(float volume) {
  volume_ = volume >= 0 ? std::min(volume, 1.0f) : 0.0f;  // negative (and NaN) is silence
  if (!mixer_) return 0;
  std::lock_guard<std::mutex> guard(mixer_->Lock());
  voice_->volume = volume_;
  return 0;
}

int TChannel::Playing() {
  if (!mixer_) return 0;
  if (EngineInstalled()) Output().Update();
  std::lock_guard<std::mutex> guard(mixer_->Lock());
  return voice_->playing ? 1 : 0;
}

}  // namespace orvela
