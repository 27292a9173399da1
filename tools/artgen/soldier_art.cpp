// Soldiers seen from above, facing +x and centred in 96 x 96: the player's three
// bodies (green), the enemy soldier (rust red and brown), and the walking legs.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "families.h"
#include "filters.h"
#include "noise.h"
#include "palette.h"
#include "shapes.h"

namespace art {
namespace {

using namespace palette;

constexpr float kTau = 6.2831853f;

struct Outfit {
  Colour uniform;
  Colour vest;
  Colour helmet;
  Colour pack;
  Colour band;      // stripe on the helmet
  Colour blotch;    // camouflage blotches
  uint32_t seed;    // camouflage pattern
};

// The joints of both arms; the left arm is on the upper side of the image (-y).
struct Pose {
  Point leftElbow;
  Point leftHand;
  Point rightElbow;
  Point rightHand;
  float gunY;  // the weapon's line along x
};

constexpr Point kLeftShoulder{45, 30};
constexpr Point kRightShoulder{45, 66};

// A weapon seen from above, lying along +x.
enum class TopWeapon { kPistol, kPumpGun, kLauncher, kRifle };

// Cloth with blotches of a second colour and darker patches from value noise.
Paint Camouflage(Colour base, Colour blotch, uint32_t seed) {
  return [=](float x, float y) {
    const float n = Fractal(x / 7.0f, y / 7.0f, 2, seed);
    const float m = Fractal(x / 5.0f, y / 5.0f, 2, seed + 9u);
    if (n > 0.62f) return blotch;
    if (m < 0.36f) return Shade(base, 0.78f);
    return base;
  };
}

void DrawTorso(Canvas& c, const Outfit& o) {
  DrawShaded(c, RoundRect({23, 33, 39, 63}, 5), o.pack);                        // backpack
  Draw(c, Capsule({29, 36}, {29, 60}, 2.0f), Fade(Shade(o.pack, 0.6f), 0.9f));  // its flap seam
  DrawShaded(c, Ellipse({46, 48}, 12, 22), Camouflage(o.uniform, o.blotch, o.seed));  // shoulders
  DrawShaded(c, RoundRect({36, 35, 56, 61}, 6), o.vest);                              // vest
  for (float y : {37.0f, 51.0f}) DrawShaded(c, RoundRect({50, y, 56, y + 8}, 2), Shade(o.vest, 1.2f));  // pouches
}

// An arm from the shoulder through the elbow to the hand, with a glove.
void DrawArm(Canvas& c, Point shoulder, Point elbow, Point hand, const Outfit& o) {
  const Paint sleeve = Camouflage(Shade(o.uniform, 1.05f), o.blotch, o.seed + 1u);
  const Colour edge = Shade(o.uniform, 0.4f);
  Draw(c, Capsule(shoulder, elbow, 9.0f), edge);
  Draw(c, Capsule(elbow, hand, 7.5f), edge);
  DrawShaded(c, Capsule(shoulder, elbow, 7.5f), sleeve, 0.0f);
  DrawShaded(c, Capsule(elbow, hand, 6.0f), sleeve, 0.0f);
  DrawShaded(c, Disc(hand, 4.0f), kGlove);
}

void DrawHead(Canvas& c, const Outfit& o) {
  Draw(c, Disc({48, 48}, 12.5f), Fade(Shade(o.helmet, 0.35f), 0.9f));  // brim shadow
  DrawShaded(c, Disc({48, 48}, 11.5f), Camouflage(o.helmet, Shade(o.blotch, 0.9f), o.seed + 2u), 1.0f);
  Draw(c, Capsule({40, 48}, {55, 48}, 2.6f), Fade(o.band, 0.9f));  // stripe front to back
  Draw(c, Ellipse({59.0f, 48}, 1.8f, 4.5f), Shade(kSkin, 0.85f));   // face under the brim
}

void DrawTopWeapon(Canvas& c, TopWeapon w, float y) {
  switch (w) {
    case TopWeapon::kPistol:
      DrawShaded(c, RoundRect({64, y - 3, 84, y + 3}, 1.5f), kGunDark);
      Draw(c, Capsule({68, y}, {82, y}, 1.2f), kGunMetal);
      break;
    case TopWeapon::kPumpGun:
      DrawShaded(c, RoundRect({36, y - 3.5f, 56, y + 3.5f}, 2.5f), kWood);   // stock
      DrawShaded(c, RoundRect({52, y - 3.5f, 68, y + 3.5f}, 1.5f), kGunDark);  // receiver
      DrawShaded(c, RoundRect({64, y - 2.2f, 94, y + 2.2f}, 1.0f), kGunMetal);  // barrel
      DrawShaded(c, RoundRect({70, y - 4.0f, 82, y + 4.0f}, 2.0f), kWood);    // pump
      break;
    case TopWeapon::kLauncher:
      DrawShaded(c, RoundRect({38, y - 3.5f, 56, y + 3.5f}, 2.5f), kGunDark);  // stock
      DrawShaded(c, RoundRect({54, y - 8.0f, 70, y + 8.0f}, 5.0f), kGunMetal);  // drum
      DrawShaded(c, RoundRect({66, y - 5.0f, 92, y + 5.0f}, 2.5f), kGunMetal);  // barrel
      Draw(c, RoundRect({88, y - 3.5f, 92, y + 3.5f}, 1.0f), kGunDark);        // bore
      Draw(c, Ring({62, y}, 4.0f, 1.4f), kGunDark);
      break;
    case TopWeapon::kRifle:
      DrawShaded(c, RoundRect({36, y - 3.0f, 54, y + 3.0f}, 2.0f), kGunDark);   // stock
      DrawShaded(c, RoundRect({52, y - 3.5f, 74, y + 3.5f}, 1.5f), kGunMetal);  // receiver
      DrawShaded(c, RoundRect({70, y - 3.0f, 84, y + 3.0f}, 1.5f), kGunDark);   // handguard
      DrawShaded(c, RoundRect({82, y - 1.6f, 93, y + 1.6f}, 0.8f), kGunMetal);  // barrel
      break;
  }
}

Canvas DrawSoldier(const Outfit& o, TopWeapon w, const Pose& pose) {
  Canvas c(96, 96);
  DrawTorso(c, o);
  DrawTopWeapon(c, w, pose.gunY);
  DrawArm(c, kLeftShoulder, pose.leftElbow, pose.leftHand, o);
  DrawArm(c, kRightShoulder, pose.rightElbow, pose.rightHand, o);
  DrawHead(c, o);
  return c;
}

Outfit PlayerOutfit() {
  return {kPlayerUniform, kPlayerVest, kPlayerHelmet, Rgb(90, 84, 58), Rgb(52, 66, 36), Rgb(120, 112, 72), 41u};
}

Outfit EnemyOutfit() {
  return {kEnemyUniform, kEnemyVest, kEnemyHelmet, Rgb(74, 50, 34), Rgb(190, 40, 30), Rgb(104, 46, 34), 42u};
}

// One leg from the hip to the boot; a lifted foot is drawn a little larger.
void DrawLeg(Canvas& c, Point hip, float footX, float lift) {
  const float footY = hip.y + (hip.y < 48.0f ? -1.0f : 1.0f);
  const float scale = 1.0f + 0.12f * lift;
  Draw(c, Capsule(hip, {footX, footY}, 11.0f * scale), Rgb(40, 42, 34));
  Draw(c, Capsule(hip, {footX, footY}, 9.5f * scale), Rgb(78, 80, 62));
  const float half = 8.5f * scale;
  const float width = 5.0f * scale;
  DrawShaded(c, RoundRect({footX - half + 2.0f, footY - width, footX + half + 2.0f, footY + width}, width * 0.9f),
             kBoot, 1.0f);
  Draw(c, Capsule({footX + half - 2.0f, footY - width * 0.4f}, {footX + half - 2.0f, footY + width * 0.4f}, 2.0f),
       Rgb(70, 64, 56));
}

Canvas DrawLegsFrame(int frame) {
  Canvas c(96, 96);
  // Frame 1 has both feet together (the standing pose); the cycle runs through 9 frames.
  const float phase = kTau * static_cast<float>(frame - 1) / 9.0f;
  const float stride = 21.0f * std::sin(phase);
  const float swing = std::cos(phase);
  DrawLeg(c, {47, 40}, 48.0f + stride, std::max(0.0f, swing));
  DrawLeg(c, {47, 56}, 48.0f - stride, std::max(0.0f, -swing));
  return c;
}

}  // namespace

void AddSoldiers(ImageList& list) {
  const Outfit player = PlayerOutfit();
  // Pistol: both arms stretched forward, hands together on the grip.
  AddImage(list, "GFX/Player/Player Pistol.png", Storage::kCutout,
           DrawSoldier(player, TopWeapon::kPistol, {{57, 37}, {67, 45}, {57, 59}, {67, 51}, 48}));
  // Long guns lie along the right side: right hand on the grip, left on the fore end.
  AddImage(list, "GFX/Player/Player PumpGun.png", Storage::kCutout,
           DrawSoldier(player, TopWeapon::kPumpGun, {{62, 36}, {76, 55}, {47, 71}, {57, 59}, 56}));
  AddImage(list, "GFX/Player/Player Granade.png", Storage::kCutout,
           DrawSoldier(player, TopWeapon::kLauncher, {{64, 37}, {79, 56}, {46, 71}, {53, 60}, 57}));
  AddImage(list, "GFX/Enemy/Enemy 001.png", Storage::kCutout,
           DrawSoldier(EnemyOutfit(), TopWeapon::kRifle, {{62, 36}, {76, 54}, {47, 70}, {58, 58}, 55}));
}

void AddLegs(ImageList& list) {
  for (int f = 0; f <= 8; ++f) {
    AddImage(list, "GFX/Animation/Legs/Legs 0" + std::to_string(f) + ".png", Storage::kCutout, DrawLegsFrame(f));
  }
}

}  // namespace art
