#include <gtest/gtest.h>

#include <cmath>

#include "combat_world.h"

TEST(Projectiles, RecordsDeriveTheirStepsAndTimes) {
  struct Case {
    float speed;
    int32_t extraSteps;
  };
  for (const Case& c : {Case{25, 1}, Case{30, 2}, Case{15, 1}, Case{20, 1}, Case{10, 0}}) {
    BulletList bullets;
    AddBullet(bullets, 38, 5.0f, 6.0f, 90.0f, c.speed, 10, 600);
    EXPECT_EQ(bullets[0].extraSteps, c.extraSteps) << c.speed;
    EXPECT_NEAR(bullets[0].stepX, 0.0f, 1e-5f);
    EXPECT_FLOAT_EQ(bullets[0].stepY, 20.0f);
    EXPECT_EQ(bullets[0].rangeLeft, 600);
  }
  GrenadeList grenades;
  AddGrenade(grenades, 2.5f, 39, 0.0f, 0.0f, 180.0f, 20.0f, 125, 5.0f);
  EXPECT_FLOAT_EQ(grenades[0].deceleration, 0.2f);
  EXPECT_FLOAT_EQ(grenades[0].dirX, -1.0f);
  EXPECT_FLOAT_EQ(grenades[0].detonateAt, 7.5f);
}

TEST(Projectiles, DamagePlayerTakesArmourFirst) {
  struct Case {
    int16_t health, armour;
    int32_t hit;
    int16_t healthAfter, armourAfter;
  };
  for (const Case& c : {Case{100, 3, 7, 96, 0}, Case{100, 7, 7, 100, 0}, Case{100, 50, 7, 100, 43},
                        Case{5, 0, 7, 0, 0}, Case{7, 0, 7, 0, 0}, Case{8, 0, 7, 1, 0}}) {
    Player player;
    player.health = c.health;
    player.armour = c.armour;
    DamagePlayer(player, c.hit);
    EXPECT_EQ(player.health, c.healthAfter) << c.health << "/" << c.armour;
    EXPECT_EQ(player.armour, c.armourAfter) << c.health << "/" << c.armour;
  }
}

// A bullet's reach from the muzzle: a target square whose near edge lies just inside
// the reach is hit, one just beyond it is not.
TEST(BulletFlight, ReachOfEveryShooter) {
  struct Case {
    float speed;
    int32_t range;
    float reach;
  };
  for (const Case& c : {Case{25, 750, 740}, Case{15, 350, 340}, Case{20, 350, 340}, Case{30, 600, 600},
                        Case{20, 364, 360}, Case{30, 564, 560}}) {
    for (float beyond : {10.0f, 30.0f}) {
      CombatWorld w;
      w.map = MakeMap(40, 10);
      w.player.x = 100.0f + c.reach + beyond;  // the player's hit square reaches 24 px either side
      w.player.y = 300.0f;
      AddBullet(w.bullets, 38, 100.0f, 300.0f, 0.0f, c.speed, 10, c.range);
      for (int frame = 0; frame < 40 && !w.bullets.empty(); ++frame) w.Flight();
      EXPECT_TRUE(w.bullets.empty());
      EXPECT_EQ(w.player.armour < 50, beyond == 10.0f) << c.speed << " " << c.range << " +" << beyond;
    }
  }
}

TEST(BulletFlight, DrawnAtItsPositionThenMovedInSubSteps) {
  CombatWorld w;
  AddBullet(w.bullets, 38, 700.0f, 300.0f, 0.0f, 30.0f, 10, 600);
  w.Flight();
  ASSERT_EQ(w.renderer.draws.size(), 1u);
  EXPECT_EQ(w.renderer.draws[0].quad.sprite, 38);
  EXPECT_EQ(w.renderer.draws[0].quad.x, 700 - w.map.camera.x);
  EXPECT_EQ(w.renderer.draws[0].quad.y, 300 - w.map.camera.y);
  ASSERT_EQ(w.bullets.size(), 1u);
  EXPECT_FLOAT_EQ(w.bullets[0].x, 760.0f);  // three sub-steps of 20
  EXPECT_EQ(w.bullets[0].rangeLeft, 540);
}

