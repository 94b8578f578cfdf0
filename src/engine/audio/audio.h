// The sound mixer beneath TSound and TChannel. Every playing channel is a voice; the mixer adds
// the voices (at their volumes) into stereo float frames at 44100 Hz and keeps the sum from
// clipping. Who pulls the frames depends on the output: the SDL audio device's callback, a test
// asking for a buffer, or, where there is no sound device, the clock, which moves the voices on
// silently so that a sound still ends when its length has passed.
//
// The SDL callback runs on the audio thread; the mixer's lock guards the voices, and nothing
// else of the engine is touched from that thread.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace orvela {

constexpr int kMixRate = 44100;

// Sound data shared by every channel that plays it: decoded frames, or the encoded file for
// sounds long enough to be streamed.
struct SoundData {
  int rate = kMixRate;                        // frames per second of the source
  int64_t frames = 0;                         // length in source frames
  std::vector<float> pcm;                     // interleaved stereo (decoded sounds)
  std::shared_ptr<std::vector<uint8_t>> ogg;  // the Ogg Vorbis file (streamed sounds)
  bool loop = false;
};

class FrameSource;

// One playing instance of a sound. All fields are guarded by the mixer's lock.
struct Voice {
  Voice();
  ~Voice();
  std::shared_ptr<const SoundData> data;
  std::unique_ptr<FrameSource> source;  // made when first rendered
  int64_t played = 0;                   // output frames played (wrapped for loops)
  bool playing = false;
  bool paused = false;
  bool source_behind = false;  // moved on silently: the source must seek before rendering
  float volume = 1;            // target volume
  float current = 1;           // volume reached (ramps towards volume)
  // Resampling state: the two source frames around the read position.
  float previous[2] = {0, 0};
  float next[2] = {0, 0};
  double fraction = 1;
  bool primed = false;
  // Frames read from the source and not yet used.
  std::vector<float> buffer;
  int buffer_length = 0;
  int buffer_position = 0;
};

class Mixer {
 public:
  // Starts the sound on the voice from its beginning (restarting it if it was playing).
  void Start(const std::shared_ptr<Voice>& voice, std::shared_ptr<const SoundData> data,
             float volume);
  // Adds every playing voice into `frames` stereo frames (cleared first) and moves them on.
  void Render(float* stereo, int frames);
  // Moves every playing voice on without producing sound.
  void Advance(int64_t frames);
  // Voices still playing.
  int Active();
  std::mutex& Lock() { return lock_; }

 private:
  std::mutex lock_;
  std::vector<std::shared_ptr<Voice>> voices_;
  std::vector<float> scratch_;
};

// Length in output frames of a sound.
int64_t OutputFrames(const SoundData& data);

// A platform's sound output: owns the mixer.
class AudioOutput {
 public:
  AudioOutput();
  virtual ~AudioOutput();
  AudioOutput(const AudioOutput&) = delete;
  AudioOutput& operator=(const AudioOutput&) = delete;

  const std::shared_ptr<Mixer>& mixer() const { return mixer_; }
  // Brings the voices up to date where no device pulls them.
  virtual void Update() {}

 protected:
  std::shared_ptr<Mixer> mixer_;
};

// An output without a sound device: the platform clock moves the voices on.
class ClockDrivenAudio : public AudioOutput {
 public:
  using Clock = int64_t (*)(void* context);
  ClockDrivenAudio(Clock clock, void* context);
  void Update() override;
  // Stops following the clock (tests then render by hand with Mix).
  void SetManual(bool manual);
  // Renders frames by hand (manual mode): interleaved stereo.
  std::vector<float> Mix(int frames);

 private:
  Clock clock_;
  void* context_;
  int64_t last_ms_ = -1;
  double pending_frames_ = 0;
  bool manual_ = false;
};

// Decoding of sound files into SoundData; null when the bytes are not a readable Ogg Vorbis
// or WAV file. Sounds longer than stream_seconds keep their Ogg file and stream from it.
std::shared_ptr<SoundData> DecodeSound(const std::vector<uint8_t>& bytes,
                                       double stream_seconds = 10.0);

}  // namespace orvela
