#include "hud/hud.h"

#include <algorithm>

#include "base/numbers.h"
#include "render/sprites.h"

namespace {

constexpr int kCrossSprite = 21;
constexpr int kCrossOffset = 16;               // the crosshair is centred on the cursor
constexpr int kEnemyBarSprite = 13;
constexpr int kEnemyFrameSprite = 12;
constexpr int kEnemyBarHeight = 8;             // ... and sits 8 px above the enemy's square
constexpr int kDoorPromptSprite = 16;
constexpr float kDoorPromptOffset = 24.0f;     // centred on the player's front point
constexpr int kHealthSprite = 1;
constexpr int kArmourSprite = 2;
constexpr int kAmmunitionSprite = 3;
constexpr int kCartridgeSprite = 4;
constexpr int kReloadFrameSprite = 10;
constexpr int kReloadBarSprite = 11;
constexpr int kReloadSignSprite = 14;
constexpr int kReadySprite = 15;
constexpr int kEmblemSprite = 19;
constexpr int kCreditsSprite = 32;
constexpr int kCreditsAlpha = 180;
constexpr int kNumberY = 24;                   // health, armour and reserve digits
constexpr int kWeaponIconRight = 1000;         // the weapon icon is right-aligned here
constexpr int kCartridgeRight = 996;           // cartridge i sits at 996 - 8 i
constexpr int kCartridgePitch = 8;
constexpr int kReloadBarWidth = 256;           // full width at the end of the reload
constexpr int kReloadBarHeight = 16;

// The health line over the enemy under the crosshair: the bar shrinks from the
// right with the enemy's health (a width of 0 draws nothing), under its frame.
void DrawEnemyHealth(const Enemy& enemy, const Camera& camera, SpriteStore& sprites) {
  const float halfWidth = static_cast<float>(enemy.halfWidth);
  const int x = RoundInt(enemy.x - halfWidth - static_cast<float>(camera.x));
  const int y = RoundInt(enemy.y - halfWidth - static_cast<float>(camera.y) - kEnemyBarHeight);
  sprites.Zoom(kEnemyBarSprite, enemy.width * enemy.health / 100, kEnemyBarHeight);
  sprites.Display(kEnemyBarSprite, x, y);
  sprites.Zoom(kEnemyFrameSprite, enemy.width, kEnemyBarHeight);
  sprites.Display(kEnemyFrameSprite, x, y);
}

// Width of the reload bar: 0 at the start of the reload, 256 at its end. A reload
// that takes no time is complete, and the bar never leaves its frame.
int ReloadBarWidth(const Player& player, float now) {
  const float duration = player.busyUntil - player.reloadStart;
  if (!(duration > 0.0f)) return kReloadBarWidth;
  const float p = (now - player.reloadStart) * kReloadBarWidth / duration;
  if (!(p > 0.0f)) return 0;
  return RoundInt(std::min(p, static_cast<float>(kReloadBarWidth)));
}

// Steps 10-16: everything that belongs to the weapon in the current slot.
void DrawWeapon(const Weapon& weapon, const Player& player, float now, SpriteStore& sprites) {
  sprites.Display(weapon.hudSprite, kWeaponIconRight - sprites.SpriteWidth(weapon.hudSprite), 20);
  sprites.Display(kAmmunitionSprite, 580, 16);
  DrawNumber(sprites, std::to_string(weapon.reserve), 650, kNumberY);
  for (int i = 1; i <= weapon.magazine; ++i) {
    sprites.Display(kCartridgeSprite, kCartridgeRight - kCartridgePitch * i, 80);
  }
  if (player.weaponState != kWeaponReloading) return;
  sprites.Zoom(kReloadBarSprite, ReloadBarWidth(player, now), kReloadBarHeight);
  sprites.Display(kReloadBarSprite, 384, 468);
  sprites.Display(kReloadFrameSprite, 384, 468);
  sprites.Display(kReloadSignSprite, 448, 490);
}

}  // namespace

std::string ThreeDigits(int32_t value) {
  std::string text = std::to_string(value);
  if (text.size() < 3) text.insert(0, 3 - text.size(), '0');
  text.resize(3);
  return text;
}

void DrawNumber(SpriteStore& sprites, std::string_view text, int16_t x, int16_t y) {
  int left = x;
  for (char c : text) {
    const int digit = c >= '0' && c <= '9' ? c - '0' : 0;
    sprites.Display(kDigitSprite + digit, left, y);
    left += kDigitPitch;
  }
}

const Enemy* HoveredEnemy(const EnemyList& list) {
  if (list.hoveredEnemy < 0 || static_cast<size_t>(list.hoveredEnemy) >= list.enemies.size()) return nullptr;
  return &list.enemies[static_cast<size_t>(list.hoveredEnemy)];
}

// The sprites keep the display size of their images (nothing else zooms them); only
// the enemy health line and the reload bar are zoomed, just before they are drawn.
void DrawHud(const HudView& view, SpriteStore& sprites) {
  const Camera& camera = view.map.camera;
  const Player& player = view.player;
  if (view.displayMode == 1) {
    sprites.Display(kCrossSprite, view.mouse.screenX - kCrossOffset, view.mouse.screenY - kCrossOffset);
  }
  if (view.hoveredEnemy != nullptr) DrawEnemyHealth(*view.hoveredEnemy, camera, sprites);
  if (view.map.prompt == 1) {
    sprites.Display(kDoorPromptSprite,
                    RoundInt(player.frontX - static_cast<float>(camera.x) - kDoorPromptOffset),
                    RoundInt(player.frontY - static_cast<float>(camera.y) - kDoorPromptOffset));
  }
  sprites.Display(kHealthSprite, 20, 0);
  DrawNumber(sprites, ThreeDigits(player.health), 110, kNumberY);
  sprites.Display(kArmourSprite, 280, 16);
  DrawNumber(sprites, ThreeDigits(player.armour), 350, kNumberY);
  if (view.now > player.busyUntil) sprites.Display(kReadySprite, 500, 32);
  if (view.weapon != nullptr) DrawWeapon(*view.weapon, player, view.now, sprites);
  sprites.Display(kEmblemSprite, 860, 600);
  sprites.Display(kCreditsSprite, 256, 700, kCreditsAlpha);
}
