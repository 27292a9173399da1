// The weapon table: constants and live ammunition of each weapon. The player's
// two slots refer to rows of it, so ammunition lives in the row.
#pragma once

#include <array>
#include <cstdint>
#include <string>

struct Weapon {
  uint8_t id = 0;                // weapon number 1..4 (0 in the empty rows)
  std::string name;              // empty in every row; nothing shows it
  int32_t hudSprite = 0;         // HUD icon
  int32_t bodySprite = 0;        // player body shown while it is selected
  int16_t muzzleAngle = 0;       // degrees added to the aim to find the muzzle
  int16_t muzzleDistance = 0;    // pixels from the player's centre to the muzzle
  uint8_t fireKind = 0;          // 2 one bullet, 3 five pellets, 4 one grenade
  int32_t projectileSprite = 0;  // bullet or grenade image
  int32_t reserve = 0;           // rounds carried outside the magazine
  int16_t magazine = 0;          // rounds in the magazine
  int16_t magazineSize = 0;
  int16_t roundsPerShot = 0;
  int16_t damage = 0;            // per bullet, pellet or grenade
  float fireRate = 0.0f;         // shots per second
  float reloadTime = 0.0f;       // seconds
  int32_t rangeOrFuse = 0;       // bullets: range in pixels; grenades: fuse in seconds
  int32_t projectileSpeed = 0;
};

constexpr int kWeaponRows = 12;  // rows 0-11; 1-4 are filled
using WeaponTable = std::array<Weapon, kWeaponRows>;

enum WeaponRow : int { kPistolRow = 1, kPumpGunRow = 2, kAutomaticRow = 3, kGrenadeLauncherRow = 4 };

// Fills rows 1-4 (pistol, pump gun, automatic, grenade launcher) with their start
// values; the other rows stay zero.
void FillWeaponTable(WeaponTable& weapons);
