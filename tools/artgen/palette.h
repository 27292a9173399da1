// The shared colours of the art: HUD white and amber, uniforms, metals, lights.
#pragma once

#include "canvas.h"

namespace art::palette {

// HUD
constexpr Colour kHudWhite = Rgb(246, 244, 236);
constexpr Colour kHudAmber = Rgb(255, 178, 46);
constexpr Colour kHudAmberLight = Rgb(255, 219, 130);
constexpr Colour kHudAmberDeep = Rgb(214, 122, 18);
constexpr Colour kHudOutline = Rgb(16, 12, 8, 0.9f);

// Player: olive green; enemy: rust red and brown.
constexpr Colour kPlayerUniform = Rgb(88, 112, 58);
constexpr Colour kPlayerVest = Rgb(62, 80, 44);
constexpr Colour kPlayerHelmet = Rgb(74, 96, 52);
constexpr Colour kEnemyUniform = Rgb(138, 62, 44);
constexpr Colour kEnemyVest = Rgb(96, 58, 38);
constexpr Colour kEnemyHelmet = Rgb(58, 44, 40);
constexpr Colour kSkin = Rgb(214, 166, 128);
constexpr Colour kGlove = Rgb(42, 40, 36);
constexpr Colour kBoot = Rgb(36, 32, 28);

// Metals
constexpr Colour kGunMetal = Rgb(72, 76, 84);
constexpr Colour kGunDark = Rgb(30, 32, 36);
constexpr Colour kSteel = Rgb(128, 134, 142);
constexpr Colour kSteelLight = Rgb(176, 182, 188);
constexpr Colour kBrass = Rgb(214, 164, 64);
constexpr Colour kWood = Rgb(122, 78, 44);
constexpr Colour kHazardYellow = Rgb(236, 188, 30);
constexpr Colour kHazardDark = Rgb(30, 28, 26);

}  // namespace art::palette
