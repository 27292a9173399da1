// The flight of grenades and bullets, every frame after the enemies: grenades are
// drawn, roll with wall bounces and go off when their fuse has run out; bullets are
// drawn, then advance in 20-pixel sub-steps that test the map's bounds, walls,
// enemies and the player. A bullet hits at most one thing. Hits and blasts lower
// health, remove dead enemies and start the bursts.
#pragma once

#include <cstdint>

#include "combat/enemies.h"
#include "combat/projectiles.h"
#include "world/map.h"

class SpriteStore;
struct BurstTargets;
struct Player;

constexpr int kGrenadeMarkerSprite = 9;   // "Data\GFX\HUD\Granade2.png", drawn over every grenade
constexpr float kGrenadeBounceSlowdown = 1.25f;
constexpr float kBlastRadiusTiles = 3.0f;  // blast radius = tile size x 3

// The player's damage rule: armour takes the whole hit when it can; otherwise
// health loses what the armour cannot hold and the armour becomes 0. Health stops
// at 0.
void DamagePlayer(Player& player, int32_t amount);

// Everything a projectile can meet.
struct Battlefield {
  const Map& map;
  Player& player;
  EnemyList& enemies;
  BurstTargets& fx;   // bursts, flashes; also the clock
  SpriteStore& sprites;
  float blastRadius;  // tile size x 3
  int32_t* bulletHits = nullptr;  // statistics: one more for each bullet that strikes an enemy (none: not counted)
};

// Frame step 14, first half: each grenade is drawn (with its marker), rolls while
// its speed is above 0 (one axis bounces per frame, x first, only inside the map),
// and goes off when now is past detonateAt: an explosion, then every enemy strictly
// inside the radius bleeds and loses damage falling linearly to 0 at the radius
// (dead ones removed, turrets exploding), then the player's share.
void UpdateGrenades(GrenadeList& grenades, Battlefield& field);

// Frame step 14, second half: each bullet is drawn, then makes extraSteps + 1
// sub-steps, stopping at the first removal: out of the map, a shot-blocking cell
// (wall impact of its material), the first enemy whose hit square holds it
// (soldiers are knocked back 10 px and bleed; dead enemies removed, turrets
// exploding), the player's hit square, or its range spent.
void UpdateBullets(BulletList& bullets, Battlefield& field);
