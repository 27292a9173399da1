// The player: a soldier seen from above whose body turns to the mouse while the
// legs play in the walking direction. Walking and collision, aiming, the weapon
// slots, the flashlight it carries, and drawing.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "combat/weapons.h"
#include "effects/lighting.h"
#include "player/mouse.h"
#include "world/animation.h"
#include "world/map.h"

class SpriteStore;
struct Keyboard;

constexpr float kProbeDistance = 28.0f;    // how far ahead of the centre a step tests the grid
constexpr float kWalkSpeed = 4.0f;         // pixels per key per frame
constexpr int kPlayerDrawOffset = 48;      // images of 96x96 are drawn centred on the player
constexpr float kLegsFrameTime = 0.05f;
constexpr int16_t kLegsLastFrame = 8;
constexpr int kLegsAnimation = 1;
constexpr int kFlashlightSprite = 58;
constexpr int16_t kFlashlightSize = 192;
constexpr int16_t kFlashlightStartAngle = 45;
constexpr float kFlashlightReach = 100.0f;  // its centre lies this far ahead of the player
constexpr float kFlashlightTurn = 5.0f;     // ... this many degrees clockwise of the aim
constexpr uint8_t kWeaponReloading = 3;

struct Player {
  int32_t bodySprite = 0;          // body of the weapon in the current slot
  int16_t bodyWidth = 0;           // width of the body image at start-up
  int16_t bodyHalfWidth = 0;       // bodyWidth / 2
  int16_t bodyQuarterWidth = 0;    // bodyHalfWidth * 0.5 rounded: half the hit square
  AnimationState legs;             // the walking legs (animation 1)
  float walkCode = 0.0f;           // 0 standing, else 1 + walking angle / 90
  float x = 0.0f;                  // centre, world pixels
  float y = 0.0f;
  float stepX = 0.0f;              // the move being tried (0 outside a step)
  float stepY = 0.0f;
  float frontX = 0.0f;             // half a tile ahead along the aim
  float frontY = 0.0f;
  float aim = 0.0f;                // degrees, -90 to 270
  float speed = kWalkSpeed;
  int16_t health = 100;
  int16_t armour = 50;
  uint8_t weaponState = 0;         // 0 ready, 3 reloading
  uint8_t slot = 0;                // current slot, 0 or 1
  float busyUntil = 0.0f;          // no shot, reload or slot change before this time
  float reloadStart = 0.0f;
  std::array<int, 2> weapons{-1, -1};  // weapon table rows held in the slots (-1 none)
  float muzzleX = 0.0f;            // muzzle offset from the centre
  float muzzleY = 0.0f;
  int flashlight = -1;             // index of the flashlight in the light list (-1 none)
};

// Start values: slot 0 holds the automatic and slot 1 the grenade launcher; the
// body is that of the current weapon and its widths come from the image; the legs
// are bound to animation 1.
void InitPlayer(Player& player, const WeaponTable& weapons, const SpriteStore& sprites,
                const Animations& animations);

// The weapon row of the current slot, or nullptr when the slot is empty.
const Weapon* CurrentWeapon(const Player& player, const WeaponTable& weapons);
Weapon* CurrentWeapon(const Player& player, WeaponTable& weapons);

// W over S, then A over D: each held key makes one step of `speed` pixels on its
// axis, tested against the walk grid 28 px ahead and made whole or refused whole;
// walkCode records the direction (also when a step is refused).
void WalkPlayer(Player& player, Map& map, const Keyboard& keyboard);
// Applies (stepX, stepY) with the probe test, x first, and centres the camera.
void TryStep(Player& player, Map& map);

// V released: the flashlight goes on or off.
void SwitchFlashlight(const Player& player, std::vector<Light>& lights, const Keyboard& keyboard);
// The aim toward the mouse's world point (degrees, 0 along +x, 90 along +y) and the
// front point half a tile ahead along it.
void AimPlayer(Player& player, const MouseState& mouse, const Map& map);
// 1 held takes slot 0, else 2 held takes slot 1, only while now > busyUntil.
void SelectWeaponSlot(Player& player, const WeaponTable& weapons, const Keyboard& keyboard, float now);
// Centres the flashlight 100 px ahead at aim + 5 degrees, turned to the aim.
void PlaceFlashlight(const Player& player, std::vector<Light>& lights);

// Legs (walking: rotated to the walking angle, frames 0-8 at 0.05 s; standing:
// frame 1 as last turned) and the body turned to the aim, both at
// (x - camera - 48, y - camera - 48) rounded.
void DrawPlayer(Player& player, const Map& map, const Animations& animations, SpriteStore& sprites);