TEST(BulletFlight, WallsStopBulletsWithTheBurstOfTheirMaterial) {
  struct Case {
    uint8_t material;
    size_t alpha, additive, flashes;
  };
  for (const Case& c : {Case{0, 0, 9, 0}, Case{1, 0, 12, 1}, Case{2, 2, 6, 1}, Case{3, 3, 3, 0}, Case{7, 0, 0, 0}}) {
    CombatWorld w;
    AddWalls(w.map, {{12, 4}});
    w.map.materialGrid[GridIndex(w.map, 12, 4)] = c.material;
    AddBullet(w.bullets, 38, 740.0f, 300.0f, 0.0f, 30.0f, 10, 600);  // reaches x 768 in its second sub-step
    w.Flight();
    EXPECT_TRUE(w.bullets.empty());
    EXPECT_EQ(w.particles.alphaParticles.size(), c.alpha) << int{c.material};
    EXPECT_EQ(w.particles.additiveParticles.size(), c.additive) << int{c.material};
    EXPECT_EQ(w.timedLights.size(), c.flashes) << int{c.material};
  }
}

TEST(BulletFlight, BulletsOutsideTheMapAreRemovedWithoutBursts) {
  CombatWorld w;
  AddBullet(w.bullets, 38, 10.0f, 300.0f, 180.0f, 30.0f, 10, 600);  // leaves at x -10
  AddBullet(w.bullets, 38, 300.0f, 5.0f, -90.0f, 30.0f, 10, 600);   // leaves at y -15
  w.Flight();
  EXPECT_TRUE(w.bullets.empty());
  EXPECT_EQ(w.Particles(), 0u);
}

TEST(BulletFlight, HitsOnEnemies) {
  CombatWorld w;
  Enemy& soldier = w.Add(kSoldierRow, 1000, 300);  // hit square 12 px either side
  ASSERT_EQ(soldier.hitHalf, 12);
  // A bullet on the edge of the square (12 px from the centre) misses it.
  AddBullet(w.bullets, 38, 940.0f, 288.0f, 0.0f, 20.0f, 10, 600);
  w.Flight();
  w.Flight();
  EXPECT_EQ(w.enemies.enemies[0].health, 100);
  // Straight at it: health, knock-back of 10 px along the bullet, three drops of blood.
  w.bullets.clear();
  AddBullet(w.bullets, 38, 960.0f, 300.0f, 0.0f, 20.0f, 10, 600);
  w.Flight();
  ASSERT_TRUE(w.bullets.empty());
  EXPECT_EQ(w.enemies.enemies[0].health, 90);
  EXPECT_FLOAT_EQ(w.enemies.enemies[0].x, 1010.0f);
  EXPECT_EQ(w.particles.alphaParticles.size(), 3u);
  EXPECT_EQ(w.particles.alphaParticles[0].sprite, kBloodSprite);
}

TEST(BulletFlight, KillsRemoveEnemiesAndTurretsExplode) {
  struct Case {
    int row;
    int16_t health;
    bool dies;
    size_t particles, flashes;
  };
  // Damage equal to the health kills; one point left survives. Turrets never bleed.
  for (const Case& c : {Case{kSoldierRow, 10, true, 3, 0}, Case{kSoldierRow, 11, false, 3, 0},
                        Case{kTurretRow, 10, true, 17, 2}, Case{kTurretRow, 11, false, 0, 0}}) {
    CombatWorld w;
    w.Add(c.row, 1000, 300).health = c.health;
    w.enemies.hoveredEnemy = 0;
    AddBullet(w.bullets, 38, 960.0f, 300.0f, 0.0f, 20.0f, 10, 600);
    w.Flight();
    SCOPED_TRACE(c.row * 100 + c.health);
    EXPECT_EQ(w.enemies.enemies.empty(), c.dies);
    EXPECT_EQ(w.enemies.hoveredEnemy, c.dies ? -1 : 0);
    EXPECT_EQ(w.Particles(), c.particles);
    EXPECT_EQ(w.timedLights.size(), c.flashes);
  }
}

