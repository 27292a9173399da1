// sfxgen: the WAV files it writes, and the sounds in them measured rather than
// heard (length, level, determinism, and which sounds are darker than which).
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "sfxgen/analysis.h"
#include "sfxgen/recipes.h"
#include "sfxgen/wav.h"
#include "support/temp_dir.h"

namespace {

uint32_t Read(const std::string& bytes, size_t at, int size) {
  uint32_t v = 0;
  for (int i = size - 1; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(bytes[at + static_cast<size_t>(i)]);
  return v;
}

// The samples of a mono 16-bit PCM WAV file as sfxgen writes it; fails the test on
// any other header.
std::vector<int16_t> ParseWav(const std::string& bytes, uint32_t rate) {
  std::vector<int16_t> samples;
  EXPECT_GE(bytes.size(), 44u);
  if (bytes.size() < 44) return samples;
  EXPECT_EQ(bytes.substr(0, 4), "RIFF");
  EXPECT_EQ(Read(bytes, 4, 4), bytes.size() - 8);
  EXPECT_EQ(bytes.substr(8, 8), "WAVEfmt ");
  EXPECT_EQ(Read(bytes, 16, 4), 16u);  // fmt chunk size
  EXPECT_EQ(Read(bytes, 20, 2), 1u);   // PCM
  EXPECT_EQ(Read(bytes, 22, 2), 1u);   // mono
  EXPECT_EQ(Read(bytes, 24, 4), rate);
  EXPECT_EQ(Read(bytes, 28, 4), rate * 2);  // bytes per second
  EXPECT_EQ(Read(bytes, 32, 2), 2u);        // block align
  EXPECT_EQ(Read(bytes, 34, 2), 16u);       // bits per sample
  EXPECT_EQ(bytes.substr(36, 4), "data");
  const uint32_t size = Read(bytes, 40, 4);
  EXPECT_EQ(size, bytes.size() - 44);
  for (size_t at = 44; at + 1 < bytes.size(); at += 2)
    samples.push_back(static_cast<int16_t>(Read(bytes, at, 2)));
  return samples;
}

std::string FileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

sfx::Samples FromPcm(const std::vector<int16_t>& pcm) {
  sfx::Samples samples;
  for (int16_t s : pcm) samples.push_back(static_cast<float>(s) / 32767.0f);
  return samples;
}

}  // namespace

TEST(Wav, HeaderAndSamplesRoundTrip) {
  const std::vector<int16_t> samples = {0, 1, -1, 32767, -32768, 1234};
  EXPECT_EQ(ParseWav(sfx::EncodeWav(samples, 22050), 22050), samples);
  EXPECT_TRUE(ParseWav(sfx::EncodeWav({}, 44100), 44100).empty());
  EXPECT_EQ(sfx::ToPcm16({1.5f, -2.0f, 0.5f, 0.0f}), (std::vector<int16_t>{32767, -32767, 16384, 0}));
}

// Every sound as written to disk: a valid file of the recipe's length, loud but not
// clipped, quiet at its end, and the same bytes every time.
TEST(Sfxgen, EverySoundIsAValidDeterministicAudibleWav) {
  TempDir dir;
  for (int i = 0; i < kSoundCount; ++i) {
    const auto id = static_cast<SoundId>(i);
    SCOPED_TRACE(SoundName(id));
    const sfx::Recipe recipe = sfx::SoundRecipe(id);
    EXPECT_EQ(recipe.name, SoundName(id));
    const std::string path = dir.File(recipe.name + ".wav");
    ASSERT_TRUE(sfx::WriteWav(path, sfx::ToPcm16(sfx::RenderSound(id)), sfx::kSampleRate));
    const std::string bytes = FileBytes(path);
    const std::vector<int16_t> pcm = ParseWav(bytes, sfx::kSampleRate);
    EXPECT_EQ(pcm.size(), static_cast<size_t>(std::lround(recipe.duration * sfx::kSampleRate)));
    EXPECT_GE(recipe.duration, 0.05f);
    EXPECT_LE(recipe.duration, 3.0f);
    const sfx::Measures m = sfx::Measure(FromPcm(pcm));
    EXPECT_NEAR(m.peak, 0.9f, 0.01f);
    EXPECT_GT(m.rms, 0.03f);
    EXPECT_LT(std::abs(pcm.back()), 50);  // faded out, no click at the end
    EXPECT_EQ(sfx::EncodeWav(sfx::ToPcm16(sfx::RenderSound(id)), sfx::kSampleRate), bytes);
    if (i > 0) {
      EXPECT_NE(sfx::RenderSound(static_cast<SoundId>(i - 1)), sfx::RenderSound(id));
    }
  }
}

TEST(Sfxgen, CentroidOfAToneIsItsFrequency) {
  for (float hz : {220.0f, 1000.0f, 4000.0f}) {
    sfx::Samples tone(sfx::kSampleRate / 2);
    for (size_t n = 0; n < tone.size(); ++n) {
      tone[n] = 0.5f * std::sin(6.2831853f * hz * static_cast<float>(n) / sfx::kSampleRate);
    }
    const sfx::Measures m = sfx::Measure(tone);
    EXPECT_NEAR(m.centroidHz, hz, hz * 0.05f + 20.0f);
    EXPECT_NEAR(m.rms, 0.3536f, 0.01f);
    EXPECT_FLOAT_EQ(m.seconds, 0.5f);
  }
}

// Darker sounds below brighter ones: the spectral centroid puts a blast's rumble
// under a pistol's crack, a boot under a dry click, flesh under metal.
TEST(Sfxgen, DarkSoundsSitBelowBrightOnes) {
  const std::pair<SoundId, SoundId> pairs[] = {
      {SoundId::kExplosion, SoundId::kPistol},          {SoundId::kFootstep, SoundId::kEmptyClick},
      {SoundId::kBodyHit, SoundId::kImpactMetal},       {SoundId::kImpactDust, SoundId::kImpactVegetation},
      {SoundId::kGrenadeLauncher, SoundId::kAutomatic}, {SoundId::kDoorClose, SoundId::kTurretShot},
  };
  for (const auto& [dark, bright] : pairs) {
    EXPECT_LT(sfx::Measure(sfx::RenderSound(dark)).centroidHz,
              sfx::Measure(sfx::RenderSound(bright)).centroidHz)
        << SoundName(dark) << " vs " << SoundName(bright);
  }
  // The explosion is the longest sound.
  for (int i = 0; i < kSoundCount; ++i) {
    EXPECT_LE(sfx::SoundRecipe(static_cast<SoundId>(i)).duration,
              sfx::SoundRecipe(SoundId::kExplosion).duration);
  }
}
