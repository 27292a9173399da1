#include <gtest/gtest.h>

#include <cmath>

#include "combat_world.h"
#include "base/clock.h"

TEST(Firing, HeldButtonFiresAtTheFirstFrameBeyondEachInterval) {
  CombatWorld w;
  Clock clock = Clock::Fixed();
  const Weapon& automatic = w.weapons[kAutomaticRow];
  int shots = 0;
  float due = 0.0f;  // the busyUntil before this frame
  for (int frame = 0; frame < 60; ++frame) {
    clock.Advance();
    w.now = clock.Now();
    const int16_t before = automatic.magazine;
    due = w.player.busyUntil;
    w.Weapon(true);
    const int fired = before - automatic.magazine;
    ASSERT_LE(fired, 1) << "frame " << frame;
    EXPECT_EQ(fired == 1, w.now > due) << "frame " << frame;
    if (fired == 1) {
      EXPECT_FLOAT_EQ(w.player.busyUntil, w.now + 0.1f);
    }
    shots += fired;
  }
  EXPECT_EQ(static_cast<int>(w.bullets.size()), shots);
  EXPECT_GE(shots, 8);   // somewhat fewer than ten a second:
  EXPECT_LE(shots, 9);   // each shot waits for the first frame past the interval
}

TEST(Firing, MuzzleFollowsTheAimWhetherOrNotTheWeaponFires) {
  CombatWorld w;
  for (float aim : {0.0f, 90.0f, 200.0f}) {
    w.player.aim = aim;
    w.Weapon(false);
    const float a = (aim + 10.0f) * 3.14159265f / 180.0f;  // the automatic's muzzle: 10 degrees, 50 px
    EXPECT_NEAR(w.player.muzzleX, std::cos(a) * 50.0f, 1e-3f) << aim;
    EXPECT_NEAR(w.player.muzzleY, std::sin(a) * 50.0f, 1e-3f) << aim;
  }
  EXPECT_TRUE(w.bullets.empty());
}

TEST(Firing, EachFireKindEmitsItsProjectilesAndMuzzleFire) {
  struct Case {
    int row;
    size_t bullets, grenades, muzzleParticles;
    int flashSize;  // 0: no flash
    float minAngle, maxAngle;
  };
  for (const Case& c : {Case{kPistolRow, 1, 0, 1, 192, -6, -3}, Case{kAutomaticRow, 1, 0, 1, 192, -6, -3},
                        Case{kPumpGunRow, 5, 0, 1, 48, -10, 10}, Case{kGrenadeLauncherRow, 0, 1, 0, 0, -6, -3}}) {
    CombatWorld w;
    w.player.weapons[0] = c.row;
    w.player.aim = 30.0f;
    w.Weapon(true);
    const Weapon& weapon = w.weapons[static_cast<size_t>(c.row)];
    SCOPED_TRACE(c.row);
    EXPECT_EQ(weapon.magazine, weapon.magazineSize - 1);
    ASSERT_EQ(w.bullets.size(), c.bullets);
    ASSERT_EQ(w.grenades.size(), c.grenades);
    EXPECT_EQ(w.particles.additiveParticles.size(), c.muzzleParticles);
    EXPECT_TRUE(w.particles.alphaParticles.empty());
    ASSERT_EQ(w.timedLights.size(), c.flashSize == 0 ? 0u : 1u);
    if (c.flashSize != 0) {
      EXPECT_EQ(w.timedLights[0].width, c.flashSize);
    }
    const float mx = w.player.x + w.player.muzzleX;
    for (const Bullet& b : w.bullets) {
      EXPECT_FLOAT_EQ(b.x, mx);
      EXPECT_GE(b.angle - 30.0f, c.minAngle);
      EXPECT_LE(b.angle - 30.0f, c.maxAngle);
      EXPECT_GE(b.speed, static_cast<float>(weapon.projectileSpeed));
      EXPECT_LE(b.speed, static_cast<float>(weapon.projectileSpeed + (c.bullets == 5 ? 5 : 0)));
      EXPECT_EQ(b.rangeLeft, weapon.rangeOrFuse);
      EXPECT_EQ(b.damage, weapon.damage);
    }
    for (const Grenade& g : w.grenades) {
      EXPECT_GE(g.angle - 30.0f, c.minAngle);
      EXPECT_LE(g.angle - 30.0f, c.maxAngle);
      EXPECT_FLOAT_EQ(g.detonateAt, w.now + 5.0f);
    }
    EXPECT_FLOAT_EQ(w.player.busyUntil, w.now + 1.0f / weapon.fireRate);
  }
}

TEST(Firing, PelletsDrawTheirOwnDirectionThenSpeed) {
  CombatWorld w;
  w.player.weapons[0] = kPumpGunRow;
  w.Weapon(true);
  Rng expected{7};
  ASSERT_EQ(w.bullets.size(), 5u);
  for (const Bullet& b : w.bullets) {
    const int angle = expected.Random(20) - 10;
    const int speed = 15 + expected.Random(5);
    EXPECT_FLOAT_EQ(b.angle, static_cast<float>(angle));
    EXPECT_FLOAT_EQ(b.speed, static_cast<float>(speed));
  }
}

TEST(Firing, AnEmptyMagazineFiresNothing) {
  CombatWorld w;
  w.weapons[kAutomaticRow].magazine = 0;
  w.Weapon(true);
  EXPECT_TRUE(w.bullets.empty());
  EXPECT_EQ(w.Particles(), 0u);
  EXPECT_TRUE(w.timedLights.empty());
  EXPECT_FLOAT_EQ(w.player.busyUntil, 0.0f);
}

TEST(Firing, ReloadStartsOnlyWhenItCanAndCompletesAfterItsTime) {
  struct Case {
    int16_t magazine;
    int32_t reserve;
    float busyUntil;
    bool starts;
    int16_t magazineAfter;
    int32_t reserveAfter;
  };
  for (const Case& c : {Case{30, 300, 0.0f, false, 30, 300},   // full
                        Case{20, 0, 0.0f, false, 20, 0},       // no reserve
                        Case{20, 300, 1.05f, false, 20, 300},  // a shot interval still running
                        Case{20, 4, 0.0f, true, 24, 0},        // 4 left for a shortfall of 10
                        Case{0, 300, 0.0f, true, 30, 270}}) {
    CombatWorld w;
    Weapon& automatic = w.weapons[kAutomaticRow];
    automatic.magazine = c.magazine;
    automatic.reserve = c.reserve;
    w.player.busyUntil = c.busyUntil;
    w.Weapon(false, true);
    SCOPED_TRACE(c.magazine);
    EXPECT_EQ(w.player.weaponState == kWeaponReloading, c.starts);
    if (!c.starts) continue;
    EXPECT_FLOAT_EQ(w.player.reloadStart, 1.0f);
    EXPECT_FLOAT_EQ(w.player.busyUntil, 3.5f);
    EXPECT_EQ(automatic.magazine, c.magazine);  // never completes in the frame that starts it
    w.now = 3.5f;
    w.Weapon(true);  // no shot while the reload runs, and not yet complete at its end
    EXPECT_EQ(automatic.magazine, c.magazine);
    EXPECT_TRUE(w.bullets.empty());
    w.now = 3.51f;
    w.Weapon(false);
    EXPECT_EQ(w.player.weaponState, 0);
    EXPECT_EQ(automatic.magazine, c.magazineAfter);
    EXPECT_EQ(automatic.reserve, c.reserveAfter);
  }
}