TEST(BulletFlight, KnockBackStopsAtWallsAndHitsTheFirstEnemyInTheList) {
  CombatWorld w;
  AddWalls(w.map, {{16, 4}});                       // x 1024-1087
  w.Add(kSoldierRow, 1010, 300);                    // 14 px from the wall: a 10 px push would reach it
  w.Add(kTurretRow, 1010, 300);                     // the same place, later in the list
  AddBullet(w.bullets, 38, 970.0f, 300.0f, 0.0f, 20.0f, 10, 600);
  w.Flight();
  EXPECT_EQ(w.enemies.enemies[0].health, 90);
  EXPECT_EQ(w.enemies.enemies[1].health, 100);
  // The spacing from the turret (closer than its half width) pushes too; the wall probe
  // 12 px ahead refuses the x move whatever its size.
  EXPECT_FLOAT_EQ(w.enemies.enemies[0].x, 1010.0f);
}

TEST(BulletFlight, ThePlayerIsHitInsideItsQuarterWidth) {
  CombatWorld w;
  ASSERT_EQ(w.player.bodyQuarterWidth, 24);
  AddBullet(w.bullets, 38, 340.0f, 376.0f, 0.0f, 20.0f, 10, 600);  // 24 px above the centre: misses
  AddBullet(w.bullets, 38, 340.0f, 377.0f, 0.0f, 20.0f, 10, 600);  // 23 px: hit
  for (int frame = 0; frame < 3; ++frame) w.Flight();
  EXPECT_EQ(w.player.armour, 40);
  EXPECT_EQ(w.bullets.size(), 1u);
  EXPECT_EQ(w.particles.alphaParticles.size(), 3u);
}

TEST(GrenadeFlight, RollsSlowsAndBouncesOneAxisAtATime) {
  CombatWorld w;
  AddGrenade(w.grenades, w.now, 39, 300.0f, 300.0f, 0.0f, 20.0f, 125, 5.0f);
  w.Flight();
  ASSERT_EQ(w.renderer.draws.size(), 2u);
  EXPECT_EQ(w.renderer.draws[0].quad.sprite, 39);
  EXPECT_EQ(w.renderer.draws[0].quad.x, 300 - 2 - w.map.camera.x);
  EXPECT_EQ(w.renderer.draws[1].quad.sprite, kGrenadeMarkerSprite);
  EXPECT_EQ(w.renderer.draws[1].quad.y, 300 - 16 - w.map.camera.y);
  EXPECT_FLOAT_EQ(w.grenades[0].x, 320.0f);
  EXPECT_FLOAT_EQ(w.grenades[0].speed, 19.8f);
  for (int frame = 1; frame < 101; ++frame) w.Flight();
  EXPECT_LE(w.grenades[0].speed, 0.0f);  // stopped after 100 frames
  const float x = w.grenades[0].x;
  w.Flight();
  EXPECT_FLOAT_EQ(w.grenades[0].x, x);

  // Diagonally into a corner: only x flips in that frame.
  CombatWorld c;
  AddWalls(c.map, {{5, 4}, {4, 5}, {5, 5}});
  AddGrenade(c.grenades, c.now, 39, 310.0f, 310.0f, 45.0f, 20.0f, 125, 5.0f);
  c.Flight();
  EXPECT_LT(c.grenades[0].dirX, 0.0f);
  EXPECT_GT(c.grenades[0].dirY, 0.0f);
  EXPECT_FLOAT_EQ(c.grenades[0].speed, 20.0f / 1.25f - 0.2f);
}

