// Weapon pickups lying on the floor: the HUD side views in metal and polymer.
#include <string>

#include "families.h"
#include "palette.h"
#include "weapon_shapes.h"

namespace art {
namespace {

using namespace palette;

Canvas DrawItem(WeaponKind kind, Colour grip) {
  Canvas c(64, 32);
  for (const WeaponPart& part : WeaponSideView(kind, 0.5f, 0.0f, 4.0f)) {
    switch (part.tone) {
      case WeaponTone::kBody:
        DrawShaded(c, part.shape, kGunMetal, 0.8f);
        break;
      case WeaponTone::kGrip:
        DrawShaded(c, part.shape, grip, 0.8f);
        break;
      case WeaponTone::kDetail:
        Draw(c, part.shape, kGunDark);
        break;
      case WeaponTone::kAccent:
        Draw(c, part.shape, kBrass);
        break;
    }
  }
  return c;
}

}  // namespace

void AddItems(ImageList& list) {
  AddImage(list, "GFX/Item/Pistol.png", Storage::kCutout, DrawItem(WeaponKind::kPistol, Rgb(46, 44, 42)));
  AddImage(list, "GFX/Item/GranadeLuncher.png", Storage::kCutout,
           DrawItem(WeaponKind::kGrenadeLauncher, Rgb(84, 96, 60)));
  AddImage(list, "GFX/Item/PumpGun.png", Storage::kCutout, DrawItem(WeaponKind::kPumpGun, kWood));
  AddImage(list, "GFX/Item/Automatic.png", Storage::kCutout, DrawItem(WeaponKind::kAutomatic, Rgb(52, 50, 46)));
}

}  // namespace art
