// The HUD: drawn last in every frame's 3D drawing, after the lighting pass has
// restored normal alpha blending, so nothing of it is darkened. The crosshair (full
// screen only), the health line over the enemy under the crosshair, the door
// prompt, health, armour, the weapon with its ammunition, the ready sign, the
// reload bar, the emblem and the credits strip.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "combat/enemies.h"
#include "combat/weapons.h"
#include "player/mouse.h"
#include "player/player.h"
#include "world/map.h"

class SpriteStore;

constexpr int kDigitSprite = 22;  // digit d is sprite 22 + d
constexpr int kDigitPitch = 32;   // digits are 32 px apart whatever their images' widths

// What the HUD reads in one frame.
struct HudView {
  uint8_t displayMode = 0;              // 1 full screen: the crosshair shows
  const MouseState& mouse;
  const Enemy* hoveredEnemy = nullptr;  // the enemy under the crosshair, or none
  const Map& map;                       // prompt and camera
  const Player& player;
  const Weapon* weapon = nullptr;       // the weapon in the current slot, or none
  float now = 0.0f;
};

// The three-digit form: right-aligned to three characters with leading zeros; a
// longer number keeps its first three characters (1234 gives "123").
std::string ThreeDigits(int32_t value);

// Draws a string of digits from (x, y), one character every 32 px; a character
// that is not a digit draws as 0.
void DrawNumber(SpriteStore& sprites, std::string_view text, int16_t x, int16_t y);

// The enemy under the crosshair, or nullptr when there is none (-1 or an index
// outside the list).
const Enemy* HoveredEnemy(const EnemyList& list);

// Frame step 17: the 18 elements of the HUD in their fixed order.
void DrawHud(const HudView& view, SpriteStore& sprites);
