// Sound: short sounds played with SDL_mixer on a fixed number of voices, each placed
// in the stereo field and made quieter with distance. The placing rule and the
// choice of a voice are plain functions (tested without a device); SoundPlayer is the
// only code that talks to SDL_mixer.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct Mix_Chunk;

constexpr int kSoundVoices = 16;
constexpr float kSoundScreenWidth = 1024.0f;
// An event this far from the listener or farther is not heard at all: one screen
// width, so everything on the screen and a margin beyond its edges is heard.
constexpr float kSoundReach = 1024.0f;
// Within this distance a sound plays at its full volume.
constexpr float kSoundNear = 128.0f;

struct SoundPlacement {
  bool audible = false;
  float pan = 0.0f;     // -1 hard left, 0 centre, 1 hard right
  float volume = 0.0f;  // 0-1
};

// Where a sound at screen x sits (0 left edge, 1024 right edge; beyond the screen
// it is held at hard left or right), and how loud it plays at `distance` pixels
// from the listener: gain within kSoundNear, falling as the square of the remaining
// share of the reach to 0 at kSoundReach; from kSoundReach on (or with a distance
// that is not a number) it is not audible.
SoundPlacement PlaceSound(float screenX, float distance, float gain);

// The left and right levels (0-255) of a pan, keeping the power constant: 255 and 0
// at hard left, 180 and 180 at the centre.
std::array<uint8_t, 2> PanLevels(float pan);

struct Voice {
  bool busy = false;
  uint64_t started = 0;  // order in which the voices were started (larger: newer)
  float volume = 0.0f;   // the volume its sound was placed at
};

// The voice a new sound takes: the first free one; when every voice is busy, the
// quietest (the farthest) is dropped, and of equally quiet ones the oldest.
size_t ChooseVoice(std::span<const Voice> voices);

class SoundPlayer {
 public:
  SoundPlayer() = default;
  ~SoundPlayer();
  SoundPlayer(const SoundPlayer&) = delete;
  SoundPlayer& operator=(const SoundPlayer&) = delete;

  // Opens the audio device (the driver SDL_AUDIODRIVER names, else the system's)
  // with kSoundVoices voices. False with a message in error() when there is none.
  // `quiet` keeps the system's audio libraries from writing to stderr meanwhile.
  bool Open(bool quiet = false);
  void Close();
  bool open() const { return open_; }
  const std::string& error() const { return error_; }
  // The audio driver in use (empty while closed).
  std::string driver() const;

  // Loads sound `index` from a WAV file at a host path; false when it cannot be
  // read (that sound then stays silent).
  bool Load(size_t index, const std::string& path);
  // Starts sound `index` at a pan and volume on the voice ChooseVoice picks; nothing
  // while muted or closed, or for a sound that is not loaded.
  void Play(size_t index, float pan, float volume);
  // Muting stops every voice at once; sounds started while muted are not played.
  void SetMuted(bool muted);
  // Stops every sound still playing (a restarted map starts in silence).
  void StopAll();
  bool muted() const { return muted_; }
  // The master volume, 0-1, over every voice (kept while closed, applied on Open).
  void SetMasterVolume(float volume);
  // The voices as the last Play left them.
  const std::array<Voice, kSoundVoices>& voices() const { return voices_; }

 private:
  std::vector<Mix_Chunk*> chunks_;
  std::array<Voice, kSoundVoices> voices_{};
  uint64_t started_ = 0;
  bool open_ = false;
  bool muted_ = false;
  float masterVolume_ = 1.0f;
  std::string error_;
};
