#include "weapon_shapes.h"

#include <utility>

namespace art {
namespace {

// Builds parts in the 128 x 48 design frame and maps them into place.
class PartBuilder {
 public:
  PartBuilder(float scale, float dx, float dy) : s_(scale), dx_(dx), dy_(dy) {}

  void Rect(float x0, float y0, float x1, float y1, float radius, WeaponTone tone) {
    parts_.push_back({RoundRect({X(x0), Y(y0), X(x1), Y(y1)}, radius * s_), tone});
  }
  void Poly(std::vector<Point> points, WeaponTone tone) {
    for (Point& p : points) p = {X(p.x), Y(p.y)};
    parts_.push_back({Polygon(std::move(points)), tone});
  }
  void Line(float x0, float y0, float x1, float y1, float width, WeaponTone tone) {
    parts_.push_back({Capsule({X(x0), Y(y0)}, {X(x1), Y(y1)}, width * s_), tone});
  }
  void Circle(float x, float y, float r, WeaponTone tone) { parts_.push_back({Disc({X(x), Y(y)}, r * s_), tone}); }
  // A trigger guard: a rounded loop under the frame.
  void Guard(float x0, float y0, float x1, float y1) {
    const Shape loop = Outline(RoundRect({X(x0), Y(y0), X(x1), Y(y1)}, 4.0f * s_), 2.2f * s_);
    parts_.push_back({Intersect(loop, RoundRect({X(x0 - 3), Y(y0 + 2), X(x1 + 3), Y(y1 + 3)}, 0.0f)),
                      WeaponTone::kBody});
  }
  std::vector<WeaponPart> Take() { return std::move(parts_); }

