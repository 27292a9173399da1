#include <gtest/gtest.h>

#include "effects/particles.h"
#include "support/world_fixture.h"

namespace {

struct ParticleWorld : RecordingWorld {
  float now = 1.0f;
  Camera camera{0, 0};
  ParticleSystem system;
  ParticleWorld() {
    InitParticleSystem(system, &now, &camera, kParticleTickInterval);
    for (int sprite = 40; sprite <= 53; ++sprite) PutSprite3D(sprites, sprite, 32, 32);
  }
  ParticleList& alpha() { return system.alphaParticles; }
  ParticleList& additive() { return system.additiveParticles; }
  // A particle at (x, y), size 20, grow 40, no spin.
  void Add(ParticleList& list, int sprite, float life, int16_t heading = 0, float speed = 0.0f, float x = 500.0f,
           float y = 400.0f, float spin = 0.0f) {
    AddParticle(list, kParticleTickInterval, sprite, x, y, 20.0f, 40.0f, heading, speed, life, spin);
  }
  // Frame step 15 at game time t; returns what it drew.
  const std::vector<RecordedDraw>& Frame(float t) {
    now = t;
    renderer.draws.clear();
    RunParticles(system, sprites);
    return renderer.draws;
  }
};

}  // namespace

TEST(AddParticle, TickCountGrowthAndFadeFollowTheLife) {
  struct Case {
    float life;
    int ticks;
    float growth;  // per tick, of the half edge, for grow 150
    float fade;
  };
  const Case cases[] = {{2.0f, 10, 7.5f, 25.5f},   {1.5f, 5, 15.0f, 51.0f},  {1.25f, 2, 37.5f, 127.5f},
                        {3.0f, 20, 3.75f, 12.75f}, {0.01f, -10, 0.0f, 0.0f}, {1.0f, 0, 0.0f, 0.0f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.life);
    ParticleList list;
    AddParticle(list, 0.1f, 51, 10.0f, 20.0f, 30.0f, 150.0f, 45, 2.0f, c.life, 7.0f);
    ASSERT_EQ(list.size(), 1u);
    const Particle& p = list[0];
    EXPECT_EQ(p.ticksLeft, c.ticks);
    EXPECT_FLOAT_EQ(p.growthPerTick, c.growth);
    EXPECT_FLOAT_EQ(p.fadePerTick, c.fade);
    EXPECT_FLOAT_EQ(p.halfSize, 15.0f);
    EXPECT_FLOAT_EQ(p.alpha, 255.0f);
    EXPECT_EQ(p.spinAngle, 0);
    EXPECT_FLOAT_EQ(p.spinPerTick, 7.0f);
  }
}

TEST(UpdateParticles, HeadingsTurnClockwiseFromUp) {
  struct Case {
    int16_t heading;
    float dx, dy;
  };
  const Case cases[] = {{0, 0, -1}, {90, 1, 0}, {180, 0, 1}, {270, -1, 0}, {-90, -1, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.heading);
    ParticleWorld w;
    w.Add(w.alpha(), 40, 2.0f, c.heading, 1.0f, 500.0f, 400.0f);
    float nextTick = 1000.0f;  // no tick: motion only
    for (int frame = 0; frame < 3; ++frame) UpdateParticles(w.alpha(), nextTick, w.system.settings);
    EXPECT_NEAR(w.alpha()[0].x, 500.0f + 3 * c.dx, 1e-4f);
    EXPECT_NEAR(w.alpha()[0].y, 400.0f + 3 * c.dy, 1e-4f);
    EXPECT_EQ(w.alpha()[0].ticksLeft, 10);
  }
}

TEST(UpdateParticles, AgesOnTheTickOnlyAndVanishesAtTheLastTick) {
  ParticleWorld w;
  w.Frame(1.0f);  // empty lists still take their tick: next at 1.1
  EXPECT_FLOAT_EQ(w.system.settings.nextTickAlpha, 1.1f);
  EXPECT_FLOAT_EQ(w.system.settings.nextTickAdditive, 1.1f);
  w.Add(w.alpha(), 50, 2.0f, 30, 0.0f, 500.0f, 400.0f, 15.0f);
  for (float t : {1.05f, 1.1f}) {  // not strictly past 1.1: no tick yet
    const auto& draws = w.Frame(t);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].quad.alpha, 255);
    EXPECT_EQ(draws[0].quad.width, 20);
    EXPECT_FLOAT_EQ(draws[0].quad.angle, 30.0f);
  }
  // Every frame below comes more than 0.1 s after the last tick: ticks 1 to 9.
  const int alphas[] = {230, 204, 178, 153, 128, 102, 76, 51, 26};  // 255 x (10 - k) / 10
  float t = 1.1f;
  for (int k = 1; k <= 9; ++k) {
    t += 0.11f;
    const auto& draws = w.Frame(t);
    ASSERT_EQ(draws.size(), 1u) << "tick " << k;
    EXPECT_EQ(draws[0].quad.alpha, alphas[k - 1]) << "tick " << k;
    EXPECT_EQ(draws[0].quad.width, 20 + 4 * k) << "tick " << k;               // grows 40 x k / 10
    EXPECT_FLOAT_EQ(draws[0].quad.angle, 30.0f + 15.0f * k) << "tick " << k;  // heading + spin
  }
  EXPECT_TRUE(w.Frame(t + 0.11f).empty());  // the tenth tick removes it
  EXPECT_TRUE(w.alpha().empty());
}

