#include "combat/enemies.h"

#include <algorithm>
#include <cmath>

#include "combat/path_finding.h"
#include "effects/bursts.h"
#include "player/mouse.h"
#include "base/numbers.h"
#include "render/sprites.h"

namespace {

// A type row with its image's width and the two sizes derived from it.
Enemy TypeRow(int32_t sprite, uint8_t kind, float speed, int16_t sightRange, int16_t bulletDamage, float fireRate,
              int16_t muzzleAngle, float bulletSpeed, int16_t muzzleDistance, int16_t spread,
              const SpriteStore& sprites) {
  Enemy e;
  e.sprite = sprite;
  e.width = static_cast<int16_t>(sprites.SpriteWidth(sprite));
  e.halfWidth = static_cast<int16_t>(e.width / 2);
  e.hitHalf = static_cast<int16_t>(RoundInt(static_cast<float>(e.halfWidth) * 0.5f));
  e.kind = kind;
  e.speed = speed;
  e.health = 100;
  e.sightRange = sightRange;
  e.bulletDamage = bulletDamage;
  e.bulletSprite = 38;  // "Data\GFX\Particle\Bullet.png"
  e.fireRate = fireRate;
  e.muzzleAngle = muzzleAngle;
  e.bulletSpeed = bulletSpeed;
  e.muzzleDistance = muzzleDistance;
  e.spread = spread;
  e.spreadOffset = static_cast<int16_t>(spread / 2);
  return e;
}

float Distance(float x1, float y1, float x2, float y2) {
  const float dx = x2 - x1;
  const float dy = y2 - y1;
  return std::sqrt(dx * dx + dy * dy);
}

// Turns the enemy toward a point; exactly on it there is no direction and the
// heading stays as it was.
void TurnToward(Enemy& e, float x, float y) {
  if (x == e.x && y == e.y) return;
  e.heading = DirectionTo(e.x, e.y, x, y);
}

// In sight: turn to the player and fire when the shot is due. The bullet starts at
// the muzzle and flies sightRange + 64 pixels.
void FightPlayer(Enemy& e, EnemyWorld& world) {
  BurstTargets& fx = world.fx;
  TurnToward(e, world.playerX, world.playerY);
  if (!(fx.now > e.nextShot)) return;
  const float a = (e.heading + static_cast<float>(e.muzzleAngle)) * kPiOver180;
  const float mx = e.x + std::cos(a) * static_cast<float>(e.muzzleDistance);
  const float my = e.y + std::sin(a) * static_cast<float>(e.muzzleDistance);
  const float angle = e.heading + static_cast<float>(fx.rng.Random(e.spread) - e.spreadOffset);
  AddBullet(world.bullets, e.bulletSprite, mx, my, angle, e.bulletSpeed, e.bulletDamage,
            static_cast<int32_t>(e.sightRange) + kEnemyRangeExtra);
  SpawnMuzzleFire(fx, mx, my, false);
  CueSound(fx.cues, EnemyShotSound(e.kind), mx, my);
  e.nextShot = fx.now + 1.0f / e.fireRate;
}

void WalkToward(std::vector<Enemy>& enemies, size_t index, const Map& map, const std::vector<uint32_t>& nearby) {
  Enemy& e = enemies[index];
  TurnToward(e, e.waypointX, e.waypointY);
  const float a = e.heading * kPiOver180;
  e.vx = std::cos(a) * e.speed;
  e.vy = std::sin(a) * e.speed;
  StepEnemyAmong(enemies, index, map, nearby);
}

// Out of sight: re-plan when due, then walk to the waypoint, taking the next one
// off the path once within 32 px; with the path used up the enemy stands.
void HuntPlayer(size_t index, EnemyWorld& world) {
  std::vector<Enemy>& enemies = world.list.enemies;
  Enemy& e = enemies[index];
  BurstTargets& fx = world.fx;
  if (fx.now > e.nextPlan) {
    ResetPathFinder(world.pathFinder);
    FindPath(world.pathFinder, e, world.map, world.playerX, world.playerY);
    e.nextPlan = fx.now + 1.0f + static_cast<float>(fx.rng.Random(10)) / 100.0f;
  }
  if (e.hasPath == 0) return;
  if (Distance(e.x, e.y, e.waypointX, e.waypointY) > kWaypointReach) {
    WalkToward(enemies, index, world.map, world.list.nearby);
  } else if (!e.path.empty()) {
    TakeWaypoint(e, world.map);
    WalkToward(enemies, index, world.map, world.list.nearby);
  } else {
    e.hasPath = 0;
  }
}

// Drawn only when the top-left corner lies strictly inside the screen; the mouse on
// its hit square makes it the hovered enemy (the last one in the list wins).
void DrawEnemy(const Enemy& e, size_t index, EnemyWorld& world) {
  const Camera& camera = world.map.camera;
  const float half = static_cast<float>(e.halfWidth);
  const int32_t sx = RoundInt(e.x - half - static_cast<float>(camera.x));
  const int32_t sy = RoundInt(e.y - half - static_cast<float>(camera.y));
  if (!(sx > 0 && sy > 0 && sx < kScreenWidth && sy < kScreenHeight)) return;
  world.sprites.Rotate(e.sprite, static_cast<float>(RoundInt(e.heading)), 0);
  world.sprites.Display(e.sprite, sx, sy, 255);
  const float q = static_cast<float>(e.hitHalf);
  if (MouseInRect(world.mouse, RoundInt(e.x - q), RoundInt(e.y - q), RoundInt(e.x + q), RoundInt(e.y + q)) != 0) {
    world.list.hoveredEnemy = static_cast<int>(index);
  }
}

}  // namespace

