// Sounds and channels on the headless output: mixing, volume, pause, the end of a sound,
// gapless loops, silent playback following the clock, and unreadable files.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/audio/audio.h"
#include "engine/audio/sound.h"
#include "support/headless.h"

namespace orvela {
namespace {

using testing::HeadlessTest;
using testing::WriteBytes;

std::string Le16(int v) {
  return {static_cast<char>(v & 255), static_cast<char>((v >> 8) & 255)};
}
std::string Le32(int v) {
  return Le16(v & 0xFFFF) + Le16((v >> 16) & 0xFFFF);
}

// A mono 16-bit 44100 Hz WAV file of the given samples.
std::string Wav(const std::vector<int16_t>& samples) {
  std::string data;
  for (int16_t s : samples) data += Le16(s);
  std::string fmt = Le16(1) + Le16(1) + Le32(44100) + Le32(88200) + Le16(2) + Le16(16);
  return "RIFF" + Le32(static_cast<int>(36 + data.size())) + "WAVE" + "fmt " + Le32(16) + fmt +
         "data" + Le32(static_cast<int>(data.size())) + data;
}

class SoundTest : public HeadlessTest {
 protected:
  SoundTest() { platform().HeadlessAudio().SetManual(true); }
  // A sound of `frames` frames at a constant level (in 1/32768 steps).
  SoundRef Constant(int frames, int level, int flags = 0) {
    return Load(std::vector<int16_t>(frames, static_cast<int16_t>(level)), flags);
  }
  SoundRef Load(const std::vector<int16_t>& samples, int flags = 0) {
    const auto file = TempDir() / ("s" + std::to_string(counter_++) + ".wav");
    WriteBytes(file, Wav(samples));
    return TSound::Load(file.string(), flags);
  }
  std::vector<float> Mix(int frames) { return platform().HeadlessAudio().Mix(frames); }
  int counter_ = 0;
};

constexpr float kStep = 1.0f / 32768;

TEST_F(SoundTest, OverlappingSoundsAddAndVolumeScales) {
  SoundRef a = Constant(1000, 4096), b = Constant(1000, 2048);
  ASSERT_TRUE(a && b);
  EXPECT_NEAR(a->Seconds(), 1000.0 / 44100, 1e-9);
  ChannelRef ca = a->Play();
  ChannelRef cb = b->Play();
  auto out = Mix(10);
  EXPECT_NEAR(out[0], 6144 * kStep, 1e-6);  // left
  EXPECT_NEAR(out[1], 6144 * kStep, 1e-6);  // right: mono goes to both
  cb->Stop();
  ca->SetVolume(0.5f);  // reached after a short ramp
  out = Mix(400);
  EXPECT_NEAR(out[399 * 2], 2048 * kStep, 1e-6);
  EXPECT_EQ(ca->Playing(), 1);
  ca->SetVolume(-0.5f);  // below the range: silence
  out = Mix(400);
  EXPECT_NEAR(out[399 * 2], 0.0f, 1e-7);
}

TEST_F(SoundTest, LoudSumsAreKeptFromClipping) {
  std::vector<ChannelRef> channels;
  for (int i = 0; i < 6; ++i) channels.push_back(Constant(100, 30000)->Play());
  for (float v : Mix(50)) {
    EXPECT_LE(v, 1.0f);
    EXPECT_GT(v, 0.9f);
  }
}

TEST_F(SoundTest, PausedChannelHoldsItsPlace) {
  std::vector<int16_t> ramp;
  for (int i = 0; i < 200; ++i) ramp.push_back(static_cast<int16_t>(i * 100));
  ChannelRef c = Load(ramp)->Play();
  Mix(50);
  c->SetPaused(1);
  auto out = Mix(30);
  EXPECT_EQ(out[0], 0.0f);
  EXPECT_EQ(c->Playing(), 1);
  c->SetPaused(0);
  out = Mix(1);
  EXPECT_NEAR(out[0], 5000 * kStep, 1e-6);  // frame 50 comes next
}

TEST_F(SoundTest, NonLoopingSoundEndsAndLoopWrapsWithoutAGap) {
  ChannelRef once = Constant(100, 1000)->Play();
  Mix(99);
  EXPECT_EQ(once->Playing(), 1);
  Mix(1);
  EXPECT_EQ(once->Playing(), 0);
  EXPECT_EQ(Mix(1)[0], 0.0f);

  std::vector<int16_t> ramp;
  for (int i = 0; i < 64; ++i) ramp.push_back(static_cast<int16_t>((i + 1) * 100));
  ChannelRef loop = Load(ramp, SOUND_LOOP)->Play();
  const auto out = Mix(64 * 3 + 5);
  for (int i = 0; i < 64 * 3 + 5; ++i) {
    ASSERT_NEAR(out[i * 2], ((i % 64) + 1) * 100 * kStep, 1e-6) << "frame " << i;
  }
  EXPECT_EQ(loop->Playing(), 1);
}

TEST_F(SoundTest, ReplayingOnAChannelRestartsIt) {
  SoundRef a = Constant(1000, 1000), b = Constant(1000, 3000);
  ChannelRef c = a->Play();
  Mix(10);
  EXPECT_EQ(b->Play(c), c);
  EXPECT_NEAR(Mix(1)[0], 3000 * kStep, 1e-6);
}

TEST_F(SoundTest, DroppedChannelsPlayOn) {
  Constant(100, 1000)->Play();  // nobody keeps the channel
  EXPECT_NEAR(Mix(1)[0], 1000 * kStep, 1e-6);
}

TEST_F(SoundTest, WithoutADeviceSoundsFollowTheClock) {
  platform().HeadlessAudio().SetManual(false);
  ChannelRef once = Constant(4410, 1000)->Play();  // 100 ms
  ChannelRef loop = Constant(4410, 1000, SOUND_LOOP)->Play();
  platform().AdvanceClock(60);
  EXPECT_EQ(once->Playing(), 1);
  platform().AdvanceClock(60);
  EXPECT_EQ(once->Playing(), 0);
  platform().AdvanceClock(5000);
  EXPECT_EQ(loop->Playing(), 1);
  loop->Stop();
  EXPECT_EQ(loop->Playing(), 0);
}

TEST_F(SoundTest, GameSoundFilesDecode) {
  SoundRef click = TSound::Load("sfx/tamli-klik-over1.ogg", 0);
  ASSERT_TRUE(click);
  EXPECT_GT(click->Seconds(), 0.02);
  EXPECT_LT(click->Seconds(), 2.0);
  SoundRef music = TSound::Load("sfx/puzzle.ogg", SOUND_LOOP);
  ASSERT_TRUE(music);
  EXPECT_TRUE(music->Loops());
  EXPECT_GE(music->Seconds(), 60.0);
  EXPECT_TRUE(music->Data()->ogg);  // long enough to stream from its file
  music->Play();
  const auto out = Mix(44100);
  float loudest = 0;
  for (float v : out) loudest = std::max(loudest, std::fabs(v));
  EXPECT_GT(loudest, 0.01f);
  EXPECT_LE(loudest, 1.0f);
}

TEST_F(SoundTest, MissingOrCorruptFilesGiveNull) {
  EXPECT_FALSE(TSound::Load((TempDir() / "none.ogg").string(), 0));
  WriteBytes(TempDir() / "bad.ogg", "OggS but not really an ogg file at all");
  EXPECT_FALSE(TSound::Load((TempDir() / "bad.ogg").string(), 0));
  const std::string wav = Wav(std::vector<int16_t>(100, 5));
  WriteBytes(TempDir() / "cut.wav", wav.substr(0, 30));
  EXPECT_FALSE(TSound::Load((TempDir() / "cut.wav").string(), 0));
  WriteBytes(TempDir() / "noise.wav", "just some bytes");
  EXPECT_FALSE(TSound::Load((TempDir() / "noise.wav").string(), 0));
}

}  // namespace
}  // namespace orvela
