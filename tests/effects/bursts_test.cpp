#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "effects/bursts.h"
#include "support/world_fixture.h"

namespace {

constexpr uint64_t kSeed = 20240611;

struct BurstWorld {
  float now = 5.0f;
  Camera camera{0, 0};
  ParticleSystem system;
  std::vector<TimedLight> lights;
  Rng rng{kSeed};
  BurstTargets fx{system, lights, rng, now};
  BurstWorld() { InitParticleSystem(system, &now, &camera, kParticleTickInterval); }
};

std::vector<int> SpritesOf(const ParticleList& list) {
  std::vector<int> sprites;
  for (const Particle& p : list) sprites.push_back(p.sprite);
  return sprites;
}

std::vector<int> Repeat(std::initializer_list<int> group, int times) {
  std::vector<int> out;
  for (int i = 0; i < times; ++i) out.insert(out.end(), group);
  return out;
}

std::vector<int> Join(std::vector<int> a, const std::vector<int>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

void ExpectFlash(const TimedLight& light, int sprite, int x, int y, int size, float expiresAt) {
  EXPECT_EQ(light.sprite, sprite);
  EXPECT_EQ(light.x, x);
  EXPECT_EQ(light.y, y);
  EXPECT_EQ(light.width, size);
  EXPECT_EQ(light.height, size);
  EXPECT_EQ(light.angle, 0);
  EXPECT_FLOAT_EQ(light.expiresAt, expiresAt);
}

// The columns a particle drew, for comparison with a generator drawn by hand.
void ExpectDrawn(const Particle& p, int heading, float speed, int ticks, float spin) {
  EXPECT_EQ(p.heading, heading);
  EXPECT_FLOAT_EQ(p.speed, speed);
  EXPECT_EQ(p.ticksLeft, ticks);
  EXPECT_FLOAT_EQ(p.spinPerTick, spin);
}

float Tenths(Rng& rng, int n) { return static_cast<float>(rng.Random(n)) / 10.0f; }

}  // namespace

TEST(SpawnExplosion, FireSmokeFlakesAndTwoFlashesDrawnColumnByColumn) {
  BurstWorld w;
  SpawnExplosion(w.fx, 100.5f, 201.5f);
  EXPECT_EQ(SpritesOf(w.system.additiveParticles), Join(Repeat({51}, 5), Repeat({52}, 7)));
  EXPECT_EQ(SpritesOf(w.system.alphaParticles), Repeat({53}, 5));
  ASSERT_EQ(w.lights.size(), 2u);
  ExpectFlash(w.lights[0], 59, 100, 202, 256, 5.75f);  // centre rounded, halves to even
  ExpectFlash(w.lights[1], 59, 100, 202, 256, 6.0f);

  Rng hand(kSeed);  // five times E1 then E2, then seven E3
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    const int h1 = hand.Random(359);
    const float s1 = Tenths(hand, 10) + 0.25f;
    const float spin1 = static_cast<float>(15 - hand.Random(30));
    ExpectDrawn(w.system.additiveParticles[i], h1, s1, 10, spin1);
    const int h2 = hand.Random(359);
    const float s2 = Tenths(hand, 5);
    const int ticks2 = 30 + hand.Random(10);
    const float spin2 = static_cast<float>(15 - hand.Random(30));
    ExpectDrawn(w.system.alphaParticles[i], h2, s2, ticks2, spin2);
  }
  for (int i = 5; i < 12; ++i) {
    const int h = hand.Random(359);
    const float s = Tenths(hand, 10) + 0.35f;
    ExpectDrawn(w.system.additiveParticles[i], h, s, 10, 0.0f);
  }
  EXPECT_EQ(w.rng.Random(1000000), hand.Random(1000000));  // nothing else was drawn
  EXPECT_FLOAT_EQ(w.system.additiveParticles[0].halfSize, 10.0f);
  EXPECT_FLOAT_EQ(w.system.additiveParticles[0].growthPerTick, 7.5f);
}

TEST(SpawnWallImpact, RecipeByMaterial) {
  struct Case {
    int material;
    std::vector<int> additive;
    std::vector<int> alpha;
    int flashSprite;  // 0: no flash
    int flashSize;
  };
  const Case cases[] = {
      {0, Repeat({40}, 9), {}, 0, 0},
      {1, Repeat({46, 45, 40}, 4), {}, 59, 96},
      {2, Repeat({47, 45, 42}, 2), {48, 48}, 60, 192},
      {3, Repeat({43}, 3), Repeat({49}, 3), 0, 0},
      {4, {}, {}, 0, 0},
      {7, {}, {}, 0, 0},
      {255, {}, {}, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.material);
    BurstWorld w;
    SpawnWallImpact(w.fx, static_cast<uint8_t>(c.material), 300.0f, 40.5f, 0.0f);
    EXPECT_EQ(SpritesOf(w.system.additiveParticles), c.additive);
    EXPECT_EQ(SpritesOf(w.system.alphaParticles), c.alpha);
    if (c.flashSprite == 0) {
      EXPECT_TRUE(w.lights.empty());
    } else {
      ASSERT_EQ(w.lights.size(), 1u);
      ExpectFlash(w.lights[0], c.flashSprite, 300, 40, c.flashSize, 5.4f);
    }
  }
}

