// A small battlefield for the combat tests: an open 30 x 20 map of 64-pixel cells,
// the player with the two start weapons, the enemy types, the particle lists, the
// timed lights, the projectile lists and a seeded generator, all on a recording
// renderer.
#pragma once

#include "combat/enemies.h"
#include "combat/firing.h"
#include "combat/flight.h"
#include "combat/path_finding.h"
#include "effects/bursts.h"
#include "player/mouse.h"
#include "player/player.h"
#include "base/input.h"
#include "support/world_fixture.h"

struct CombatWorld : RecordingWorld {
  Map map = MakeMap(29, 19);
  WeaponTable weapons{};
  Animations animations;
  Player player;
  EnemyTypeTable types{};
  EnemyList enemies;
  PathFinder pathFinder;
  ParticleSystem particles;
  std::vector<TimedLight> timedLights;
  Rng rng{7};
  BulletList bullets;
  GrenadeList grenades;
  MouseState mouse;
  Keyboard keyboard;
  float now = 1.0f;
  SoundCues* cues = nullptr;  // the sound cues of the updates, when a test listens

  CombatWorld() {
    for (int sprite : {34, 35}) PutSprite3D(sprites, sprite, 96, 96);
    for (int sprite : {38, 39, kGrenadeMarkerSprite}) PutSprite3D(sprites, sprite, 8, 8);
    PutSprite3D(sprites, kSoldierSprite, 48, 48);
    PutSprite3D(sprites, kTurretSprite, 64, 64);
    FillWeaponTable(weapons);
    InitPlayer(player, weapons, sprites, animations);
    FillEnemyTypes(types, sprites);
    InitParticleSystem(particles, &now, &map.camera, kParticleTickInterval);
    player.x = 400.0f;
    player.y = 400.0f;
    CenterCamera(map, player.x, player.y);
  }

  BurstTargets Fx() { return BurstTargets{particles, timedLights, rng, now, cues}; }
  float BlastRadius() const { return static_cast<float>(map.tileSize) * kBlastRadiusTiles; }

  // One weapon update at `now` with the left button and R as given.
  void Weapon(bool left, bool releaseR = false) {
    mouse.leftDown = left ? 1 : 0;
    KeyArray keys{};
    if (releaseR) {
      keys[scan::kR] = 1;
      keyboard.Snapshot(keys);
      keys[scan::kR] = 0;
    }
    keyboard.Snapshot(keys);
    BurstTargets fx = Fx();
    FiringTargets targets{bullets, grenades, fx};
    UpdateWeapon(player, weapons, mouse, keyboard, targets);
  }

  void Flight() {
    BurstTargets fx = Fx();
    Battlefield field{map, player, enemies, fx, sprites, BlastRadius()};
    UpdateGrenades(grenades, field);
    UpdateBullets(bullets, field);
  }

  void Enemies() {
    BurstTargets fx = Fx();
    EnemyWorld world{enemies, map, player.x, player.y, mouse, bullets, fx, pathFinder, sprites};
    UpdateEnemies(world);
  }

  Enemy& Add(int row, int x, int y) {
    AddEnemy(enemies, types, row, x, y);
    return enemies.enemies.back();
  }

  size_t Particles() const { return particles.alphaParticles.size() + particles.additiveParticles.size(); }
};
