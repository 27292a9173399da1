// The placing rule (pan from the screen x, volume falling with distance, nothing
// beyond the reach), the stereo levels, the voice choice, and the player on SDL's
// dummy audio driver.
#include "platform/sound.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "support/temp_dir.h"

TEST(Sound, PlaceSoundPansByScreenXAndFadesWithDistance) {
  struct Case {
    float screenX, distance, gain;
    bool audible;
    float pan, volume;
  };
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const Case cases[] = {
      {512, 0, 0.7f, true, 0.0f, 0.7f},         // the player's own sound: centre, full gain
      {0, 100, 1.0f, true, -1.0f, 1.0f},        // the left edge, within the near distance
      {1024, 128, 1.0f, true, 1.0f, 1.0f},      // the right edge, at the near distance
      {768, 576, 1.0f, true, 0.5f, 0.25f},      // halfway between near and reach: a quarter
      {-500, 900, 1.0f, true, -1.0f, 0.0192f},  // off the screen: held at hard left
      {2000, 1023, 1.0f, true, 1.0f, 0.0f},     // just inside the reach
      {512, 1024, 1.0f, false, 0, 0},           // at the reach and beyond: not heard
      {512, 5000, 1.0f, false, 0, 0},          {512, nan, 1.0f, false, 0, 0},
      {nan, 10, 1.0f, true, 0.0f, 1.0f},       {512, 10, 0.0f, false, 0, 0},  // a sound without gain
  };
  for (const Case& c : cases) {
    const SoundPlacement p = PlaceSound(c.screenX, c.distance, c.gain);
    SCOPED_TRACE(testing::Message() << c.screenX << " " << c.distance);
    EXPECT_EQ(p.audible, c.audible);
    if (!c.audible) continue;
    EXPECT_NEAR(p.pan, c.pan, 1e-4f);
    EXPECT_NEAR(p.volume, c.volume, 1e-3f);
  }
  // Farther is never louder.
  float last = 2.0f;
  for (float d = 0; d < kSoundReach; d += 7.0f) {
    const float v = PlaceSound(512, d, 1.0f).volume;
    EXPECT_LE(v, last) << d;
    last = v;
  }
}

TEST(Sound, PanLevelsKeepThePowerConstant) {
  struct Case {
    float pan;
    int left, right;
  };
  for (const Case& c :
       {Case{-1, 255, 0}, Case{0, 180, 180}, Case{1, 0, 255}, Case{-7, 255, 0}, Case{0.5f, 98, 236}}) {
    const auto levels = PanLevels(c.pan);
    EXPECT_EQ(levels[0], c.left) << c.pan;
    EXPECT_EQ(levels[1], c.right) << c.pan;
    const double power = std::pow(levels[0] / 255.0, 2) + std::pow(levels[1] / 255.0, 2);
    EXPECT_NEAR(power, 1.0, 0.01) << c.pan;
  }
}

TEST(Sound, ChooseVoiceTakesAFreeOneElseDropsTheQuietestThenTheOldest) {
  struct Case {
    std::vector<Voice> voices;
    size_t chosen;
  };
  const Case cases[] = {
      {{{true, 1, 0.5f}, {false, 0, 0.0f}, {false, 0, 0.0f}}, 1},  // the first free voice
      {{{true, 5, 0.5f}, {true, 2, 0.2f}, {true, 9, 0.9f}}, 1},    // all busy: the farthest
      {{{true, 5, 0.3f}, {true, 2, 0.3f}, {true, 9, 0.3f}}, 1},    // equally far: the oldest
      {{{true, 1, 0.9f}, {true, 7, 0.1f}, {true, 3, 0.1f}}, 2},    // the oldest of the farthest
  };
  for (const Case& c : cases) EXPECT_EQ(ChooseVoice(c.voices), c.chosen);
}

namespace {

// A mono 16-bit WAV file of one second of silence at 22050 Hz.
std::string SilentWav() {
  auto put = [](std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xff);
  };
  std::string wav = "RIFF";
  put(wav, 36 + 44100);
  wav += "WAVEfmt ";
  for (uint32_t v : {16u, 1u | (1u << 16), 22050u, 44100u, 2u | (16u << 16)}) put(wav, v);
  wav += "data";
  put(wav, 44100);
  return wav + std::string(44100, '\0');
}

}  // namespace

// SoundPlayer on the dummy driver: a full set of voices gives up its quietest one to
// a new sound; unloaded sounds, a muted or a closed player play nothing.
TEST(Sound, PlayerDropsTheQuietestVoiceOnTheDummyDriver) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  TempDir dir;
  dir.Write("tone.wav", SilentWav());
  SoundPlayer player;
  ASSERT_TRUE(player.Open()) << player.error();
  EXPECT_EQ(player.driver(), "dummy");
  ASSERT_TRUE(player.Load(1, dir.File("tone.wav")));
  EXPECT_FALSE(player.Load(0, dir.File("missing.wav")));
  player.Play(0, 0.0f, 1.0f);  // not loaded: takes no voice
  for (int i = 0; i < kSoundVoices; ++i) player.Play(1, 0.0f, 0.5f + 0.01f * static_cast<float>(i));
  player.Play(1, -1.0f, 0.2f);  // every voice busy for a second: the quietest (voice 0) goes
  EXPECT_FLOAT_EQ(player.voices()[0].volume, 0.2f);
  EXPECT_EQ(player.voices()[0].started, static_cast<uint64_t>(kSoundVoices + 1));
  player.SetMuted(true);
  player.Play(1, 0.0f, 1.0f);
  EXPECT_FLOAT_EQ(player.voices()[0].volume, 0.2f);
  player.Close();
  EXPECT_FALSE(player.open());
  player.Play(1, 0.0f, 1.0f);

  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  SoundPlayer none;
  EXPECT_FALSE(none.Open(true));
  EXPECT_FALSE(none.error().empty());
  unsetenv("SDL_AUDIODRIVER");
}
