// The sound mixer, the sound sources (decoded frames, streamed Ogg Vorbis) and the decoding
// of sound files.
#include "engine/audio/audio.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/platform/sdl/sdl_library.h"

namespace orvela {

// ---- Sources of frames -----------------------------------------------------------------

class FrameSource {
 public:
  virtual ~FrameSource() = default;
  // Reads up to `frames` interleaved stereo frames; fewer (0 at the end).
  virtual int Read(float* stereo, int frames) = 0;
  virtual void Seek(int64_t frame) = 0;
};

namespace {

class PcmSource : public FrameSource {
 public:
  explicit PcmSource(const SoundData& data) : data_(data) {}
  int Read(float* stereo, int frames) override {
    const int64_t left = data_.frames - position_;
    const int n = static_cast<int>(std::clamp<int64_t>(left, 0, frames));
    std::memcpy(stereo, data_.pcm.data() + position_ * 2, sizeof(float) * 2 * n);
    position_ += n;
    return n;
  }
  void Seek(int64_t frame) override { position_ = std::clamp<int64_t>(frame, 0, data_.frames); }

 private:
  const SoundData& data_;
  int64_t position_ = 0;
};

// vorbisfile reads through these callbacks from an Ogg file in memory.
struct MemoryFile {
  std::shared_ptr<std::vector<uint8_t>> bytes;
  size_t position = 0;
};

size_t MemoryRead(void* out, size_t size, size_t count, void* source) {
  auto* file = static_cast<MemoryFile*>(source);
  if (size == 0) return 0;
  const size_t left = file->bytes->size() - file->position;
  const size_t n = std::min(count, left / size);
  std::memcpy(out, file->bytes->data() + file->position, n * size);
  file->position += n * size;
  return n;
}

int MemorySeek(void* source, ogg_int64_t offset, int whence) {
  auto* file = static_cast<MemoryFile*>(source);
  const auto size = static_cast<ogg_int64_t>(file->bytes->size());
  ogg_int64_t base = whence == SEEK_SET   ? 0
                     : whence == SEEK_CUR ? static_cast<ogg_int64_t>(file->position)
                                          : size;
  const ogg_int64_t target = base + offset;
  if (target < 0 || target > size) return -1;
  file->position = static_cast<size_t>(target);
  return 0;
}

long MemoryTell(void* source) {
  return static_cast<long>(static_cast<MemoryFile*>(source)->position);
}

const ov_callbacks kMemoryCallbacks = {MemoryRead, MemorySeek, nullptr, MemoryTell};

// An open Ogg Vorbis decoder on a file in memory.
class OggDecoder {
 public:
  explicit OggDecoder(std::shared_ptr<std::vector<uint8_t>> bytes) {
    file_.bytes = std::move(bytes);
    open_ = ov_open_callbacks(&file_, &vorbis_, nullptr, 0, kMemoryCallbacks) == 0;
    if (open_) {
      const vorbis_info* info = ov_info(&vorbis_, -1);
      open_ = info && info->channels > 0 && info->rate > 0;
      if (open_) channels_ = info->channels, rate_ = static_cast<int>(info->rate);
    }
  }
  ~OggDecoder() {
    if (open_) ov_clear(&vorbis_);
  }
  OggDecoder(const OggDecoder&) = delete;
  OggDecoder& operator=(const OggDecoder&) = delete;

  bool Open() const { return open_; }
  int Rate() const { return rate_; }
  int64_t Total() {
    const ogg_int64_t total = open_ ? ov_pcm_total(&vorbis_, -1) : -1;
    return total < 0 ? 0 : total;
  }
  // Up to `frames` stereo frames; 0 at the end or on a damaged stream.
  int Read(float* stereo, int frames) {
    int done = 0;
    while (open_ && done < frames) {
      float** channels = nullptr;
      int section = 0;
      const long n = ov_read_float(&vorbis_, &channels, frames - done, &section);
      if (n == OV_HOLE) continue;  // a gap in the data: go on after it
      if (n <= 0) break;
      for (long i = 0; i < n; ++i, ++done) {
        stereo[done * 2] = channels[0][i];
        stereo[done * 2 + 1] = channels[channels_ > 1 ? 1 : 0][i];
      }
    }
    return done;
  }
  void Seek(int64_t frame) {
    if (open_) ov_pcm_seek(&vorbis_, frame);
  }

