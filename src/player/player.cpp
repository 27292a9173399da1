#include "player/player.h"

#include <cmath>

#include "base/input.h"
#include "base/numbers.h"
#include "render/sprites.h"

namespace {

constexpr float kPi = 3.1415927f;
constexpr float kRadiansPerDegree = 0.017453291f;

bool HasWeapon(const Player& player, int slot, const WeaponTable& weapons) {
  const int row = player.weapons[static_cast<size_t>(slot)];
  return row >= 0 && row < kWeaponRows && weapons[static_cast<size_t>(row)].id != 0;
}

void TakeSlot(Player& player, int slot, const WeaponTable& weapons) {
  player.slot = static_cast<uint8_t>(slot);
  player.bodySprite = weapons[static_cast<size_t>(player.weapons[static_cast<size_t>(slot)])].bodySprite;
  player.weaponState = 0;
}

Light* Flashlight(const Player& player, std::vector<Light>& lights) {
  if (player.flashlight < 0 || static_cast<size_t>(player.flashlight) >= lights.size()) return nullptr;
  return &lights[static_cast<size_t>(player.flashlight)];
}

}  // namespace

void InitPlayer(Player& player, const WeaponTable& weapons, const SpriteStore& sprites,
                const Animations& animations) {
  player.health = 100;
  player.armour = 50;
  player.speed = kWalkSpeed;
  player.weapons = {kAutomaticRow, kGrenadeLauncherRow};
  player.slot = 0;
  player.bodySprite = weapons[kAutomaticRow].bodySprite;
  player.bodyWidth = static_cast<int16_t>(sprites.SpriteWidth(player.bodySprite));
  player.bodyHalfWidth = static_cast<int16_t>(player.bodyWidth / 2);
  player.bodyQuarterWidth = static_cast<int16_t>(RoundInt(static_cast<float>(player.bodyHalfWidth) * 0.5f));
  BindAnimation(player.legs, animations, kLegsAnimation);
}

const Weapon* CurrentWeapon(const Player& player, const WeaponTable& weapons) {
  return HasWeapon(player, player.slot, weapons) ? &weapons[static_cast<size_t>(player.weapons[player.slot])]
                                                 : nullptr;
}

Weapon* CurrentWeapon(const Player& player, WeaponTable& weapons) {
  return HasWeapon(player, player.slot, weapons) ? &weapons[static_cast<size_t>(player.weapons[player.slot])]
                                                 : nullptr;
}

void TryStep(Player& player, Map& map) {
  const float size = static_cast<float>(map.tileSize);
  const float probeX = player.stepX > 0 ? player.x + player.stepX + kProbeDistance
                                        : player.x + player.stepX - kProbeDistance;
  if (map.tileSize != 0 && !IsWalkBlocked(map, TruncInt(probeX / size), TruncInt(player.y / size))) {
    player.x += player.stepX;
  }
  const float probeY = player.stepY > 0 ? player.y + player.stepY + kProbeDistance
                                        : player.y + player.stepY - kProbeDistance;
  if (map.tileSize != 0 && !IsWalkBlocked(map, TruncInt(player.x / size), TruncInt(probeY / size))) {
    player.y += player.stepY;
  }
  CenterCamera(map, player.x, player.y);
}

void WalkPlayer(Player& player, Map& map, const Keyboard& keyboard) {
  player.walkCode = 0.0f;
  if (keyboard.Pushed(scan::kW)) {
    player.stepY = -player.speed;
    TryStep(player, map);
    player.stepY = 0.0f;
    player.walkCode = 4.0f;
  } else if (keyboard.Pushed(scan::kS)) {
    player.stepY = player.speed;
    TryStep(player, map);
    player.stepY = 0.0f;
    player.walkCode = 2.0f;
  }
  if (keyboard.Pushed(scan::kA)) {
    player.stepX = -player.speed;
    TryStep(player, map);
    player.stepX = 0.0f;
    player.walkCode = player.walkCode == 2.0f ? 2.5f : player.walkCode == 4.0f ? 3.5f : 3.0f;
  } else if (keyboard.Pushed(scan::kD)) {
    player.stepX = player.speed;
    TryStep(player, map);
    player.stepX = 0.0f;
    player.walkCode = player.walkCode == 2.0f ? 1.5f : player.walkCode == 4.0f ? 0.5f : 1.0f;
  }
}

void SwitchFlashlight(const Player& player, std::vector<Light>& lights, const Keyboard& keyboard) {
  if (!keyboard.Released(scan::kV)) return;
  if (Light* light = Flashlight(player, lights)) light->on = light->on == 0 ? 1 : 0;
}

void AimPlayer(Player& player, const MouseState& mouse, const Map& map) {
  const float dx = static_cast<float>(mouse.worldX) - player.x;
  const float dy = static_cast<float>(mouse.worldY) - player.y;
  const float quotient = dy / dx;
  float a = std::atan(quotient);
  if (dx < 0) a += kPi;
  player.aim = a / kRadiansPerDegree;
  if (std::isnan(quotient) || player.aim < -91.0f || player.aim > 271.0f) {
    player.aim = 0.0f;
    a = 0.0f;
  }
  const float half = static_cast<float>(map.tileSize) / 2.0f;
  player.frontX = player.x + std::cos(a) * half;
  player.frontY = player.y + std::sin(a) * half;
}

void SelectWeaponSlot(Player& player, const WeaponTable& weapons, const Keyboard& keyboard, float now) {
  if (!(now > player.busyUntil)) return;
  if (keyboard.Pushed(scan::k1)) {
    if (HasWeapon(player, 0, weapons)) TakeSlot(player, 0, weapons);
  } else if (keyboard.Pushed(scan::k2)) {
    if (HasWeapon(player, 1, weapons)) TakeSlot(player, 1, weapons);
  }
}

void PlaceFlashlight(const Player& player, std::vector<Light>& lights) {
  Light* light = Flashlight(player, lights);
  if (light == nullptr) return;
  const float b = (player.aim + kFlashlightTurn) * kRadiansPerDegree;
  light->x = RoundInt(player.x + std::cos(b) * kFlashlightReach - static_cast<float>(light->width) / 2.0f);
  light->y = RoundInt(player.y + std::sin(b) * kFlashlightReach - static_cast<float>(light->height) / 2.0f);
  light->angle = static_cast<int16_t>(RoundInt(player.aim));
}

void DrawPlayer(Player& player, const Map& map, const Animations& animations, SpriteStore& sprites) {
  const int32_t sx = RoundInt(player.x - static_cast<float>(map.camera.x) - kPlayerDrawOffset);
  const int32_t sy = RoundInt(player.y - static_cast<float>(map.camera.y) - kPlayerDrawOffset);
  if (player.walkCode != 0.0f) {
    const int16_t angle = static_cast<int16_t>(RoundInt((player.walkCode - 1.0f) * 90.0f));
    PlayAnimationRotated(player.legs, animations, sprites, sx, sy, angle, 0, kLegsLastFrame, kLegsFrameTime, 255);
  } else {
    sprites.Display(FrameSprite(player.legs, 1), sx, sy, 255);
  }
  sprites.Rotate(player.bodySprite, static_cast<float>(RoundInt(player.aim)), 0);
  sprites.Display(player.bodySprite, sx, sy, 255);
}