TEST(GrenadeFlight, OutsideTheMapAGrenadeRollsOnWithoutBouncing) {
  CombatWorld w;
  AddGrenade(w.grenades, w.now, 39, 10.0f, 300.0f, 180.0f, 20.0f, 125, 5.0f);
  for (int frame = 0; frame < 5; ++frame) w.Flight();
  EXPECT_LT(w.grenades[0].x, -50.0f);
  EXPECT_LT(w.grenades[0].dirX, 0.0f);
}

TEST(GrenadeFlight, BlastFallsOffToTheRadiusAndKillsBeforeThePlayersShare) {
  CombatWorld w;
  const float r = w.BlastRadius();  // 192
  w.player.x = 1000.0f;
  w.player.y = 1000.0f;
  w.Add(kSoldierRow, 500, 300).health = 10;           // at the centre: 125 damage, dies
  w.Add(kTurretRow, 500 + 96, 300);                   // half the radius: round(100 - 62.5) = 38
  w.Add(kSoldierRow, 500, 300 + static_cast<int>(r));  // on the radius: untouched
  AddGrenade(w.grenades, w.now, 39, 500.0f, 300.0f, 0.0f, 0.0f, 125, 0.5f);
  w.now = 1.5f;
  w.Flight();
  EXPECT_FALSE(w.grenades.empty());  // not yet: the fuse must be strictly past
  w.now = 1.51f;
  w.Flight();
  ASSERT_TRUE(w.grenades.empty());
  ASSERT_EQ(w.enemies.enemies.size(), 2u);
  EXPECT_EQ(w.enemies.enemies[0].health, 38);
  EXPECT_EQ(w.enemies.enemies[1].health, 100);
  EXPECT_EQ(w.player.armour, 50);  // far away
  // The grenade's explosion, then blood on each body hit: 5 + 5 + 5 alpha particles.
  EXPECT_EQ(w.particles.alphaParticles.size(), 15u);
  EXPECT_EQ(w.timedLights.size(), 2u);
}

TEST(GrenadeFlight, TheDeadAreGoneBeforeThePlayerBleeds) {
  CombatWorld w;
  w.Add(kTurretRow, 400, 300).health = 1;
  AddGrenade(w.grenades, w.now, 39, 400.0f, 350.0f, 0.0f, 0.0f, 125, 0.0f);
  w.now = 1.01f;
  w.Flight();
  EXPECT_TRUE(w.enemies.enemies.empty());
  // 50 px from the player: round((1 - 50/192) x 125) = 92 damage, 50 of it on the armour.
  EXPECT_EQ(w.player.armour, 0);
  EXPECT_EQ(w.player.health, 58);
  // Alpha list in order: grenade smoke, turret blood, turret smoke, player blood.
  std::vector<int> sprites;
  for (const Particle& p : w.particles.alphaParticles) sprites.push_back(p.sprite);
  std::vector<int> expected;
  for (int sprite : {kSmokeBlackSprite, kBloodSprite, kSmokeBlackSprite, kBloodSprite}) {
    expected.insert(expected.end(), 5, sprite);
  }
  EXPECT_EQ(sprites, expected);
  EXPECT_EQ(w.timedLights.size(), 4u);  // two explosions, two flashes each
}

TEST(BulletFlight, AfterAKillTheNextBulletHitsTheEnemyThatMovedUpTheList) {
  CombatWorld w;
  w.Add(kSoldierRow, 1700, 1100);                // far from both bullets
  w.Add(kSoldierRow, 1000, 300).health = 10;     // killed by the first bullet
  w.Add(kTurretRow, 1000, 600);                  // hit by the second, now second in the list
  AddBullet(w.bullets, 38, 960.0f, 300.0f, 0.0f, 20.0f, 10, 600);
  AddBullet(w.bullets, 38, 960.0f, 600.0f, 0.0f, 20.0f, 10, 600);
  w.Flight();
  ASSERT_EQ(w.enemies.enemies.size(), 2u);
  EXPECT_EQ(w.enemies.enemies[0].health, 100);
  EXPECT_EQ(w.enemies.enemies[1].health, 90);
  EXPECT_TRUE(w.bullets.empty());
}