void FillEnemyTypes(EnemyTypeTable& types, const SpriteStore& sprites) {
  types = EnemyTypeTable{};
  //                                 sprite          kind          speed sight dmg rate  mAng bSpeed mDist spread
  types[kSoldierRow] = TypeRow(kSoldierSprite, kEnemyWalker, 2.0f, 300, 7, 1.0f, 12, 20.0f, 48, 20, sprites);
  types[kTurretRow] = TypeRow(kTurretSprite, kEnemyTurret, 0.0f, 500, 5, 10.0f, 0, 30.0f, 44, 40, sprites);
}

bool IsEnemyType(const EnemyTypeTable& types, int32_t row) {
  return row >= 0 && row < kEnemyTypeRows && types[static_cast<size_t>(row)].kind != 0;
}

bool AddEnemy(EnemyList& list, const EnemyTypeTable& types, int32_t row, int32_t x, int32_t y) {
  if (!IsEnemyType(types, row)) return false;
  const Enemy& type = types[static_cast<size_t>(row)];
  Enemy e;
  e.sprite = type.sprite;
  e.width = type.width;
  e.halfWidth = type.halfWidth;
  e.hitHalf = type.hitHalf;
  e.kind = type.kind;
  e.speed = type.speed;
  e.health = type.health;
  e.sightRange = type.sightRange;
  e.bulletDamage = type.bulletDamage;
  e.bulletSprite = type.bulletSprite;
  e.fireRate = type.fireRate;
  e.muzzleAngle = type.muzzleAngle;
  e.bulletSpeed = type.bulletSpeed;
  e.muzzleDistance = type.muzzleDistance;
  e.spread = type.spread;
  e.spreadOffset = type.spreadOffset;
  e.x = static_cast<float>(x);
  e.y = static_cast<float>(y);
  list.enemies.push_back(std::move(e));
  return true;
}

void RemoveEnemy(EnemyList& list, size_t index) {
  if (index < list.enemies.size()) list.enemies.erase(list.enemies.begin() + static_cast<std::ptrdiff_t>(index));
  list.hoveredEnemy = -1;
}

