#include "combat/flight.h"

#include <algorithm>
#include <cmath>

#include "effects/bursts.h"
#include "player/player.h"
#include "base/numbers.h"
#include "render/sprites.h"

namespace {

// Inside the map's pixel extent (which ends at the last column's and row's left and
// top edges).
bool InsideMap(const Map& map, float x, float y) {
  return x > -1.0f && y > -1.0f && x < static_cast<float>(map.pixelWidth) && y < static_cast<float>(map.pixelHeight);
}

float Distance(float x1, float y1, float x2, float y2) {
  const float dx = x2 - x1;
  const float dy = y2 - y1;
  return std::sqrt(dx * dx + dy * dy);
}

// Screen position of a world coordinate less an offset, rounded.
int32_t ScreenOf(float world, int32_t camera, float offset) {
  return RoundInt(world - static_cast<float>(camera) - offset);
}

void DrawGrenade(const Grenade& g, const Battlefield& field) {
  const Camera& camera = field.map.camera;
  field.sprites.Display(g.sprite, ScreenOf(g.x, camera.x, 2.0f), ScreenOf(g.y, camera.y, 2.0f), 255);
  field.sprites.Display(kGrenadeMarkerSprite, ScreenOf(g.x, camera.x, 16.0f), ScreenOf(g.y, camera.y, 16.0f), 255);
}

// One axis bounces per frame, x first, and only while the grenade is inside the
// map; outside it keeps moving without looking at any cell. A bounce is heard.
void RollGrenade(Grenade& g, const Map& map, SoundCues* cues) {
  if (InsideMap(map, g.x, g.y)) {
    const Cell here = CellOf(map, g.x, g.y);
    const Cell next = CellOf(map, g.x + g.dirX * g.speed, g.y + g.dirY * g.speed);
    if (IsShotBlocked(map, next.column, here.row)) {
      g.dirX = -g.dirX;
      g.speed /= kGrenadeBounceSlowdown;
      CueSound(cues, SoundId::kGrenadeBounce, g.x, g.y);
    } else if (IsShotBlocked(map, here.column, next.row)) {
      g.dirY = -g.dirY;
      g.speed /= kGrenadeBounceSlowdown;
      CueSound(cues, SoundId::kGrenadeBounce, g.x, g.y);
    }
  }
  g.x += g.dirX * g.speed;
  g.y += g.dirY * g.speed;
  g.speed -= g.deceleration;
}

// The blast: every enemy strictly inside the radius bleeds and loses health falling
// linearly to 0 at the radius (walls do not shield); the dead are removed before the
// player's share is worked out.
void Detonate(const Grenade& g, Battlefield& field) {
  const float radius = field.blastRadius;
  const float damage = static_cast<float>(g.damage);
  SpawnExplosion(field.fx, g.x, g.y);
  std::vector<Enemy>& enemies = field.enemies.enemies;
  for (size_t i = 0; i < enemies.size();) {
    Enemy& e = enemies[i];
    const float d = Distance(g.x, g.y, e.x, e.y);
    if (!(d < radius)) {
      ++i;
      continue;
    }
    SpawnBlastBlood(field.fx, e.x, e.y);
    e.health = static_cast<int16_t>(RoundInt(static_cast<float>(e.health) - (1.0f - d / radius) * damage));
    if (e.health >= 1) {
      ++i;
      continue;
    }
    if (e.kind == kEnemyTurret) SpawnExplosion(field.fx, e.x, e.y);
    RemoveEnemy(field.enemies, i);
  }
  Player& player = field.player;
  const float d = Distance(g.x, g.y, player.x, player.y);
  if (d < radius) {
    SpawnBlastBlood(field.fx, player.x, player.y);
    DamagePlayer(player, RoundInt((1.0f - d / radius) * damage));
  }
}

// The first enemy whose hit square holds (x, y), edges excluded; -1 when none.
// Only the enemies in `nearby` (ascending indices) are looked at.
int EnemyAt(const std::vector<Enemy>& enemies, const std::vector<uint32_t>& nearby, float x, float y) {
  for (const uint32_t i : nearby) {
    const Enemy& e = enemies[i];
    const float q = static_cast<float>(e.hitHalf);
    if (e.y - q < y && y < e.y + q && e.x - q < x && x < e.x + q) return static_cast<int>(i);
  }
  return -1;
}

// The enemies a bullet of this frame can hit: those whose hit square reaches into
// the box round every point the bullets' sub-steps can reach (stepped as the
// sub-steps step them). An enemy outside it stays where it is while the bullets
// fly (only the one a bullet hits is knocked back), so no sub-step can hit it.
void GatherTargets(const BulletList& bullets, EnemyList& list) {
  list.nearby.clear();
  float minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
  for (const Bullet& b : bullets) {
    float x = b.x, y = b.y;
    for (int32_t step = 0; step <= b.extraSteps; ++step) {
      x += b.stepX;
      y += b.stepY;
      minX = std::fmin(minX, x), maxX = std::fmax(maxX, x);
      minY = std::fmin(minY, y), maxY = std::fmax(maxY, y);
    }
  }
  if (!(minX <= maxX) || !(minY <= maxY)) return;
  for (size_t i = 0; i < list.enemies.size(); ++i) {
    const Enemy& e = list.enemies[i];
    const float q = static_cast<float>(e.hitHalf);
    if (e.y - q < maxY && minY < e.y + q && e.x - q < maxX && minX < e.x + q) {
      list.nearby.push_back(static_cast<uint32_t>(i));
    }
  }
}

// Enemy `index` (one of the targets) was removed: the later ones move down one.
void DropTarget(std::vector<uint32_t>& nearby, size_t index) {
  auto at = std::lower_bound(nearby.begin(), nearby.end(), static_cast<uint32_t>(index));
  if (at != nearby.end() && *at == index) at = nearby.erase(at);
  for (; at != nearby.end(); ++at) --*at;
}

void HitEnemy(const Bullet& b, size_t index, Battlefield& field) {
  std::vector<Enemy>& enemies = field.enemies.enemies;
  Enemy& e = enemies[index];
  e.health = static_cast<int16_t>(e.health - b.damage);
  CueSound(field.fx.cues, e.kind == kEnemyWalker ? SoundId::kBodyHit : SoundId::kImpactMetal, b.x, b.y);
  if (e.kind == kEnemyWalker) {
    // Knocked back 10 px along the bullet, through the same spacing and walls as a step.
    e.vx = b.stepX / 2.0f;
    e.vy = b.stepY / 2.0f;
    StepEnemy(enemies, index, field.map);
    SpawnHitBlood(field.fx, b.x, b.y, b.angle);
  }
  if (enemies[index].health < 1) {
    if (enemies[index].kind == kEnemyTurret) SpawnExplosion(field.fx, enemies[index].x, enemies[index].y);
    RemoveEnemy(field.enemies, index);
    DropTarget(field.enemies.nearby, index);
  }
}

bool PlayerAt(const Player& player, float x, float y) {
  const float q = static_cast<float>(player.bodyQuarterWidth);
  return player.y - q < y && y < player.y + q && player.x - q < x && x < player.x + q;
}

// One sub-step of a bullet; false when the bullet is used up.
bool SubStep(Bullet& b, Battlefield& field) {
  b.x += b.stepX;
  b.y += b.stepY;
  if (!InsideMap(field.map, b.x, b.y)) return false;
  const Cell cell = CellOf(field.map, b.x, b.y);
  if (IsShotBlocked(field.map, cell.column, cell.row)) {
    SpawnWallImpact(field.fx, MaterialAt(field.map, cell.column, cell.row), b.x, b.y, b.angle);
    return false;
  }
  const int hit = EnemyAt(field.enemies.enemies, field.enemies.nearby, b.x, b.y);
  if (hit >= 0) {
    if (field.bulletHits != nullptr) ++*field.bulletHits;
    HitEnemy(b, static_cast<size_t>(hit), field);
    return false;
  }
  if (PlayerAt(field.player, b.x, b.y)) {
    CueSound(field.fx.cues, SoundId::kBodyHit, b.x, b.y);
    SpawnHitBlood(field.fx, b.x, b.y, b.angle);
    DamagePlayer(field.player, b.damage);
    return false;
  }
  b.rangeLeft -= static_cast<int32_t>(kBulletSubStep);
  return b.rangeLeft >= static_cast<int32_t>(kBulletSubStep);
}

}  // namespace

