// Bursts: the fixed recipes of particles and short flash lights that every visible
// reaction to a shot or a blast is made of. A recipe runs to completion at one point
// in one frame; each particle draws its own random numbers, in the order of the
// recipe's columns (heading, speed, life, spin).
#pragma once

#include <cstdint>
#include <vector>

#include "effects/lighting.h"
#include "effects/particles.h"
#include "effects/sound_cues.h"
#include "base/random.h"

// Particle and flash images of the recipes.
constexpr int kSmokeSprite = 40;
constexpr int kSmokeBlueSprite = 42;
constexpr int kSmokeGreenSprite = 43;
constexpr int kFunkSprite = 45;
constexpr int kFunkYellowSprite = 46;
constexpr int kFunkBlueSprite = 47;
constexpr int kElectronicSprite = 48;
constexpr int kLeafSprite = 49;
constexpr int kBloodSprite = 50;
constexpr int kFire1Sprite = 51;
constexpr int kFire2Sprite = 52;
constexpr int kSmokeBlackSprite = 53;
constexpr int kFlashSprite = 59;       // "Data\GFX\Light\005.png"
constexpr int kBlueFlashSprite = 60;   // "Data\GFX\Light\006.png"

// What a burst writes to: the two particle lists, the timed lights, the game's
// random numbers, and the clock for the flashes' lifetimes. `cues` collects the
// sounds of the frame's events (null: none); nothing reads it back.
struct BurstTargets {
  ParticleSystem& particles;
  std::vector<TimedLight>& timedLights;
  Rng& rng;
  float now;
  SoundCues* cues = nullptr;
};

// A grenade going off, or a turret destroyed: five times fire (additive) then black
// smoke (alpha), seven fire flakes, and two 256x256 flashes of 0.75 s and 1.0 s.
void SpawnExplosion(BurstTargets& fx, float x, float y);
// A body inside a blast radius: five blood particles in every direction (0-356).
void SpawnBlastBlood(BurstTargets& fx, float x, float y);
// A bullet hitting a body: three blood particles flying on along the bullet's angle.
void SpawnHitBlood(BurstTargets& fx, float x, float y, float angle);
// A bullet entering a blocking cell: dust (material 0), sparks and a flash (1),
// blue sparks, electronics and a blue flash (2), leaves and green smoke (3),
// nothing for any other material. The debris flies back toward the shooter.
void SpawnWallImpact(BurstTargets& fx, uint8_t material, float x, float y, float angle);
// A gun firing bullets: one fire particle that lives until its list's next tick
// and a 0.025 s flash, 192x192 for a single bullet, 48x48 (and a smaller particle)
// for the pellet spread.
void SpawnMuzzleFire(BurstTargets& fx, float x, float y, bool spread);
