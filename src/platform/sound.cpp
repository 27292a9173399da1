#include "platform/sound.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr int kOutputRate = 44100;
constexpr int kOutputChannels = 2;
constexpr int kChunkSamples = 1024;  // about 23 ms of latency at 44.1 kHz
constexpr float kQuarterPi = 0.785398163f;

// Points stderr at /dev/null for its lifetime: the system's audio libraries write
// their own complaints there when a machine has no sound card.
class QuietStderr {
 public:
  explicit QuietStderr(bool quiet) {
    if (!quiet) return;
    std::fflush(stderr);
    saved_ = dup(STDERR_FILENO);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved_ >= 0 && null >= 0) dup2(null, STDERR_FILENO);
    if (null >= 0) close(null);
  }
  ~QuietStderr() {
    if (saved_ < 0) return;
    std::fflush(stderr);
    dup2(saved_, STDERR_FILENO);
    close(saved_);
  }
  QuietStderr(const QuietStderr&) = delete;
  QuietStderr& operator=(const QuietStderr&) = delete;

 private:
  int saved_ = -1;
};

}  // namespace

SoundPlacement PlaceSound(float screenX, float distance, float gain) {
  if (!(distance < kSoundReach) || !(gain > 0.0f)) return {};
  const float share = std::clamp((kSoundReach - distance) / (kSoundReach - kSoundNear), 0.0f, 1.0f);
  const float pan =
      std::isnan(screenX) ? 0.0f : std::clamp(screenX / kSoundScreenWidth * 2.0f - 1.0f, -1.0f, 1.0f);
  return {true, pan, std::min(gain, 1.0f) * share * share};
}

std::array<uint8_t, 2> PanLevels(float pan) {
  const float angle = (std::clamp(pan, -1.0f, 1.0f) + 1.0f) * kQuarterPi;
  return {static_cast<uint8_t>(std::lround(255.0f * std::cos(angle))),
          static_cast<uint8_t>(std::lround(255.0f * std::sin(angle)))};
}

size_t ChooseVoice(std::span<const Voice> voices) {
  size_t chosen = 0;
  for (size_t i = 0; i < voices.size(); ++i) {
    const Voice& v = voices[i];
    if (!v.busy) return i;
    const Voice& best = voices[chosen];
    if (v.volume < best.volume || (v.volume == best.volume && v.started < best.started)) chosen = i;
  }
  return chosen;
}

SoundPlayer::~SoundPlayer() {
  Close();
}

bool SoundPlayer::Open(bool quiet) {
  if (open_) return true;
  QuietStderr silence(quiet);
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    error_ = std::string("no audio: ") + SDL_GetError();
    return false;
  }
  if (Mix_OpenAudio(kOutputRate, MIX_DEFAULT_FORMAT, kOutputChannels, kChunkSamples) != 0) {
    error_ = std::string("no audio device: ") + Mix_GetError();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  Mix_AllocateChannels(kSoundVoices);
  voices_ = {};
  open_ = true;
  SetMasterVolume(masterVolume_);
  return true;
}

void SoundPlayer::Close() {
  if (!open_) return;
  Mix_HaltChannel(-1);
  for (Mix_Chunk*& chunk : chunks_) {
    if (chunk != nullptr) Mix_FreeChunk(chunk);
    chunk = nullptr;
  }
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  open_ = false;
}

std::string SoundPlayer::driver() const {
  const char* name = open_ ? SDL_GetCurrentAudioDriver() : nullptr;
  return name != nullptr ? name : "";
}

bool SoundPlayer::Load(size_t index, const std::string& path) {
  if (!open_) return false;
  if (chunks_.size() <= index) chunks_.resize(index + 1, nullptr);
  if (chunks_[index] != nullptr) Mix_FreeChunk(chunks_[index]);
  chunks_[index] = Mix_LoadWAV(path.c_str());
  return chunks_[index] != nullptr;
}

void SoundPlayer::Play(size_t index, float pan, float volume) {
  if (!open_ || muted_ || index >= chunks_.size() || chunks_[index] == nullptr) return;
  for (int i = 0; i < kSoundVoices; ++i) voices_[static_cast<size_t>(i)].busy = Mix_Playing(i) != 0;
  const size_t voice = ChooseVoice(voices_);
  const int channel = static_cast<int>(voice);
  if (voices_[voice].busy) Mix_HaltChannel(channel);
  const std::array<uint8_t, 2> levels = PanLevels(pan);
  Mix_SetPanning(channel, levels[0], levels[1]);
  Mix_Volume(channel, static_cast<int>(std::lround(std::clamp(volume, 0.0f, 1.0f) * MIX_MAX_VOLUME)));
  if (Mix_PlayChannel(channel, chunks_[index], 0) < 0) return;
  voices_[voice] = {true, ++started_, volume};
}

void SoundPlayer::SetMasterVolume(float volume) {
  masterVolume_ = std::clamp(volume, 0.0f, 1.0f);
  if (open_) Mix_MasterVolume(static_cast<int>(std::lround(masterVolume_ * MIX_MAX_VOLUME)));
}

void SoundPlayer::StopAll() {
  if (open_) Mix_HaltChannel(-1);
  for (Voice& voice : voices_) voice.busy = false;
}

void SoundPlayer::SetMuted(bool muted) {
  muted_ = muted;
  if (muted_ && open_) Mix_HaltChannel(-1);
}