float DirectionTo(float x1, float y1, float x2, float y2) {
  return std::atan2(y2 - y1, x2 - x1) / kPiOver180;
}

namespace {

// The push of `other` on e's step when closer than other's halfWidth. An axis
// difference of reach or more is never a closer gap (the rounded root of dx^2 +
// dy^2 is at least |dx|), so most enemies cost two comparisons.
inline void Push(Enemy& e, const Enemy& other) {
  const float reach = static_cast<float>(other.halfWidth);
  if (!(std::fabs(e.x - other.x) < reach) || !(std::fabs(e.y - other.y) < reach)) return;
  const float gap = Distance(other.x, other.y, e.x, e.y);
  if (!(gap < reach)) return;
  const float a = DirectionTo(other.x, other.y, e.x, e.y) * kPiOver180;
  e.vx += std::cos(a) * (reach - gap);
  e.vy += std::sin(a) * (reach - gap);
}

// The wall-tested move of a step whose spacing is done.
void MoveEnemy(Enemy& e, const Map& map) {
  const float margin = static_cast<float>(e.hitHalf);
  const float probeX = e.vx > 0.0f ? e.x + e.vx + margin : e.x + e.vx - margin;
  const Cell xCell = CellOf(map, probeX, e.y);
  if (!IsWalkBlocked(map, xCell.column, xCell.row)) e.x += e.vx;
  const float probeY = e.vy > 0.0f ? e.y + e.vy + margin : e.y + e.vy - margin;
  const Cell yCell = CellOf(map, e.x, probeY);
  if (!IsWalkBlocked(map, yCell.column, yCell.row)) e.y += e.vy;
}

// The enemies that a step of this walk can meet: a stepping enemy lies within
// kEnemyFreezeDistance of the player, so one closer to it than its own halfWidth
// lies within that distance plus its halfWidth, less the rounding of the distances
// (a margin of 8 px, and more far from the origin where floats are coarser).
void GatherNearby(EnemyList& list, float playerX, float playerY) {
  const float slack = 8.0f + (std::fabs(playerX) + std::fabs(playerY)) * 1e-5f;
  list.nearby.clear();
  for (size_t i = 0; i < list.enemies.size(); ++i) {
    const Enemy& e = list.enemies[i];
    const float reach = kEnemyFreezeDistance + static_cast<float>(e.halfWidth) + slack;
    if (Distance(e.x, e.y, playerX, playerY) < reach) list.nearby.push_back(static_cast<uint32_t>(i));
  }
}

}  // namespace

void StepEnemy(std::vector<Enemy>& enemies, size_t index, const Map& map) {
  Enemy& e = enemies[index];
  // Spacing: only the enemies after this one in the list push it.
  for (size_t j = index + 1; j < enemies.size(); ++j) Push(e, enemies[j]);
  MoveEnemy(e, map);
}

void StepEnemyAmong(std::vector<Enemy>& enemies, size_t index, const Map& map, const std::vector<uint32_t>& nearby) {
  Enemy& e = enemies[index];
  auto j = std::upper_bound(nearby.begin(), nearby.end(), static_cast<uint32_t>(index));
  for (; j != nearby.end(); ++j) Push(e, enemies[*j]);
  MoveEnemy(e, map);
}

void UpdateEnemies(EnemyWorld& world) {
  EnemyList& list = world.list;
  list.hoveredEnemy = -1;
  GatherNearby(list, world.playerX, world.playerY);
  for (size_t i = 0; i < list.enemies.size(); ++i) {
    Enemy& e = list.enemies[i];
    const float d = Distance(e.x, e.y, world.playerX, world.playerY);
    if (!(d < kEnemyFreezeDistance)) continue;
    if (d <= static_cast<float>(e.sightRange)) {
      FightPlayer(e, world);
    } else if (e.speed != 0.0f) {
      HuntPlayer(i, world);
    }
    DrawEnemy(list.enemies[i], i, world);
  }
}
