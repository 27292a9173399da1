#include "combat/firing.h"

#include <cmath>

#include "effects/bursts.h"
#include "player/mouse.h"
#include "player/player.h"
#include "base/input.h"
#include "base/numbers.h"

namespace {

enum FireKind : uint8_t { kSingleBullet = 2, kPellets = 3, kGrenade = 4 };
constexpr int kPelletsPerShot = 5;

void Fire(Player& player, Weapon& w, FiringTargets& t) {
  const float now = t.fx.now;
  Rng& rng = t.fx.rng;
  w.magazine = static_cast<int16_t>(w.magazine - w.roundsPerShot);
  const float mx = player.x + player.muzzleX;
  const float my = player.y + player.muzzleY;
  const float speed = static_cast<float>(w.projectileSpeed);
  switch (w.fireKind) {
    case kPellets:
      // Each pellet draws its own direction (-10 to +10 degrees) and then its speed.
      for (int i = 0; i < kPelletsPerShot; ++i) {
        const float angle = player.aim + static_cast<float>(rng.Random(20) - 10);
        const float pelletSpeed = speed + static_cast<float>(rng.Random(5));
        AddBullet(t.bullets, w.projectileSprite, mx, my, angle, pelletSpeed, w.damage, w.rangeOrFuse);
      }
      SpawnMuzzleFire(t.fx, mx, my, true);
      break;
    case kGrenade:
      AddGrenade(t.grenades, now, w.projectileSprite, mx, my, player.aim + static_cast<float>(rng.Random(3) - 6),
                 speed, w.damage, static_cast<float>(w.rangeOrFuse));
      break;
    default:
      // One bullet, 3 to 6 degrees anticlockwise of the aim.
      AddBullet(t.bullets, w.projectileSprite, mx, my, player.aim + static_cast<float>(rng.Random(3) - 6), speed,
                w.damage, w.rangeOrFuse);
      SpawnMuzzleFire(t.fx, mx, my, false);
      break;
  }
  player.busyUntil = now + 1.0f / w.fireRate;
  CueSound(t.fx.cues, WeaponShotSound(w.id), mx, my);
}

// Sound only: the dry click of a left button pressed (not held over from the last
// frame) on a ready weapon with too few rounds for a shot.
void CueEmptyTrigger(const Player& player, const Weapon* w, const MouseState& mouse, FiringTargets& t) {
  SoundCues* cues = t.fx.cues;
  if (cues == nullptr) return;
  const bool pressed = mouse.leftDown != 0 && cues->triggerHeld == 0;
  cues->triggerHeld = mouse.leftDown;
  if (pressed && w != nullptr && t.fx.now > player.busyUntil && w->magazine < w->roundsPerShot) {
    CueSound(cues, SoundId::kEmptyClick, player.x, player.y);
  }
}

void CompleteReload(Weapon* w) {
  if (w == nullptr) return;
  const int32_t shortfall = w->magazineSize - w->magazine;
  if (w->reserve >= shortfall) {
    w->reserve -= shortfall;
    w->magazine = static_cast<int16_t>(w->magazine + shortfall);
  } else if (w->reserve > 0) {
    w->magazine = static_cast<int16_t>(w->magazine + w->reserve);
    w->reserve = 0;
  }
}

}  // namespace

void UpdateWeapon(Player& player, WeaponTable& weapons, const MouseState& mouse, const Keyboard& keyboard,
                  FiringTargets& targets) {
  const float now = targets.fx.now;
  Weapon* w = CurrentWeapon(player, weapons);
  CueEmptyTrigger(player, w, mouse, targets);
  if (w != nullptr) {
    const float a = (player.aim + static_cast<float>(w->muzzleAngle)) * kPiOver180;
    player.muzzleX = std::cos(a) * static_cast<float>(w->muzzleDistance);
    player.muzzleY = std::sin(a) * static_cast<float>(w->muzzleDistance);
    if (mouse.leftDown != 0 && now > player.busyUntil && w->magazine >= w->roundsPerShot) {
      Fire(player, *w, targets);
    }
    if (keyboard.Released(scan::kR) && now > player.busyUntil && w->reserve > 0 && w->magazine < w->magazineSize) {
      player.weaponState = kWeaponReloading;
      player.busyUntil = now + w->reloadTime;
      player.reloadStart = now;
      CueSound(targets.fx.cues, SoundId::kReloadStart, player.x, player.y);
    }
  }
  if (now > player.busyUntil && player.weaponState == kWeaponReloading) {
    CompleteReload(w);
    player.weaponState = 0;
    CueSound(targets.fx.cues, SoundId::kReloadEnd, player.x, player.y);
  }
}