 private:
  float X(float x) const { return dx_ + x * s_; }
  float Y(float y) const { return dy_ + y * s_; }
  float s_;
  float dx_;
  float dy_;
  std::vector<WeaponPart> parts_;
};

void Pistol(PartBuilder& b) {
  b.Poly({{38, 27}, {56, 27}, {52, 44}, {33, 44}}, WeaponTone::kGrip);  // grip
  b.Guard(52, 22, 68, 34);
  b.Rect(34, 20, 94, 28, 1.5f, WeaponTone::kBody);   // frame
  b.Rect(30, 11, 100, 21, 2.0f, WeaponTone::kBody);  // slide
  b.Rect(96, 13, 103, 19, 1.0f, WeaponTone::kBody);  // barrel tip
  for (float x = 35.0f; x <= 47.0f; x += 3.0f) b.Line(x, 13, x, 19, 1.2f, WeaponTone::kDetail);  // serrations
  b.Rect(66, 13, 78, 17, 1.0f, WeaponTone::kDetail);  // ejection port
  b.Line(39, 31, 50, 31, 1.2f, WeaponTone::kDetail);  // grip texture
  b.Line(38, 36, 49, 36, 1.2f, WeaponTone::kDetail);
  b.Line(37, 41, 48, 41, 1.2f, WeaponTone::kDetail);
  b.Rect(93, 8, 96, 11, 0.5f, WeaponTone::kAccent);  // front sight
}

void PumpGun(PartBuilder& b) {
  b.Poly({{32, 15}, {32, 27}, {6, 35}, {2, 33}, {2, 20}, {8, 17}}, WeaponTone::kGrip);  // stock
  b.Poly({{36, 24}, {48, 24}, {44, 38}, {34, 38}}, WeaponTone::kGrip);                   // grip
  b.Guard(44, 22, 58, 31);
  b.Rect(30, 12, 66, 26, 2.0f, WeaponTone::kBody);     // receiver
  b.Rect(62, 13, 126, 18, 1.5f, WeaponTone::kBody);    // barrel
  b.Rect(62, 19, 114, 24, 1.5f, WeaponTone::kBody);    // magazine tube
  b.Rect(74, 17, 102, 28, 3.0f, WeaponTone::kGrip);    // pump
  for (float x = 78.0f; x <= 98.0f; x += 4.0f) b.Line(x, 19, x, 26, 1.4f, WeaponTone::kDetail);
  b.Line(36, 18, 58, 18, 1.2f, WeaponTone::kDetail);  // receiver line
  b.Rect(122, 10, 125, 13, 0.5f, WeaponTone::kAccent);  // bead sight
}

void Automatic(PartBuilder& b) {
  b.Poly({{30, 14}, {30, 24}, {8, 30}, {4, 30}, {4, 14}}, WeaponTone::kGrip);  // stock
  b.Line(6, 22, 28, 19, 2.0f, WeaponTone::kDetail);                            // stock cut-out line
  b.Poly({{38, 23}, {48, 23}, {45, 38}, {35, 38}}, WeaponTone::kGrip);         // grip
  b.Poly({{58, 23}, {70, 23}, {74, 42}, {64, 44}}, WeaponTone::kGrip);         // curved magazine
  b.Guard(46, 21, 58, 30);
  b.Rect(28, 12, 80, 25, 2.0f, WeaponTone::kBody);    // receiver
  b.Rect(74, 11, 102, 23, 2.5f, WeaponTone::kGrip);   // handguard
  b.Rect(100, 15, 120, 19, 1.0f, WeaponTone::kBody);  // barrel
  b.Rect(116, 13, 125, 21, 1.0f, WeaponTone::kBody);  // muzzle brake
  b.Rect(40, 7, 70, 12, 1.5f, WeaponTone::kBody);     // top rail and sight
  for (float x = 78.0f; x <= 98.0f; x += 5.0f) b.Rect(x, 14, x + 2.5f, 20, 1.0f, WeaponTone::kDetail);
  b.Rect(50, 15, 62, 18, 1.0f, WeaponTone::kDetail);  // ejection port
  b.Rect(118, 15, 120, 19, 0.5f, WeaponTone::kDetail);
  b.Rect(44, 5, 50, 8, 0.8f, WeaponTone::kAccent);  // rear sight
}

void GrenadeLauncher(PartBuilder& b) {
  b.Poly({{32, 16}, {32, 28}, {10, 34}, {6, 32}, {6, 20}}, WeaponTone::kGrip);  // stock
  b.Poly({{38, 27}, {48, 27}, {45, 42}, {35, 42}}, WeaponTone::kGrip);          // grip
  b.Guard(46, 25, 58, 34);
  b.Rect(30, 14, 62, 28, 2.0f, WeaponTone::kBody);    // frame
  b.Rect(46, 8, 74, 34, 5.0f, WeaponTone::kBody);     // drum
  b.Rect(70, 9, 124, 27, 3.0f, WeaponTone::kBody);    // wide barrel
  b.Poly({{92, 27}, {102, 27}, {100, 40}, {92, 40}}, WeaponTone::kGrip);  // foregrip
  b.Rect(48, 12, 72, 15, 1.0f, WeaponTone::kDetail);  // drum grooves
  b.Rect(48, 19, 72, 22, 1.0f, WeaponTone::kDetail);
  b.Rect(48, 26, 72, 29, 1.0f, WeaponTone::kDetail);
  b.Rect(120, 11, 124, 25, 1.0f, WeaponTone::kDetail);  // bore
  b.Rect(78, 12, 116, 14, 1.0f, WeaponTone::kAccent);   // band along the barrel
  b.Rect(80, 5, 90, 9, 1.0f, WeaponTone::kBody);        // sight
}

}  // namespace

std::vector<WeaponPart> WeaponSideView(WeaponKind kind, float scale, float dx, float dy) {
  PartBuilder b(scale, dx, dy);
  switch (kind) {
    case WeaponKind::kPistol:
      Pistol(b);
      break;
    case WeaponKind::kPumpGun:
      PumpGun(b);
      break;
    case WeaponKind::kAutomatic:
      Automatic(b);
      break;
    case WeaponKind::kGrenadeLauncher:
      GrenadeLauncher(b);
      break;
  }
  return b.Take();
}

}  // namespace art
