// Sound cues: the sounds the game's events make in one frame, each with the world
// point where it happens. Game code only appends to the list, where the event
// already happens; the shell plays and logs the list after the frame and empties
// it. Nothing in the game reads it back, so sound never changes a rule, a timer or
// a random draw; a null list (tests, or no sound at all) takes nothing.
#pragma once

#include <cstdint>
#include <vector>

enum class SoundId : uint8_t {
  kPistol,
  kPumpGun,
  kAutomatic,
  kGrenadeLauncher,
  kSoldierShot,
  kTurretShot,
  kImpactDust,         // material 0: concrete, brick
  kImpactMetal,        // material 1, and a bullet on a turret
  kImpactElectronics,  // material 2
  kImpactVegetation,   // material 3
  kBodyHit,
  kExplosion,
  kGrenadeBounce,
  kDoorOpen,
  kDoorClose,
  kReloadStart,
  kReloadEnd,
  kEmptyClick,
  kFootstep,
  kCount,
};
constexpr int kSoundCount = static_cast<int>(SoundId::kCount);
constexpr SoundId kNoSound = SoundId::kCount;  // an event without a sound

struct SoundCue {
  SoundId id = kNoSound;
  float x = 0.0f;  // world pixels
  float y = 0.0f;
};

struct SoundCues {
  std::vector<SoundCue> list;  // this frame's cues, in the order the events happened
  uint8_t triggerHeld = 0;     // the left button as the last weapon step saw it (the empty click's edge)
};

// Appends a cue; nothing when `cues` is null or the id is kNoSound.
void CueSound(SoundCues* cues, SoundId id, float x, float y);

// The sound's name: in the sound log, and its file "Data\Sound\NAME.wav".
const char* SoundName(SoundId id);
// How loud the sound plays at full volume (0-1), before the distance falloff.
float SoundGain(SoundId id);

// The shot of weapon table row 1-4; kNoSound for any other row.
SoundId WeaponShotSound(int32_t weaponId);
// The shot of enemy kind 1 or 2; kNoSound for any other kind.
SoundId EnemyShotSound(uint8_t kind);
// A bullet entering a wall of material 0-3; kNoSound for any other material.
SoundId WallImpactSound(uint8_t material);