TEST(SpawnWallImpact, ElectronicsMaterialDrawsEachRowInColumnOrder) {
  BurstWorld w;
  const float a = 37.4f;
  SpawnWallImpact(w.fx, 2, 0.0f, 0.0f, a);
  Rng hand(kSeed);
  const auto back = [&] { return static_cast<int>(std::lrint(a - 105.0f + static_cast<float>(hand.Random(30)))); };
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    for (int spark = 0; spark < 2; ++spark) {  // W2a, W2b
      const int h = back();
      ExpectDrawn(w.system.additiveParticles[3 * i + spark], h, Tenths(hand, 10) + 2.0f, 5, 0.0f);
    }
    const int h = hand.Random(359);  // W2c
    const float s = Tenths(hand, 10) + 0.5f;
    ExpectDrawn(w.system.alphaParticles[i], h, s, 10, static_cast<float>(5 - hand.Random(10)));
    const int hd = back();  // W2d
    const float sd = Tenths(hand, 10) + 0.35f;
    ExpectDrawn(w.system.additiveParticles[3 * i + 2], hd, sd, 5, static_cast<float>(15 - hand.Random(30)));
  }
}

TEST(Bursts, HeadingRanges) {
  BurstWorld w;
  int dustLow = 1000, dustHigh = -1000, bloodLow = 1000, bloodHigh = -1000;
  for (int i = 0; i < 300; ++i) {
    SpawnWallImpact(w.fx, 0, 0.0f, 0.0f, 0.0f);  // a bullet flying right: dust flies back left
    SpawnBlastBlood(w.fx, 0.0f, 0.0f);
  }
  for (const Particle& p : w.system.additiveParticles) {
    dustLow = std::min<int>(dustLow, p.heading);
    dustHigh = std::max<int>(dustHigh, p.heading);
    EXPECT_LT(p.vx, 0.0f);
  }
  for (const Particle& p : w.system.alphaParticles) {
    bloodLow = std::min<int>(bloodLow, p.heading);
    bloodHigh = std::max<int>(bloodHigh, p.heading);
  }
  EXPECT_EQ(dustLow, -105);
  EXPECT_EQ(dustHigh, -75);
  EXPECT_EQ(bloodLow, 0);
  EXPECT_EQ(bloodHigh, 356);  // never 357-359

  // Hit blood flies on along the bullet: a + 90 rounded, halves to even.
  const float angles[] = {0.0f, 0.5f, 1.5f, -90.0f, 179.6f};
  const int headings[] = {90, 90, 92, 0, 270};
  for (int i = 0; i < 5; ++i) {
    BurstWorld hit;
    SpawnHitBlood(hit.fx, 10.0f, 10.0f, angles[i]);
    ASSERT_EQ(hit.system.alphaParticles.size(), 3u);
    for (const Particle& p : hit.system.alphaParticles) {
      EXPECT_EQ(p.heading, headings[i]) << angles[i];
      EXPECT_EQ(p.sprite, 50);
      EXPECT_EQ(p.ticksLeft, 2);
      EXPECT_GE(p.speed, 2.75f);
      EXPECT_LE(p.speed, 3.75f);
    }
    EXPECT_TRUE(hit.lights.empty());
  }
}

TEST(SpawnMuzzleFire, OneParticleAndOneFlashShownUntilTheNextTick) {
  struct Case {
    bool spread;
    int edge;
    int flash;
  };
  for (const Case c : {Case{false, 32, 192}, Case{true, 16, 48}}) {
    SCOPED_TRACE(c.spread);
    BurstWorld w;
    RecordingWorld screen;
    PutSprite3D(screen.sprites, kFire1Sprite, 64, 64);
    RunParticles(w.system, screen.sprites);  // the lists tick at 5.0; next at 5.1
    SpawnMuzzleFire(w.fx, 200.0f, 300.0f, c.spread);
    ASSERT_EQ(w.system.additiveParticles.size(), 1u);
    EXPECT_TRUE(w.system.alphaParticles.empty());
    ASSERT_EQ(w.lights.size(), 1u);
    ExpectFlash(w.lights[0], 59, 200, 300, c.flash, 5.025f);
    EXPECT_EQ(w.rng.Random(1000000), Rng(kSeed).Random(1000000));  // no random draws
    for (float t : {5.03f, 5.07f}) {
      w.now = t;
      screen.renderer.draws.clear();
      RunParticles(w.system, screen.sprites);
      ASSERT_EQ(screen.renderer.draws.size(), 1u);
      EXPECT_EQ(screen.renderer.draws[0].quad.width, c.edge);
      EXPECT_EQ(screen.renderer.draws[0].quad.x, 200 - c.edge / 2);
      EXPECT_EQ(screen.renderer.draws[0].quad.alpha, 255);
    }
    w.now = 5.11f;
    screen.renderer.draws.clear();
    RunParticles(w.system, screen.sprites);
    EXPECT_TRUE(screen.renderer.draws.empty());
  }
}
