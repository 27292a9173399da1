#include "effects/bursts.h"

#include "base/numbers.h"

namespace {

// R(n) below is one Random(n) draw, 0..n; a is the angle of the bullet behind the burst.

// Where a particle of a row heads (particle headings: 0 up, 90 right).
enum class HeadingRule {
  kAnyWay,    // R(359)
  kBlastWay,  // R(356)
  kOnward,    // a + 90: on along the bullet's flight
  kBack,      // a - 105 + R(30): back along the bullet's path, within 15 degrees
  kUp,        // 0
};

// One row of a recipe. The random columns draw in this order: heading, speed, life,
// spin; a spread of 0 draws nothing.
struct BurstRow {
  ParticleLayer layer;
  int32_t sprite;
  float size;  // edge at creation, pixels
  float grow;  // total growth of the edge, pixels
  HeadingRule heading;
  int32_t speedSpread;  // speed = R(speedSpread) / 10 + speedBase, pixels per frame
  float speedBase;
  float lifeBase;  // life = lifeBase + R(lifeSpread) / 10
  int32_t lifeSpread;
  int32_t spinSpread;  // spin = spinSpread / 2 - R(spinSpread), degrees per tick
};

constexpr ParticleLayer kAlpha = ParticleLayer::kAlpha;
constexpr ParticleLayer kAdditive = ParticleLayer::kAdditive;
using enum HeadingRule;

// Explosion: fire, black smoke, fire flakes.
constexpr BurstRow kE1{kAdditive, kFire1Sprite, 20, 150, kAnyWay, 10, 0.25f, 2.0f, 0, 30};
constexpr BurstRow kE2{kAlpha, kSmokeBlackSprite, 20, 164, kAnyWay, 5, 0.0f, 4.0f, 10, 30};
constexpr BurstRow kE3{kAdditive, kFire2Sprite, 20, 100, kAnyWay, 10, 0.35f, 2.0f, 0, 0};
// Blood of a blast and of a bullet hit.
constexpr BurstRow kB1{kAlpha, kBloodSprite, 15, 45, kBlastWay, 10, 0.75f, 1.5f, 0, 0};
constexpr BurstRow kB2{kAlpha, kBloodSprite, 15, 45, kOnward, 10, 2.75f, 1.25f, 0, 0};
// Wall impacts by material: 0 dust; 1 sparks and smoke; 2 blue sparks, electronics
// and blue smoke; 3 leaves and green smoke.
constexpr BurstRow kW0{kAdditive, kSmokeSprite, 20, 100, kBack, 10, 0.15f, 3.0f, 0, 30};
constexpr BurstRow kW1a{kAdditive, kFunkYellowSprite, 5, 15, kBack, 10, 2.0f, 1.5f, 0, 0};
constexpr BurstRow kW1b{kAdditive, kFunkSprite, 5, 15, kBack, 10, 2.0f, 1.5f, 0, 0};
constexpr BurstRow kW1c{kAdditive, kSmokeSprite, 15, 50, kBack, 10, 0.35f, 1.5f, 0, 30};
constexpr BurstRow kW2a{kAdditive, kFunkBlueSprite, 5, 15, kBack, 10, 2.0f, 1.5f, 0, 0};
constexpr BurstRow kW2b{kAdditive, kFunkSprite, 5, 15, kBack, 10, 2.0f, 1.5f, 0, 0};
constexpr BurstRow kW2c{kAlpha, kElectronicSprite, 18, 18, kAnyWay, 10, 0.5f, 2.0f, 0, 10};
constexpr BurstRow kW2d{kAdditive, kSmokeBlueSprite, 15, 50, kBack, 10, 0.35f, 1.5f, 0, 30};
constexpr BurstRow kW3a{kAlpha, kLeafSprite, 18, 18, kAnyWay, 10, 0.4f, 3.0f, 0, 10};
constexpr BurstRow kW3b{kAdditive, kSmokeGreenSprite, 20, 100, kBack, 10, 0.15f, 3.0f, 0, 30};
// Muzzle fire: gone at the additive list's next tick.
constexpr BurstRow kM1{kAdditive, kFire1Sprite, 32, 48, kUp, 0, 0.0f, 0.01f, 0, 0};
constexpr BurstRow kM2{kAdditive, kFire1Sprite, 16, 32, kUp, 0, 0.0f, 0.01f, 0, 0};

int32_t Roll(Rng& rng, int32_t spread) { return spread > 0 ? rng.Random(spread) : 0; }

float Tenths(Rng& rng, int32_t spread) { return static_cast<float>(Roll(rng, spread)) / 10.0f; }

int16_t HeadingOf(HeadingRule rule, float angle, Rng& rng) {
  switch (rule) {
    case kAnyWay:
      return static_cast<int16_t>(rng.Random(359));
    case kBlastWay:
      return static_cast<int16_t>(rng.Random(356));
    case kOnward:
      return static_cast<int16_t>(RoundInt(angle + 90.0f));
    case kBack:
      return static_cast<int16_t>(RoundInt(angle - 105.0f + static_cast<float>(rng.Random(30))));
    case kUp:
      break;
  }
  return 0;
}

// One particle of a row at (x, y); angle is the bullet's, where the row uses it.
void Emit(BurstTargets& fx, const BurstRow& row, float x, float y, float angle = 0.0f) {
  const int16_t heading = HeadingOf(row.heading, angle, fx.rng);
  const float speed = Tenths(fx.rng, row.speedSpread) + row.speedBase;
  const float life = row.lifeBase + Tenths(fx.rng, row.lifeSpread);
  const float spin = static_cast<float>(row.spinSpread / 2 - Roll(fx.rng, row.spinSpread));
  AddParticle(ListOf(fx.particles, row.layer), fx.particles.settings.tickInterval, row.sprite, x, y, row.size, row.grow,
              heading, speed, life, spin);
}

void Flash(BurstTargets& fx, int32_t sprite, float x, float y, int16_t size, float duration) {
  AddTimedLight(fx.timedLights, fx.now, sprite, RoundInt(x), RoundInt(y), size, size, 0, duration);
}

}  // namespace

