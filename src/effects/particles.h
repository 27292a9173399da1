// Particles: smoke, fire, sparks, blood, leaves and debris. Each is one square 3D
// sprite that moves a fixed step every frame and ages (spins, grows, fades, counts
// down its life) on a 0.1 s tick of game time, at most once per frame. Two lists:
// the alpha list is drawn with normal alpha blending, the additive list with
// (source alpha, destination alpha) so that fire and sparks only add light.
#pragma once

#include <cstdint>
#include <vector>

#include "world/map.h"

class SpriteStore;

constexpr float kParticleTickInterval = 0.1f;  // seconds of game time per ageing tick

struct Particle {
  int32_t sprite = 0;          // 3D sprite drawn (40-53)
  float halfSize = 0.0f;       // half the edge of the drawn square, pixels
  float growthPerTick = 0.0f;  // added to halfSize at every tick
  float speed = 0.0f;          // pixels per frame, as given (motion uses vx, vy)
  int16_t heading = 0;         // degrees: 0 up the screen, 90 right, clockwise
  int16_t spinAngle = 0;       // accumulated spin, degrees
  float spinPerTick = 0.0f;    // degrees added to spinAngle at every tick
  int32_t ticksLeft = 0;       // ticks until removal
  float x = 0.0f;              // centre, world pixels
  float y = 0.0f;
  float vx = 0.0f;             // displacement per frame
  float vy = 0.0f;
  float alpha = 255.0f;        // opacity 0-255
  float fadePerTick = 0.0f;    // subtracted from alpha at every tick
};

// A list keeps creation order (newer particles draw over older ones); the walk
// deletes in place by compacting the vector, so deletion is linear per walk and
// no particle has a heap allocation of its own.
using ParticleList = std::vector<Particle>;

// The settings record of the particle system.
struct ParticleSettings {
  const float* clock = nullptr;     // the game clock `now`
  const Camera* camera = nullptr;   // the map's camera
  float tickInterval = 0.0f;        // seconds per ageing tick (0.1 in the game)
  float nextTickAlpha = 0.0f;       // the alpha list ticks when now is past this
  float nextTickAdditive = 0.0f;    // the same for the additive list
};

struct ParticleSystem {
  ParticleSettings settings;
  ParticleList alphaParticles;
  ParticleList additiveParticles;
};

enum class ParticleLayer { kAlpha, kAdditive };

// Stores the clock, the camera and the tick interval; the next-tick times stay 0.
void InitParticleSystem(ParticleSystem& system, const float* clock, const Camera* camera, float tickInterval);

ParticleList& ListOf(ParticleSystem& system, ParticleLayer layer);

// Appends one particle: ticksLeft = round((life - 1) / tickInterval), halfSize =
// size / 2, growth (grow / 2) / ticksLeft, velocity from the heading (0 up, 90
// right), alpha 255 fading by 255 / ticksLeft. A particle of 0 ticks or fewer skips
// the two divisions (it vanishes at its list's next tick before they could show).
void AddParticle(ParticleList& list, float tickInterval, int32_t sprite, float x, float y, float size, float grow,
                 int16_t heading, float speed, float life, float spin);

// Moves every particle of the list by its velocity; when now is strictly past
// nextTick, also ages each one (spin, growth, fade, one tick less), deletes those
// left with fewer than one tick, and sets nextTick = now + tickInterval.
void UpdateParticles(ParticleList& list, float& nextTick, const ParticleSettings& settings);

// Draws every particle of the list under the blending mode in force: zoomed to its
// edge, turned to heading + spin, at its centre minus half its edge, with its alpha.
void DrawParticles(const ParticleList& list, const ParticleSettings& settings, SpriteStore& sprites);

// Frame step 15: update and draw the alpha list under normal blending, switch to
// (source alpha, destination alpha), update and draw the additive list. The
// additive mode stays in force until the lighting pass.
void RunParticles(ParticleSystem& system, SpriteStore& sprites);