 private:
  MemoryFile file_;
  OggVorbis_File vorbis_;
  bool open_ = false;
  int channels_ = 0;
  int rate_ = 0;
};

class OggSource : public FrameSource {
 public:
  explicit OggSource(const SoundData& data) : decoder_(data.ogg) {}
  int Read(float* stereo, int frames) override { return decoder_.Read(stereo, frames); }
  void Seek(int64_t frame) override { decoder_.Seek(frame); }

 private:
  OggDecoder decoder_;
};

std::unique_ptr<FrameSource> MakeSource(const SoundData& data) {
  if (data.ogg) return std::make_unique<OggSource>(data);
  return std::make_unique<PcmSource>(data);
}

// Keeps the sum of the voices within [-1, 1]: unchanged up to 0.8, then bent smoothly.
float SoftClip(float x) {
  const float a = std::fabs(x);
  if (a <= 0.8f) return x;
  const float bent = 0.8f + 0.2f * std::tanh((a - 0.8f) / 0.2f);
  return x < 0 ? -bent : bent;
}

constexpr float kRampStep = 1.0f / 256;  // volume changes spread over 256 frames (no clicks)
constexpr int kReadChunk = 512;

}  // namespace

Voice::Voice() = default;
Voice::~Voice() = default;

int64_t OutputFrames(const SoundData& data) {
  if (data.rate == kMixRate) return data.frames;
  return static_cast<int64_t>(std::ceil(static_cast<double>(data.frames) * kMixRate / data.rate));
}

namespace {

// Reads the next source frame of a voice; a loop wraps to the start, an ended sound gives
// silence.
void NextFrame(Voice& v, float* frame) {
  if (v.buffer_position >= v.buffer_length) {
    v.buffer.resize(kReadChunk * 2);
    v.buffer_length = v.source->Read(v.buffer.data(), kReadChunk);
    if (v.buffer_length == 0 && v.data->loop && v.data->frames > 0) {
      v.source->Seek(0);
      v.buffer_length = v.source->Read(v.buffer.data(), kReadChunk);
    }
    v.buffer_position = 0;
    if (v.buffer_length == 0) {
      frame[0] = frame[1] = 0;
      return;
    }
  }
  frame[0] = v.buffer[v.buffer_position * 2];
  frame[1] = v.buffer[v.buffer_position * 2 + 1];
  ++v.buffer_position;
}

}  // namespace

void Mixer::Start(const std::shared_ptr<Voice>& voice, std::shared_ptr<const SoundData> data,
                  float volume) {
  std::lock_guard<std::mutex> guard(lock_);
  voice->data = std::move(data);
  voice->volume = volume;
  voice->playing = true;
  voice->paused = false;
  voice->played = 0;
  voice->primed = false;
  voice->fraction = 0;
  voice->current = voice->volume;
  voice->source.reset();
  voice->source_behind = false;
  if (std::find(voices_.begin(), voices_.end(), voice) == voices_.end()) voices_.push_back(voice);
}

void Mixer::Render(float* out, int frames) {
  std::lock_guard<std::mutex> guard(lock_);
  std::fill(out, out + frames * 2, 0.0f);
  for (const auto& voice : voices_) {
    Voice& v = *voice;
    if (!v.playing || v.paused || !v.data) continue;
    const int64_t length = OutputFrames(*v.data);
    if (length <= 0) {
      v.playing = false;
      continue;
    }
    if (!v.source) {
      v.source = MakeSource(*v.data);
      v.source_behind = v.played > 0;
    }
    if (v.source_behind) {
      v.source->Seek(v.played * v.data->rate / kMixRate);
      v.primed = false;
      v.source_behind = false;
    }
    if (!v.primed) {
      v.buffer_length = v.buffer_position = 0;
      NextFrame(v, v.previous);
      NextFrame(v, v.next);
      v.fraction = 0;
      v.primed = true;
    }
    const double step = static_cast<double>(v.data->rate) / kMixRate;
    for (int i = 0; i < frames; ++i) {
      if (v.current != v.volume) {
        const float d = v.volume - v.current;
        v.current =
            std::fabs(d) <= kRampStep ? v.volume : v.current + (d > 0 ? kRampStep : -kRampStep);
      }
      const float f = static_cast<float>(v.fraction);
      out[i * 2] += (v.previous[0] + (v.next[0] - v.previous[0]) * f) * v.current;
      out[i * 2 + 1] += (v.previous[1] + (v.next[1] - v.previous[1]) * f) * v.current;
      v.fraction += step;
      while (v.fraction >= 1) {
        v.previous[0] = v.next[0], v.previous[1] = v.next[1];
        NextFrame(v, v.next);
        v.fraction -= 1;
      }
      if (++v.played >= length) {
        if (v.data->loop) {
          v.played = 0;
        } else {
          v.playing = false;
          break;
        }
      }
    }
  }
  for (int i = 0; i < frames * 2; ++i) out[i] = SoftClip(out[i]);
  voices_.erase(std::remove_if(voices_.begin(), voices_.end(),
                               [](const std::shared_ptr<Voice>& v) { return !v->playing; }),
                voices_.end());
}

void Mixer::Advance(int64_t frames) {
  std::lock_guard<std::mutex> guard(lock_);
  for (const auto& voice : voices_) {
    Voice& v = *voice;
    if (!v.playing || v.paused || !v.data || frames <= 0) continue;
    const int64_t length = OutputFrames(*v.data);
    v.played += frames;
    if (v.played >= length) {
      if (v.data->loop && length > 0) {
        v.played %= length;
      } else {
        v.playing = false;
      }
    }
    v.source_behind = true;
  }
  voices_.erase(std::remove_if(voices_.begin(), voices_.end(),
                               [](const std::shared_ptr<Voice>& v) { return !v->playing; }),
                voices_.end());
}

int Mixer::Active() {
  std::lock_guard<std::mutex> guard(lock_);
  int n = 0;
  for (const auto& v : voices_) n += v->playing ? 1 : 0;
  return n;
}

AudioOutput::AudioOutput() : mixer_(std::make_shared<Mixer>()) {}
AudioOutput::~AudioOutput() = default;

ClockDrivenAudio::ClockDrivenAudio(Clock clock, void* context) : clock_(clock), context_(context) {}

void ClockDrivenAudio::Update() {
  if (manual_ || !clock_) return;
  const int64_t now = clock_(context_);
  if (last_ms_ < 0 || now < last_ms_) {
    last_ms_ = now;
    return;
  }
  pending_frames_ += static_cast<double>(now - last_ms_) * kMixRate / 1000.0;
  last_ms_ = now;
  const auto frames = static_cast<int64_t>(pending_frames_);
  pending_frames_ -= static_cast<double>(frames);
  if (frames > 0) mixer_->Advance(frames);
}

void ClockDrivenAudio::SetManual(bool manual) {
  manual_ = manual;
  last_ms_ = -1;
}

std::vector<float> ClockDrivenAudio::Mix(int frames) {
  std::vector<float> out(static_cast<size_t>(std::max(frames, 0)) * 2);
  if (frames > 0) mixer_->Render(out.data(), frames);
  return out;
}

// ---- Decoding --------------------------------------------------------------------------

namespace {

constexpr int64_t kMaxFrames = int64_t{kMixRate} * 60 * 30;  // half an hour

std::shared_ptr<SoundData> DecodeOgg(const std::vector<uint8_t>& bytes, double stream_seconds) {
  auto shared = std::make_shared<std::vector<uint8_t>>(bytes);
  OggDecoder decoder(shared);
  if (!decoder.Open()) return nullptr;
  auto data = std::make_shared<SoundData>();
  data->rate = decoder.Rate();
  const int64_t total = decoder.Total();
  if (total > kMaxFrames * data->rate / kMixRate) return nullptr;
  if (total > 0 && static_cast<double>(total) / data->rate > stream_seconds) {
    data->ogg = shared;
    data->frames = total;
    return data;
  }
  std::vector<float> chunk(kReadChunk * 2);
  for (int n; (n = decoder.Read(chunk.data(), kReadChunk)) > 0;) {
    data->pcm.insert(data->pcm.end(), chunk.begin(), chunk.begin() + n * 2);
    if (static_cast<int64_t>(data->pcm.size() / 2) > kMaxFrames) return nullptr;
  }
  data->frames = static_cast<int64_t>(data->pcm.size() / 2);
  return data->frames > 0 ? data : nullptr;
}

}  // namespace

std::shared_ptr<SoundData> DecodeSound(const std::vector<uint8_t>& bytes, double stream_seconds) {
  if (bytes.size() >= 4 && std::memcmp(bytes.data(), "OggS", 4) == 0) {
    return DecodeOgg(bytes, stream_seconds);
  }
  if (bytes.size() >= 12 && std::memcmp(bytes.data(), "RIFF", 4) == 0 &&
      std::memcmp(bytes.data() + 8, "WAVE", 4) == 0) {
    return SdlDecodeWav(bytes);
  }
  return nullptr;
}

}  // namespace orvela
