#include "effects/particles.h"

#include <cmath>

#include "base/numbers.h"
#include "render/renderer.h"
#include "render/sprites.h"

namespace {

constexpr float kRadiansPerDegree = 0.0174532905f;

// One tick of ageing: spin, growth, fade, one tick less. False when the particle
// has fewer than one tick left and goes.
bool AgeParticle(Particle& p) {
  p.spinAngle = static_cast<int16_t>(RoundInt(static_cast<float>(p.spinAngle) + p.spinPerTick));
  p.halfSize += p.growthPerTick;
  p.alpha -= p.fadePerTick;
  // ticksLeft - 1 < 1, written so that no tick count can overflow.
  if (p.ticksLeft < 2) return false;
  p.ticksLeft -= 1;
  return true;
}

}  // namespace

void InitParticleSystem(ParticleSystem& system, const float* clock, const Camera* camera, float tickInterval) {
  system.settings.clock = clock;
  system.settings.camera = camera;
  system.settings.tickInterval = tickInterval;
  system.settings.nextTickAlpha = 0.0f;
  system.settings.nextTickAdditive = 0.0f;
}

ParticleList& ListOf(ParticleSystem& system, ParticleLayer layer) {
  return layer == ParticleLayer::kAlpha ? system.alphaParticles : system.additiveParticles;
}

void AddParticle(ParticleList& list, float tickInterval, int32_t sprite, float x, float y, float size, float grow,
                 int16_t heading, float speed, float life, float spin) {
  Particle p;
  p.sprite = sprite;
  p.x = x;
  p.y = y;
  p.heading = heading;
  p.speed = speed;
  p.spinPerTick = spin;
  p.spinAngle = 0;
  p.ticksLeft = RoundInt((life - 1.0f) / tickInterval);
  p.halfSize = size / 2.0f;
  const float radians = static_cast<float>(heading) * kRadiansPerDegree;
  p.vx = std::sin(radians) * speed;
  p.vy = -std::cos(radians) * speed;
  p.alpha = 255.0f;
  // A particle of no ticks goes at its list's next tick, before growth or fade
  // could show, so it keeps both at 0 rather than divide by its count.
  if (p.ticksLeft > 0) {
    const float ticks = static_cast<float>(p.ticksLeft);
    p.growthPerTick = (grow / 2.0f) / ticks;
    p.fadePerTick = 255.0f / ticks;
  }
  list.push_back(p);
}

void UpdateParticles(ParticleList& list, float& nextTick, const ParticleSettings& settings) {
  const float now = *settings.clock;
  const bool tick = now > nextTick;
  size_t kept = 0;
  for (size_t i = 0; i < list.size(); ++i) {
    Particle& p = list[i];
    p.x += p.vx;
    p.y += p.vy;
    if (tick && !AgeParticle(p)) continue;  // deleted: the walk goes on with the next one
    if (kept != i) list[kept] = p;
    ++kept;
  }
  list.resize(kept);
  // Counted from now, not from the due time: a late tick is not made up.
  if (tick) nextTick = now + settings.tickInterval;
}

void DrawParticles(const ParticleList& list, const ParticleSettings& settings, SpriteStore& sprites) {
  const float cameraX = static_cast<float>(settings.camera->x);
  const float cameraY = static_cast<float>(settings.camera->y);
  for (const Particle& p : list) {
    const int32_t edge = RoundInt(2.0f * p.halfSize);
    const float sx = p.x - cameraX - p.halfSize;
    const float sy = p.y - cameraY - p.halfSize;
    sprites.Zoom(p.sprite, edge, edge);
    sprites.Rotate(p.sprite, static_cast<float>(p.heading + p.spinAngle), 0);
    sprites.Display(p.sprite, RoundInt(sx), RoundInt(sy), RoundInt(p.alpha));
  }
}

void RunParticles(ParticleSystem& system, SpriteStore& sprites) {
  ParticleSettings& settings = system.settings;
  UpdateParticles(system.alphaParticles, settings.nextTickAlpha, settings);
  DrawParticles(system.alphaParticles, settings, sprites);
  sprites.SetBlendMode(kBlendSrcAlpha, kBlendDstAlpha);
  UpdateParticles(system.additiveParticles, settings.nextTickAdditive, settings);
  DrawParticles(system.additiveParticles, settings, sprites);
}
