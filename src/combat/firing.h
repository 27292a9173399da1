// Firing: once per frame, after the player has moved and aimed and before anything
// is drawn, the selected weapon's muzzle point is computed, the weapon fires while
// the left button is held, R starts a reload and a reload whose time has run out
// completes.
#pragma once

#include "combat/projectiles.h"
#include "combat/weapons.h"

struct BurstTargets;
struct Keyboard;
struct MouseState;
struct Player;

// Where the shots of one frame go.
struct FiringTargets {
  BulletList& bullets;
  GrenadeList& grenades;
  BurstTargets& fx;  // muzzle fire; also the clock and the random numbers
};

// Frame step 8. With a weapon in the current slot: the muzzle offset from the aim;
// a shot when the left button is held, now is past busyUntil and the magazine holds
// a shot's rounds (one bullet, five pellets or one grenade by the fire kind, then
// busyUntil = now + 1 / fireRate); a reload start when R is released, now is past
// busyUntil, the reserve is above 0 and the magazine not full. In every frame,
// slot filled or not: a running reload completes once now is past busyUntil.
void UpdateWeapon(Player& player, WeaponTable& weapons, const MouseState& mouse, const Keyboard& keyboard,
                  FiringTargets& targets);
