#include <gtest/gtest.h>

#include <cmath>

#include "combat_world.h"

namespace {

int DrawsOf(const CombatWorld& w, int sprite) {
  int n = 0;
  for (const RecordedDraw& d : w.renderer.draws) n += d.quad.sprite == sprite ? 1 : 0;
  return n;
}

}  // namespace

TEST(Enemies, TypeRowsAndCopies) {
  CombatWorld w;
  const Enemy& soldier = w.types[kSoldierRow];
  EXPECT_EQ(soldier.width, 48);
  EXPECT_EQ(soldier.halfWidth, 24);
  EXPECT_EQ(soldier.hitHalf, 12);
  EXPECT_EQ(w.types[kTurretRow].hitHalf, 16);
  for (int row : {0, 3, 6, 7, -1}) EXPECT_FALSE(AddEnemy(w.enemies, w.types, row, 1, 2)) << row;
  EXPECT_TRUE(w.enemies.enemies.empty());
  Enemy& e = w.Add(kTurretRow, 640, 480);
  EXPECT_FLOAT_EQ(e.x, 640.0f);
  EXPECT_EQ(e.kind, kEnemyTurret);
  EXPECT_EQ(e.spreadOffset, 20);
  EXPECT_FLOAT_EQ(e.nextShot, 0.0f);
  EXPECT_EQ(e.hasPath, 0);
}

TEST(Enemies, FrozenFromAThousandPixelsAndFiringWithinSightRange) {
  struct Case {
    int row;
    float distance;
    bool drawn;
    bool fires;
  };
  for (const Case& c : {Case{kTurretRow, 1000.0f, false, false}, Case{kTurretRow, 999.0f, true, false},
                        Case{kTurretRow, 500.0f, true, true}, Case{kTurretRow, 501.0f, true, false},
                        Case{kSoldierRow, 300.0f, true, true}, Case{kSoldierRow, 301.0f, true, false}}) {
    CombatWorld w;
    w.map = MakeMap(60, 20);
    w.player.x = 200.0f;
    w.player.y = 600.0f;
    w.map.camera = {static_cast<int32_t>(w.player.x + c.distance) - 500, 300};  // keep the enemy on screen
    Enemy& e = w.Add(c.row, 200 + static_cast<int>(c.distance), 600);
    w.Enemies();
    SCOPED_TRACE(c.row * 10000 + static_cast<int>(c.distance));
    EXPECT_EQ(DrawsOf(w, e.sprite), c.drawn ? 1 : 0);
    EXPECT_EQ(w.bullets.size(), c.fires ? 1u : 0u);
    if (!c.fires) continue;
    EXPECT_FLOAT_EQ(w.enemies.enemies[0].heading, 180.0f);  // turned to the player
    const Bullet& b = w.bullets[0];
    const Enemy& shooter = w.enemies.enemies[0];
    EXPECT_EQ(b.rangeLeft, shooter.sightRange + 64);
    EXPECT_LE(std::fabs(b.angle - 180.0f), static_cast<float>(shooter.spreadOffset));
    EXPECT_NEAR(b.x, shooter.x + std::cos((180.0f + shooter.muzzleAngle) * 3.14159265f / 180.0f) *
                                     shooter.muzzleDistance, 1e-3f);
    EXPECT_EQ(w.particles.additiveParticles.size(), 1u);  // muzzle fire
    EXPECT_FLOAT_EQ(shooter.nextShot, w.now + 1.0f / shooter.fireRate);
  }
}

TEST(Enemies, TurretsFireTenTimesASecondAndSoldiersOnce) {
  for (int row : {kTurretRow, kSoldierRow}) {
    CombatWorld w;
    w.Add(row, 600, 400);  // 200 px from the player
    for (int frame = 1; frame <= 120; ++frame) {
      w.now = 1.0f + static_cast<float>(frame) / 60.0f;
      w.Enemies();
    }
    const size_t shots = w.bullets.size();
    if (row == kTurretRow) {
      EXPECT_GE(shots, 16u);  // each shot waits for the first frame past 0.1 s
      EXPECT_LE(shots, 18u);
    } else {
      EXPECT_EQ(shots, 2u);
    }
    EXPECT_FLOAT_EQ(w.enemies.enemies[0].x, 600.0f);  // in sight nobody walks
  }
}

TEST(Enemies, DrawnOnlyWithTheCornerStrictlyOnScreen) {
  struct Case {
    int x, y;
    bool drawn;
  };
  // Camera (-112, 16); a turret's corner is 32 px up and left of its centre.
  for (const Case& c : {Case{-112 + 32, 400, false}, Case{-112 + 33, 400, true}, Case{400, 16 + 32, false},
                        Case{400, 16 + 33, true}, Case{-112 + 1024 + 31, 400, true},
                        Case{-112 + 1024 + 32, 400, false}}) {
    CombatWorld w;
    w.player.x = 4424.0f;  // out of every turret's sight, but within 1000 px of each
    w.player.y = 1000.0f;
    w.map = MakeMap(99, 19);
    w.Add(kTurretRow, c.x + 4000, c.y);  // a turret never moves
    w.map.camera = {-112 + 4000, 16};
    w.Enemies();
    EXPECT_EQ(DrawsOf(w, kTurretSprite), c.drawn ? 1 : 0) << c.x << "," << c.y;
  }
}

