// The shell's side of sound: the cue list the game's code appends to during a frame,
// and after the frame each cue placed by where it happened (pan from its screen x,
// volume falling with its distance from the player, nothing beyond a screen away),
// played when a player is open and not muted, and written to the sound log
// (--sound-log FILE) whether played or not, so headless runs log it too.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "effects/sound_cues.h"
#include "platform/sound.h"

struct Camera;
struct Keyboard;
struct Options;
struct Player;

constexpr int kMuteKey = 0x32;  // M

struct SoundStage {
  SoundCues cues;                 // this frame's cues (emptied after the frame)
  SoundPlayer* player = nullptr;  // none when headless or without an audio device
  std::FILE* log = nullptr;       // the sound log, when asked for
  bool muted = false;             // --mute, and M
  bool logFailed = false;         // a line of the log could not be written
};

// What the run asks for: --sound-log opens its file (false with `error` when it
// cannot); --mute starts muted; unless headless the audio device is opened and
// every sound loaded. A run that plays nothing (headless, no audio device) or
// misses sounds says so on stderr only when `verbose`.
bool OpenSoundStage(SoundStage& stage, SoundPlayer& player, const Options& options,
                    const std::string& program, std::string& error);
// Closes the sound log; false when a line of it or the file could not be written.
bool CloseSoundStage(SoundStage& stage);

// The log line of one started sound:
//   {"frame":12,"sound":"automatic","pan":0.0957,"volume":0.7}
std::string SoundLogLine(uint64_t frame, SoundId id, const SoundPlacement& placement);

// Loads every sound from "Data\Sound\NAME.wav" into an open player; returns the
// names that could not be loaded, separated by spaces (empty when all were).
std::string LoadSounds(SoundPlayer& player);

// M released in this frame's keyboard snapshot: mute or unmute (nothing else).
void HandleSoundKeys(SoundStage& stage, const Keyboard& keyboard);

// After a frame: places each cue as heard by a listener at (listenerX, listenerY)
// under `camera`, plays it (unless muted) and logs it, then empties the list.
void PlaySoundCues(SoundStage& stage, uint64_t frame, float listenerX, float listenerY, const Camera& camera);

// A footstep when the walking legs have just stepped (from `legsFrameBefore`) onto
// a frame where a foot comes down: 3 or 8 of the cycle 0-8.
void CueFootstep(const Player& player, int32_t legsFrameBefore, SoundCues* cues);
