// Side views of the four weapons, facing right, shared by the HUD icons and the
// pickup items so both show the same guns.
#pragma once

#include <vector>

#include "shapes.h"

namespace art {

enum class WeaponKind { kPistol, kPumpGun, kAutomatic, kGrenadeLauncher };

// Which colour a part takes.
enum class WeaponTone {
  kBody,    // the main metal
  kGrip,    // grip, stock, foregrip
  kDetail,  // dark lines and holes, drawn on top
  kAccent,  // a small bright part (sight, drum band)
};

struct WeaponPart {
  Shape shape;
  WeaponTone tone = WeaponTone::kBody;
};

// The parts of a weapon laid out in a 128 x 48 frame, scaled by scale and moved
// by (dx, dy); bodies and grips first, details last.
std::vector<WeaponPart> WeaponSideView(WeaponKind kind, float scale, float dx, float dy);

}  // namespace art
