// Enemies: soldiers (type row 1, kind 1) that hunt the player along planned paths,
// shoot once a second and bleed when hit, and turrets (row 2, kind 2) that never
// move, shoot ten times a second and burst into an explosion when destroyed. Each
// frame every enemy within 1000 pixels of the player is updated and drawn; the
// enemy under the mouse is remembered for the HUD's health line.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "combat/projectiles.h"
#include "world/map.h"

class SpriteStore;
struct BurstTargets;
struct MouseState;
struct PathFinder;

constexpr float kEnemyFreezeDistance = 1000.0f;  // from here on an enemy is neither updated nor drawn
constexpr float kWaypointReach = 32.0f;          // a waypoint within this distance is reached
constexpr int kEnemyRangeExtra = 64;             // an enemy's bullets fly sightRange + 64 pixels

enum EnemyKind : uint8_t { kEnemyWalker = 1, kEnemyTurret = 2 };

// One enemy type (a row of the type table, whose live fields stay zero) or one
// live enemy. The name field of the type rows is empty in both and nothing shows
// it, so the record leaves it out.
struct Enemy {
  int32_t sprite = 0;          // enemy image
  int16_t width = 0;           // width of that image
  int16_t halfWidth = 0;       // width / 2: spacing distance and draw offset
  int16_t hitHalf = 0;         // round(halfWidth x 0.5): half the hit square, wall margin
  uint8_t kind = 0;            // 1 walks, is knocked back and bleeds; 2 explodes when destroyed
  float x = 0.0f;              // centre, world pixels
  float y = 0.0f;
  float vx = 0.0f;             // step of this frame
  float vy = 0.0f;
  float waypointX = 0.0f;      // centre of the path cell being walked to
  float waypointY = 0.0f;
  float heading = 0.0f;        // degrees, 0 = +x, 90 = +y
  float speed = 0.0f;          // pixels per frame; 0 never walks
  int16_t health = 0;
  int16_t sightRange = 0;      // pixels within which it shoots at the player
  int16_t bulletDamage = 0;
  int32_t bulletSprite = 0;
  float nextShot = 0.0f;       // no shot before this time
  float fireRate = 0.0f;       // shots per second
  int16_t muzzleAngle = 0;     // degrees added to the heading for the muzzle
  float bulletSpeed = 0.0f;
  int16_t muzzleDistance = 0;  // pixels from the centre to the muzzle
  int16_t spread = 0;          // random spread range, degrees
  int16_t spreadOffset = 0;    // spread / 2, so the spread is centred
  uint8_t hasPath = 0;         // 1 while a path is followed
  // Remaining waypoints: the far end of the path first, the next cell to walk to
  // last (taken from the back). Kept as cells rather than as three-digit text, so
  // no map size can make a cell read back as another one.
  std::vector<Cell> path;
  float nextPlan = 0.0f;       // time of the next path planning
};

constexpr int kEnemyTypeRows = 7;  // rows 0-6; rows 1 and 2 are filled
using EnemyTypeTable = std::array<Enemy, kEnemyTypeRows>;
enum EnemyRow : int { kSoldierRow = 1, kTurretRow = 2 };
constexpr int kSoldierSprite = 37;  // "Data\GFX\Enemy\Enemy 001.png"
constexpr int kTurretSprite = 36;   // "Data\GFX\Enemy\Enemy 000.png"

// The live enemies in the order of the enemy list file, and the one under the
// mouse (an index into the list, -1 none; every removal clears it).
struct EnemyList {
  std::vector<Enemy> enemies;
  int hoveredEnemy = -1;
  // Scratch of the frame's walks, rebuilt by each before use: the indices
  // (ascending) of the enemies that a step or a shot of this walk may meet.
  std::vector<uint32_t> nearby;
};

// Fills rows 1 and 2; the widths come from the loaded enemy images.
void FillEnemyTypes(EnemyTypeTable& types, const SpriteStore& sprites);

// True when `row` names a filled row of the table (1 or 2).
bool IsEnemyType(const EnemyTypeTable& types, int32_t row);

// Appends a copy of type row `row` at (x, y) with every live field zero (so it may
// fire and plan at once). Rows that are empty or outside the table add nothing and
// return false.
bool AddEnemy(EnemyList& list, const EnemyTypeTable& types, int32_t row, int32_t x, int32_t y);

// Removes enemy `index`; the walk that removes it goes on with the one that
// followed. Clears hoveredEnemy.
void RemoveEnemy(EnemyList& list, size_t index);

// The spacing and wall-tested move of enemy `index` with its (vx, vy): every enemy
// after it in the list closer than that enemy's halfWidth pushes the step away from
// itself; then x moves unless the walk grid blocks the cell hitHalf ahead, then y
// (tested from the new x). Probes outside the grid read as blocked.
void StepEnemy(std::vector<Enemy>& enemies, size_t index, const Map& map);
// The same step, where `nearby` (ascending indices) holds every enemy that can be
// within its halfWidth of enemy `index`: only those are looked at for the spacing.
void StepEnemyAmong(std::vector<Enemy>& enemies, size_t index, const Map& map, const std::vector<uint32_t>& nearby);

// Everything the enemy walk reads and writes.
struct EnemyWorld {
  EnemyList& list;
  const Map& map;
  float playerX;
  float playerY;
  const MouseState& mouse;
  BulletList& bullets;
  BurstTargets& fx;  // muzzle fire; also the clock and the random numbers
  PathFinder& pathFinder;
  SpriteStore& sprites;
};

// Frame step 13: clears hoveredEnemy, then for each enemy within 1000 px of the
// player: in sight (distance <= sightRange) it turns to the player and fires when
// its shot is due; otherwise a walking enemy re-plans when due (every 1.00-1.10 s)
// and walks its path; then it is drawn when its corner lies strictly inside the
// screen, and becomes hoveredEnemy when the mouse is on its hit square.
void UpdateEnemies(EnemyWorld& world);

// The direction from (x1, y1) to (x2, y2) in degrees (0 = +x, 90 = +y).
float DirectionTo(float x1, float y1, float x2, float y2);