TEST(UpdateParticles, OneTickAtMostPerFrameEvenAfterALongPause) {
  ParticleWorld w;
  w.Add(w.additive(), 51, 3.0f);
  w.Frame(1.0f);
  EXPECT_EQ(w.additive()[0].ticksLeft, 19);
  w.Frame(60.0f);  // a minute late: one tick, counted from now
  EXPECT_EQ(w.additive()[0].ticksLeft, 18);
  EXPECT_FLOAT_EQ(w.system.settings.nextTickAdditive, 60.1f);
  w.Frame(60.05f);
  EXPECT_EQ(w.additive()[0].ticksLeft, 18);
  w.Frame(60.15f);
  EXPECT_EQ(w.additive()[0].ticksLeft, 17);
  EXPECT_FLOAT_EQ(w.system.settings.nextTickAdditive, 60.25f);
}

TEST(UpdateParticles, DeletionKeepsTheOrderOfTheRest) {
  ParticleWorld w;
  // Lives: 3.0 gives 20 ticks, 1.1 one tick, 0.01 none; the short ones go at the tick.
  const float lives[] = {3.0f, 1.1f, 0.01f, 3.0f, 1.1f, 3.0f, 0.01f};
  for (int i = 0; i < 7; ++i) w.Add(w.alpha(), 40 + i, lives[i], 90, 1.0f, 100.0f * i, 0.0f);
  w.Frame(1.0f);
  ASSERT_EQ(w.alpha().size(), 3u);
  const int survivors[] = {40, 43, 45};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(w.alpha()[i].sprite, survivors[i]);
    EXPECT_NEAR(w.alpha()[i].x, 100.0f * (survivors[i] - 40) + 1.0f, 1e-4f);  // moved once
  }
}

TEST(DrawParticles, ZoomRotationPositionAndAlphaRoundHalvesToEven) {
  ParticleWorld w;
  w.camera = {100, 50};
  // Centre (610.5, 460.5), half edge 10.25: corner (500.25, 400.25), edge 20.5 -> 20.
  AddParticle(w.alpha(), kParticleTickInterval, 45, 609.5f, 460.5f, 20.5f, 0.0f, 90, 1.0f, 2.0f, 0.0f);
  // Corner (101.5, 102.5) -> (102, 102); edge 21.
  AddParticle(w.alpha(), kParticleTickInterval, 45, 212.0f, 163.0f, 21.0f, 0.0f, 0, 0.0f, 2.0f, 0.0f);
  w.system.settings.nextTickAlpha = 100.0f;
  const auto& draws = w.Frame(1.0f);  // moves first: the first one a pixel to the right
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_EQ(draws[0].quad.x, 500);
  EXPECT_EQ(draws[0].quad.y, 400);
  EXPECT_EQ(draws[0].quad.width, 20);
  EXPECT_EQ(draws[0].quad.height, 20);
  EXPECT_FLOAT_EQ(draws[0].quad.angle, 90.0f);  // turned to its heading without spin
  EXPECT_EQ(draws[1].quad.x, 102);
  EXPECT_EQ(draws[1].quad.y, 102);
  EXPECT_EQ(draws[1].quad.width, 21);
  EXPECT_FLOAT_EQ(draws[1].quad.angle, 0.0f);
  // The shared sprite keeps the last particle's zoom and rotation.
  EXPECT_EQ(w.sprites.FindSprite3D(45)->width, 21);
}

TEST(RunParticles, AlphaListUnderNormalBlendingThenAdditiveList) {
  ParticleWorld w;
  w.Add(w.additive(), 51, 2.0f);
  w.Add(w.alpha(), 53, 2.0f);
  w.Add(w.additive(), 52, 2.0f);
  const auto& draws = w.Frame(1.0f);
  ASSERT_EQ(draws.size(), 3u);
  const int sprites[] = {53, 51, 52};
  const int destinations[] = {kBlendInvSrcAlpha, kBlendDstAlpha, kBlendDstAlpha};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(draws[i].quad.sprite, sprites[i]);
    EXPECT_EQ(draws[i].blendSource, kBlendSrcAlpha);
    EXPECT_EQ(draws[i].blendDestination, destinations[i]);
  }
  EXPECT_EQ(w.sprites.blendDestination(), kBlendDstAlpha);  // left for the lighting pass
}

TEST(RunParticles, NoTickParticleShowsUntilItsListTicks) {
  ParticleWorld w;
  w.Frame(1.0f);  // next ticks at 1.1
  w.Add(w.additive(), 51, 0.01f);
  for (float t : {1.02f, 1.06f, 1.1f}) {
    const auto& draws = w.Frame(t);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].quad.width, 20);  // its negative tick count never shows
    EXPECT_EQ(draws[0].quad.alpha, 255);
  }
  EXPECT_TRUE(w.Frame(1.12f).empty());
  // One added in a frame whose list ticks goes before it is ever drawn.
  w.Add(w.additive(), 51, 0.01f);
  EXPECT_TRUE(w.Frame(1.25f).empty());
  EXPECT_TRUE(w.additive().empty());
}
