// The stationary enemy: a gun turret seen from above, 80 x 80, barrels along +x.
#include <cmath>
#include <vector>

#include "families.h"
#include "palette.h"
#include "shapes.h"

namespace art {
namespace {

using namespace palette;

constexpr float kTau = 6.2831853f;

std::vector<Point> RegularPolygon(Point c, float radius, int sides, float turn) {
  std::vector<Point> points;
  for (int i = 0; i < sides; ++i) {
    const float a = kTau * (static_cast<float>(i) + turn) / static_cast<float>(sides);
    points.push_back({c.x + std::cos(a) * radius, c.y + std::sin(a) * radius});
  }
  return points;
}

void DrawBase(Canvas& c, Point centre) {
  const Shape plate = Polygon(RegularPolygon(centre, 37.0f, 8, 0.5f));
  DrawShaded(c, plate, Rgb(96, 100, 92), 1.5f);
  // Hazard ring: yellow and dark wedges between two octagons.
  const Shape ring = Subtract(Polygon(RegularPolygon(centre, 33.0f, 8, 0.5f)), Disc(centre, 25.0f));
  Draw(c, ring, [centre](float x, float y) {
    const float a = std::atan2(y - centre.y, x - centre.x) / kTau * 24.0f;
    return (static_cast<int>(std::floor(a)) % 2 == 0) ? kHazardYellow : kHazardDark;
  });
  for (const Point& bolt : RegularPolygon(centre, 35.0f, 8, 0.0f)) DrawShaded(c, Disc(bolt, 1.8f), kSteelLight);
}

void DrawHead(Canvas& c, Point centre) {
  DrawShaded(c, Disc(centre, 22.0f), Rgb(70, 76, 70), 1.5f);
  // Twin barrels with a mantlet, along +x.
  DrawShaded(c, RoundRect({52, 30, 62, 50}, 3.0f), kGunDark);
  for (float y : {35.0f, 45.0f}) {
    DrawShaded(c, RoundRect({56, y - 3.0f, 78, y + 3.0f}, 1.5f), kGunMetal);
    Draw(c, RoundRect({72, y - 3.6f, 79, y + 3.6f}, 1.5f), kGunDark);
    Draw(c, Capsule({58, y - 1.2f}, {74, y - 1.2f}, 1.0f), Fade(kSteelLight, 0.7f));
  }
  // Top hatch and a sensor eye looking forward.
  DrawShaded(c, Disc({centre.x - 6.0f, centre.y}, 10.0f), Rgb(88, 94, 86), 1.2f);
  Draw(c, Capsule({centre.x - 12.0f, centre.y - 5.0f}, {centre.x - 12.0f, centre.y + 5.0f}, 2.0f), kGunDark);
  Draw(c, Disc({centre.x + 14.0f, centre.y}, 3.2f), Rgb(40, 10, 8));
  Draw(c, Disc({centre.x + 14.0f, centre.y}, 2.2f), Rgb(255, 60, 40));
  Draw(c, Disc({centre.x + 13.3f, centre.y - 0.8f}, 0.8f), Rgb(255, 200, 180));
}

}  // namespace

void AddTurret(ImageList& list) {
  Canvas c(80, 80);
  const Point centre{40, 40};
  DrawBase(c, centre);
  DrawHead(c, centre);
  AddImage(list, "GFX/Enemy/Enemy 000.png", Storage::kCutout, c);
}

}  // namespace art