void DamagePlayer(Player& player, int32_t amount) {
  if (player.armour >= amount) {
    player.armour = static_cast<int16_t>(player.armour - amount);
  } else {
    player.health = static_cast<int16_t>(player.health + player.armour - amount);
    player.armour = 0;
  }
  if (player.health < 1) player.health = 0;
}

void UpdateGrenades(GrenadeList& grenades, Battlefield& field) {
  size_t kept = 0;
  for (size_t i = 0; i < grenades.size(); ++i) {
    Grenade& g = grenades[i];
    DrawGrenade(g, field);
    if (g.speed > 0.0f) RollGrenade(g, field.map, field.fx.cues);
    if (field.fx.now > g.detonateAt) {
      Detonate(g, field);
      continue;
    }
    if (kept != i) grenades[kept] = g;
    ++kept;
  }
  grenades.resize(kept);
}

void UpdateBullets(BulletList& bullets, Battlefield& field) {
  const Camera& camera = field.map.camera;
  GatherTargets(bullets, field.enemies);
  size_t kept = 0;
  for (size_t i = 0; i < bullets.size(); ++i) {
    Bullet& b = bullets[i];
    field.sprites.Display(b.sprite, ScreenOf(b.x, camera.x, 0.0f), ScreenOf(b.y, camera.y, 0.0f), 255);
    bool alive = true;
    for (int32_t step = 0; step <= b.extraSteps && alive; ++step) alive = SubStep(b, field);
    if (!alive) continue;
    if (kept != i) bullets[kept] = b;
    ++kept;
  }
  bullets.resize(kept);
}
