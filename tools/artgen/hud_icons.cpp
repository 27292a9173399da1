// HUD icons: health, armour, ammunition, weapons, grenade marker, prompts,
// emblem and crosshair. White and amber on transparent with a thin dark outline.
#include <algorithm>
#include <cmath>
#include <string>

#include "families.h"
#include "filters.h"
#include "palette.h"
#include "text.h"
#include "weapon_shapes.h"

namespace art {
namespace {

using namespace palette;

// Amber lit from above: light at the top edge of the box, deep at the bottom.
Paint AmberFill(float top, float bottom) {
  return Linear({0, top}, {0, bottom}, {{0.0f, kHudAmberLight}, {0.5f, kHudAmber}, {1.0f, kHudAmberDeep}});
}

Paint WhiteFill(float top, float bottom) {
  return Linear({0, top}, {0, bottom}, {{0.0f, kHudWhite}, {1.0f, Rgb(196, 196, 188)}});
}

// The finishing touch of every HUD item: a thin dark outline and a soft shadow.
Canvas Finish(const Canvas& item) { return Outlined(item, kHudOutline, 1.4f, 0.35f); }

Canvas DrawHealth() {
  Canvas c(80, 64);
  const Shape bar = RoundRect({12, 24, 68, 44}, 4);
  const Shape post = RoundRect({30, 6, 50, 62}, 4);
  const Shape plus = Union(bar, post);
  Draw(c, plus, AmberFill(6, 62));
  Draw(c, Union(RoundRect({17, 29, 63, 39}, 2), RoundRect({35, 11, 45, 57}, 2)), WhiteFill(6, 62));
  return Finish(c);
}

Canvas DrawArmor() {
  Canvas c(64, 48);
  const Shape shield = Polygon({{32, 3}, {52, 9}, {51, 25}, {45, 36}, {32, 45}, {19, 36}, {13, 25}, {12, 9}});
  Draw(c, shield, AmberFill(3, 45));
  const Shape inner = Grown(shield, -4.0f);
  Draw(c, inner, Fade(kHudAmberDeep, 0.55f));
  // A white chevron across the shield.
  Draw(c, Polygon({{19, 17}, {32, 26}, {45, 17}, {45, 24}, {32, 33}, {19, 24}}), WhiteFill(17, 33));
  Draw(c, Capsule({32, 8}, {32, 14}, 2.5f), Fade(kHudWhite, 0.8f));
  return Finish(c);
}

// One cartridge standing upright in the box: copper tip, brass case, darker rim.
void DrawCartridge(Canvas& c, Box box) {
  const float w = box.x1 - box.x0;
  const float h = box.y1 - box.y0;
  const float tip = box.y0 + h * 0.34f;
  const Shape bullet = Union(Ellipse({box.x0 + w * 0.5f, tip}, w * 0.5f, h * 0.3f),
                             RoundRect({box.x0, tip, box.x1, box.y0 + h * 0.45f}, 0));
  Draw(c, Intersect(bullet, RoundRect({box.x0, box.y0, box.x1, box.y0 + h * 0.45f}, 0)),
       Linear({box.x0, 0}, {box.x1, 0}, {{0.0f, Rgb(255, 236, 210)}, {0.5f, Rgb(236, 160, 110)},
                                          {1.0f, Rgb(170, 96, 60)}}));
  Draw(c, RoundRect({box.x0, box.y0 + h * 0.44f, box.x1, box.y1 - h * 0.07f}, w * 0.12f),
       Linear({box.x0, 0}, {box.x1, 0}, {{0.0f, kHudAmberLight}, {0.45f, kHudAmber}, {1.0f, kHudAmberDeep}}));
  Draw(c, RoundRect({box.x0 - 0.5f, box.y1 - h * 0.1f, box.x1 + 0.5f, box.y1}, w * 0.1f), kHudAmberDeep);
}

Canvas DrawMunitionBig() {
  Canvas c(64, 48);
  DrawCartridge(c, {14, 8, 26, 44});
  DrawCartridge(c, {26, 4, 38, 40});
  DrawCartridge(c, {38, 8, 50, 44});
  return Finish(c);
}

Canvas DrawMunition() {
  Canvas c(6, 16);
  DrawCartridge(c, {0.5f, 0.5f, 5.5f, 15.5f});
  return c;
}

Canvas DrawWeaponIcon(WeaponKind kind) {
  Canvas c(128, 48);
  for (const WeaponPart& part : WeaponSideView(kind, 1.0f, 0.0f, 0.0f)) {
    switch (part.tone) {
      case WeaponTone::kBody:
        Draw(c, part.shape, WhiteFill(4, 44));
        break;
      case WeaponTone::kGrip:
        Draw(c, part.shape, AmberFill(8, 44));
        break;
      case WeaponTone::kDetail:
        Draw(c, part.shape, Rgb(60, 52, 40, 0.9f));
        break;
      case WeaponTone::kAccent:
        Draw(c, part.shape, kHudAmber);
        break;
    }
  }
  return Finish(c);
}

Canvas DrawGrenadeMarker() {
  Canvas c(32, 32);
  const Point centre{16, 16};
  Draw(c, Ring(centre, 11.0f, 2.6f), kHudAmber);
  for (int i = 0; i < 4; ++i) {
    const float a = static_cast<float>(i) * 1.5707964f + 0.7853982f;
    const Point in{centre.x + std::cos(a) * 6.0f, centre.y + std::sin(a) * 6.0f};
    const Point out{centre.x + std::cos(a) * 9.0f, centre.y + std::sin(a) * 9.0f};
    Draw(c, Capsule(in, out, 2.0f), kHudAmberLight);
  }
  return Outlined(c, kHudOutline, 1.0f, 0.0f);
}

// A key cap seen at a slight angle: darker front edge, lighter top face.
Canvas KeyCap(int size) {
  Canvas c(size, size);
  const float s = static_cast<float>(size);
  Draw(c, RoundRect({s * 0.1f, s * 0.12f, s * 0.9f, s * 0.92f}, s * 0.14f), Rgb(30, 28, 24, 0.85f));
  const Shape top = RoundRect({s * 0.14f, s * 0.1f, s * 0.86f, s * 0.8f}, s * 0.11f);
  Draw(c, top, Linear({0, s * 0.1f}, {0, s * 0.8f}, {{0.0f, Rgb(86, 80, 70, 0.92f)}, {1.0f, Rgb(50, 46, 40, 0.92f)}}));
  Draw(c, Outline(top, 2.0f), kHudWhite);
  return c;
}

Canvas DrawOpen() {
  Canvas c = KeyCap(48);
  const int size = FittingPointSize("E", 22, 24);
  DrawTextCentred(c, "E", size, {7, 5, 41, 38}, Solid(kHudAmberLight));
  return Finish(c);
}

Canvas DrawTake() {
  Canvas c = KeyCap(48);
  // A hand-down arrow into a tray: pick up.
  Draw(c, Capsule({24, 12}, {24, 26}, 4.0f), kHudAmberLight);
  Draw(c, Polygon({{16, 23}, {32, 23}, {24, 31}}), kHudAmberLight);
  Draw(c, Polygon({{13, 29}, {16, 29}, {16, 33}, {32, 33}, {32, 29}, {35, 29}, {35, 36}, {13, 36}}), kHudWhite);
  return Finish(c);
}

Canvas DrawCross() {
  Canvas c(32, 32);
  const Colour white = kHudWhite;
  Draw(c, Capsule({16, 5}, {16, 11}, 2.2f), white);
  Draw(c, Capsule({16, 21}, {16, 27}, 2.2f), white);
  Draw(c, Capsule({5, 16}, {11, 16}, 2.2f), white);
  Draw(c, Capsule({21, 16}, {27, 16}, 2.2f), white);
  Draw(c, Disc({16, 16}, 1.6f), kHudAmber);
  // A broad, nearly opaque dark rim, so the white arms show on the brightest floors.
  return Outlined(c, Rgb(8, 6, 4, 0.95f), 2.4f, 0.0f);
}

}  // namespace

Canvas DrawEmblem(int size) {
  const float s = static_cast<float>(size) / 256.0f;
  Canvas c(size, size);
  std::vector<Point> hex;
  std::vector<Point> inner;
  for (int i = 0; i < 6; ++i) {
    const float a = static_cast<float>(i) * 1.0471976f - 1.5707964f;
    hex.push_back({128.0f * s + std::cos(a) * 118.0f * s, 128.0f * s + std::sin(a) * 118.0f * s});
    inner.push_back({128.0f * s + std::cos(a) * 100.0f * s, 128.0f * s + std::sin(a) * 100.0f * s});
  }
  const Shape outer = Polygon(hex);
  Draw(c, outer, AmberFill(10.0f * s, 246.0f * s));
  Draw(c, Polygon(inner),
       Radial({110.0f * s, 90.0f * s}, 170.0f * s, {{0.0f, Rgb(58, 60, 58, 0.92f)}, {1.0f, Rgb(18, 20, 20, 0.92f)}}));
  // Two chevrons forming a V, the larger in amber, the smaller in white.
  auto chevron = [s](float top, float depth, float width) {
    return Polygon({{(128 - width) * s, top * s}, {(128 - width + 22) * s, top * s}, {128 * s, (top + depth - 30) * s},
                    {(128 + width - 22) * s, top * s}, {(128 + width) * s, top * s}, {128 * s, (top + depth) * s}});
  };
  Draw(c, chevron(62, 120, 72), AmberFill(62.0f * s, 182.0f * s));
  Draw(c, chevron(96, 62, 38), WhiteFill(96.0f * s, 158.0f * s));
  Draw(c, Capsule({84 * s, 196 * s}, {172 * s, 196 * s}, 6.0f * s), Fade(kHudAmber, 0.9f));
  return Outlined(c, kHudOutline, std::max(1.0f, 2.0f * s), 0.4f);
}

void AddHudIcons(ImageList& list) {
  AddImage(list, "GFX/HUD/Health.png", Storage::kAlpha, DrawHealth());
  AddImage(list, "GFX/HUD/Armor.png", Storage::kAlpha, DrawArmor());
  AddImage(list, "GFX/HUD/MunitionBig.png", Storage::kAlpha, DrawMunitionBig());
  AddImage(list, "GFX/HUD/Munition.png", Storage::kAlpha, DrawMunition());
  AddImage(list, "GFX/HUD/Pistol.png", Storage::kAlpha, DrawWeaponIcon(WeaponKind::kPistol));
  AddImage(list, "GFX/HUD/PumpGun.png", Storage::kAlpha, DrawWeaponIcon(WeaponKind::kPumpGun));
  AddImage(list, "GFX/HUD/Automatic.png", Storage::kAlpha, DrawWeaponIcon(WeaponKind::kAutomatic));
  AddImage(list, "GFX/HUD/Granade.png", Storage::kAlpha, DrawWeaponIcon(WeaponKind::kGrenadeLauncher));
  AddImage(list, "GFX/HUD/Granade2.png", Storage::kAlpha, DrawGrenadeMarker());
  AddImage(list, "GFX/HUD/Open.png", Storage::kAlpha, DrawOpen());
  AddImage(list, "GFX/HUD/Take.png", Storage::kAlpha, DrawTake());
  AddImage(list, "GFX/HUD/Korv.png", Storage::kAlpha, DrawEmblem(256));
  AddImage(list, "GFX/HUD/Korv small.png", Storage::kAlpha, DrawEmblem(128));
  AddImage(list, "GFX/HUD/Cross.png", Storage::kAlpha, DrawCross());
}

}  // namespace art