void SpawnExplosion(BurstTargets& fx, float x, float y) {
  CueSound(fx.cues, SoundId::kExplosion, x, y);
  for (int i = 0; i < 5; ++i) {
    Emit(fx, kE1, x, y);
    Emit(fx, kE2, x, y);
  }
  for (int i = 0; i < 7; ++i) Emit(fx, kE3, x, y);
  // Two flashes: together for 0.75 s, then one until 1.0 s.
  Flash(fx, kFlashSprite, x, y, 256, 0.75f);
  Flash(fx, kFlashSprite, x, y, 256, 1.0f);
}

void SpawnBlastBlood(BurstTargets& fx, float x, float y) {
  for (int i = 0; i < 5; ++i) Emit(fx, kB1, x, y);
}

void SpawnHitBlood(BurstTargets& fx, float x, float y, float angle) {
  for (int i = 0; i < 3; ++i) Emit(fx, kB2, x, y, angle);
}

void SpawnWallImpact(BurstTargets& fx, uint8_t material, float x, float y, float angle) {
  CueSound(fx.cues, WallImpactSound(material), x, y);
  switch (material) {
    case 0:
      for (int i = 0; i < 9; ++i) Emit(fx, kW0, x, y, angle);
      break;
    case 1:
      for (int i = 0; i < 4; ++i) {
        Emit(fx, kW1a, x, y, angle);
        Emit(fx, kW1b, x, y, angle);
        Emit(fx, kW1c, x, y, angle);
      }
      Flash(fx, kFlashSprite, x, y, 96, 0.4f);
      break;
    case 2:
      for (int i = 0; i < 2; ++i) {
        Emit(fx, kW2a, x, y, angle);
        Emit(fx, kW2b, x, y, angle);
        Emit(fx, kW2c, x, y, angle);
        Emit(fx, kW2d, x, y, angle);
      }
      Flash(fx, kBlueFlashSprite, x, y, 192, 0.4f);
      break;
    case 3:
      for (int i = 0; i < 3; ++i) Emit(fx, kW3a, x, y, angle);
      for (int i = 0; i < 3; ++i) Emit(fx, kW3b, x, y, angle);
      break;
    default:
      break;  // any other material shows nothing
  }
}

void SpawnMuzzleFire(BurstTargets& fx, float x, float y, bool spread) {
  Emit(fx, spread ? kM2 : kM1, x, y);
  Flash(fx, kFlashSprite, x, y, spread ? 48 : 192, 0.025f);
}