TEST(Enemies, TheLastDrawnEnemyUnderTheMouseIsHovered) {
  CombatWorld w;
  w.player.x = 2000.0f;  // out of sight, within 1000 px
  w.Add(kTurretRow, 1200, 400);
  w.Add(kTurretRow, 1210, 400);
  w.Add(kTurretRow, 1400, 400);
  w.map.camera = {1000, 100};
  w.mouse.worldX = 1205;
  w.mouse.worldY = 400;
  w.Enemies();
  EXPECT_EQ(w.enemies.hoveredEnemy, 1);
  w.mouse.worldX = 1210 + 16;  // the square's right and bottom edges are outside it
  w.Enemies();
  EXPECT_EQ(w.enemies.hoveredEnemy, -1);
  w.mouse.worldX = 1210 - 16;
  w.Enemies();
  EXPECT_EQ(w.enemies.hoveredEnemy, 1);
  w.map.camera = {1200, 100};  // the first two are no longer drawn
  w.Enemies();
  EXPECT_EQ(w.enemies.hoveredEnemy, -1);
}

TEST(Enemies, SpacingPushesOnlyTheEarlierEnemy) {
  CombatWorld w;
  w.Add(kSoldierRow, 500, 300);
  w.Add(kSoldierRow, 510, 300);  // 10 px apart, closer than half a width (24)
  StepEnemy(w.enemies.enemies, 0, w.map);
  EXPECT_FLOAT_EQ(w.enemies.enemies[0].x, 486.0f);  // pushed 14 px away from the later one
  StepEnemy(w.enemies.enemies, 1, w.map);
  EXPECT_FLOAT_EQ(w.enemies.enemies[1].x, 510.0f);  // nothing after it pushes it
}

TEST(Enemies, StepsSlideAlongWallsWithTheProbeHitHalfAhead) {
  CombatWorld w;
  AddWalls(w.map, {{8, 4}, {8, 5}});  // x 512-575
  Enemy& e = w.Add(kSoldierRow, 496, 300);
  e.vx = 4.0f;  // probe 496 + 4 + 12 = 512: blocked
  e.vy = 3.0f;
  StepEnemy(w.enemies.enemies, 0, w.map);
  EXPECT_FLOAT_EQ(e.x, 496.0f);
  EXPECT_FLOAT_EQ(e.y, 303.0f);
  e.vx = 3.0f;  // probe 511: free
  StepEnemy(w.enemies.enemies, 0, w.map);
  EXPECT_FLOAT_EQ(e.x, 499.0f);
}

TEST(Enemies, SoldiersOutOfSightPlanAndWalkTheirPath) {
  CombatWorld w;
  w.player.x = 32.0f + 64 * 16;
  w.player.y = 32.0f + 64 * 3;  // cell (16, 3)
  Enemy& e = w.Add(kSoldierRow, 32 + 64 * 5, 32 + 64 * 3);  // centre of cell (5, 3), 720 px away
  w.Enemies();
  ASSERT_EQ(e.hasPath, 1);
  EXPECT_FLOAT_EQ(e.waypointX, 32.0f + 64 * 6);  // the next cell toward the player
  EXPECT_FLOAT_EQ(e.heading, 0.0f);
  EXPECT_FLOAT_EQ(e.x, 32.0f + 64 * 5 + 2.0f);  // walked 2 px
  EXPECT_GE(e.nextPlan, w.now + 1.0f);
  EXPECT_LE(e.nextPlan, w.now + 1.1f + 1e-6f);
  const size_t pathLeft = e.path.size();
  for (int frame = 0; frame < 16; ++frame) w.Enemies();  // 34 px walked: within 32 of the waypoint
  EXPECT_EQ(e.path.size(), pathLeft - 1);
  EXPECT_FLOAT_EQ(e.waypointX, 32.0f + 64 * 7);
}

TEST(Enemies, AOneCellPathEndsWithTheEnemyStanding) {
  CombatWorld w;
  w.map = MakeMap(29, 19);
  Enemy& e = w.Add(kSoldierRow, 32 + 64 * 2, 32 + 64 * 2);
  // The player in the next cell but out of sight is impossible with a 300 px sight;
  // shorten the sight instead.
  e.sightRange = 10;
  w.player.x = 32 + 64 * 3;
  w.player.y = 32 + 64 * 2;
  w.Enemies();
  ASSERT_EQ(e.hasPath, 1);
  EXPECT_TRUE(e.path.empty());
  for (int frame = 0; frame < 20 && e.hasPath == 1; ++frame) w.Enemies();
  EXPECT_EQ(e.hasPath, 0);
  const float x = e.x;
  w.Enemies();
  EXPECT_FLOAT_EQ(e.x, x);  // stands until the next planning
}

TEST(Enemies, AFrozenEnemyStillPushesOneThatSteps) {
  // A soldier 990 px from the player hunts it; a turret just past the freeze
  // distance is frozen, yet pushes the soldier's step while closer than its half
  // width (32).
  struct Case {
    float turretX;
    bool pushes;
  };
  CombatWorld alone;
  alone.Add(kSoldierRow, 1390, 400);
  alone.Add(kTurretRow, 1800, 1200);
  alone.Enemies();
  for (const Case& c : {Case{1410.0f, true}, Case{1421.0f, true}, Case{1423.0f, false}}) {
    CombatWorld w;
    w.Add(kSoldierRow, 1390, 400);
    w.Add(kTurretRow, static_cast<int>(c.turretX), 400);
    w.Enemies();
    SCOPED_TRACE(c.turretX);
    EXPECT_EQ(w.enemies.enemies[0].x != alone.enemies.enemies[0].x, c.pushes);
    EXPECT_EQ(w.enemies.enemies[1].x, c.turretX);
  }
}
