// Layer-1 overlays, 64 x 64, black keyed (pure black shows the floor beneath):
// rubble, hazard stripes, a puddle, cables, fallen leaves and a painted arrow.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "families.h"
#include "filters.h"
#include "noise.h"
#include "palette.h"
#include "tile_kit.h"

namespace art {
namespace {

using namespace palette;

constexpr float kTau = 6.2831853f;

// An irregular stone: a polygon with a jittered radius.
Shape Stone(Point c, float radius, Rng& rng) {
  std::vector<Point> points;
  const int sides = 5 + rng.Below(3);
  const float turn = rng.Range(0.0f, kTau);
  for (int i = 0; i < sides; ++i) {
    const float a = turn + kTau * static_cast<float>(i) / static_cast<float>(sides);
    const float r = radius * rng.Range(0.65f, 1.15f);
    points.push_back({c.x + std::cos(a) * r, c.y + std::sin(a) * r});
  }
  return Polygon(points);
}

Canvas Rubble() {
  Canvas c(kTile, kTile);
  Rng rng(61);
  for (int i = 0; i < 16; ++i) {
    const Point p{rng.Range(8, 56), rng.Range(8, 56)};
    const float r = rng.Range(2.0f, 6.5f);
    const Shape stone = Stone(p, r, rng);
    DrawShaded(c, stone, Shade(Rgb(128, 122, 112), rng.Range(0.75f, 1.2f)), 0.8f);
  }
  for (int i = 0; i < 30; ++i) Draw(c, Disc({rng.Range(6, 58), rng.Range(6, 58)}, rng.Range(0.6f, 1.2f)), Rgb(150, 144, 132));
  return c;
}

Canvas Stripes() {
  Canvas c(kTile, kTile);
  const Shape band = RoundRect({0, 22, 64, 42}, 0);
  Draw(c, band, [](float x, float y) {
    const bool yellow = static_cast<int>(std::floor((x + y) / 8.0f)) % 2 == 0;
    const float wear = TileNoise(x, y, 8, 3, 62u);
    const Colour base = yellow ? kHazardYellow : kHazardDark;
    return Shade(base, wear < 0.3f ? 0.75f : 1.0f);
  });
  Draw(c, RoundRect({0, 22, 64, 23}, 0), Rgb(20, 18, 16));
  Draw(c, RoundRect({0, 41, 64, 42}, 0), Rgb(20, 18, 16));
  return c;
}

Canvas Puddle() {
  Canvas c(kTile, kTile);
  const Paint water = [](float x, float y) {
    const float ripple = TileNoise(x * 0.5f, y * 2.0f, 16, 2, 63u);
    return Mix(Rgb(34, 44, 56), Rgb(96, 118, 140), ripple * ripple);
  };
  ForEachPixel(c, [&](int x, int y, Texel& t) {
    const float fx = static_cast<float>(x) + 0.5f;
    const float fy = static_cast<float>(y) + 0.5f;
    const float dx = (fx - 32.0f) / 26.0f;
    const float dy = (fy - 33.0f) / 18.0f;
    const float shape = 1.0f - std::sqrt(dx * dx + dy * dy) + 0.35f * (TileNoise(fx, fy, 16, 2, 64u) - 0.5f);
    const float cover = std::clamp(shape * 10.0f, 0.0f, 1.0f);
    const Colour col = water(fx, fy);
    t = {col.r * cover, col.g * cover, col.b * cover, cover};
  });
  // A sheen of reflected light.
  Draw(c, Capsule({20, 27}, {34, 24}, 2.0f), Rgb(200, 220, 235, 0.5f), Blend::kInside);
  return c;
}

// A cable entering at the left edge and leaving at the right at the same height,
// so cables join across tiles.
void Cable(Canvas& c, float y, float sway, float phase, Colour colour) {
  std::vector<Point> points;
  for (int i = 0; i <= 32; ++i) {
    const float x = static_cast<float>(i) * 2.0f;
    points.push_back({x, y + sway * std::sin(kTau * x / 64.0f + phase) * std::sin(3.1415927f * x / 64.0f)});
  }
  for (size_t i = 1; i < points.size(); ++i) {
    const Point a = points[i - 1];
    const Point b = points[i];
    Draw(c, Capsule({a.x + 1.0f, a.y + 1.2f}, {b.x + 1.0f, b.y + 1.2f}, 4.2f), Rgb(12, 12, 12, 0.5f));
  }
  for (size_t i = 1; i < points.size(); ++i) Draw(c, Capsule(points[i - 1], points[i], 3.6f), colour);
  for (size_t i = 1; i < points.size(); ++i) {
    const Point a = points[i - 1];
    const Point b = points[i];
    Draw(c, Capsule({a.x, a.y - 0.8f}, {b.x, b.y - 0.8f}, 0.9f), Shade(colour, 1.8f));
  }
}

Canvas Cables() {
  Canvas c(kTile, kTile);
  Cable(c, 20.0f, 6.0f, 0.0f, Rgb(34, 34, 38));
  Cable(c, 32.0f, 8.0f, 2.0f, Rgb(150, 34, 28));
  Cable(c, 44.0f, 5.0f, 4.0f, Rgb(40, 74, 150));
  return c;
}

Canvas Leaves() {
  Canvas c(kTile, kTile);
  Rng rng(65);
  const Colour tones[4] = {Rgb(156, 96, 34), Rgb(178, 130, 40), Rgb(110, 120, 40), Rgb(134, 64, 30)};
  for (int i = 0; i < 11; ++i) {
    const Point p{rng.Range(8, 56), rng.Range(8, 56)};
    const float length = rng.Range(4.0f, 6.5f);
    const Shape blade = Intersect(Disc({p.x, p.y + length}, length * 1.45f), Disc({p.x, p.y - length}, length * 1.45f));
    const Shape leaf = Rotated(blade, p, rng.Range(0.0f, 360.0f));
    const Colour tone = tones[rng.Below(4)];
    DrawShaded(c, leaf, tone, 0.7f);
  }
  return c;
}

Canvas Arrow() {
  Canvas c(kTile, kTile);
  const Shape arrow = Union(RoundRect({10, 27, 40, 37}, 1.0f), Polygon({{38, 18}, {56, 32}, {38, 46}}));
  Draw(c, arrow, Rgb(226, 196, 60));
  // Worn paint: small patches scuffed away.
  ForEachPixel(c, [](int x, int y, Texel& t) {
    const float wear = TileNoise(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f, 4, 2, 66u);
    if (wear < 0.28f) t = {};
  });
  return c;
}

}  // namespace

void AddDecos(ImageList& list) {
  const std::string dir = "GFX/TileSet/";
  AddImage(list, dir + "Deco Rubble.png", Storage::kCutout, Rubble());
  AddImage(list, dir + "Deco Stripes.png", Storage::kCutout, Stripes());
  AddImage(list, dir + "Deco Puddle.png", Storage::kCutout, Puddle());
  AddImage(list, dir + "Deco Cables.png", Storage::kCutout, Cables());
  AddImage(list, dir + "Deco Leaves.png", Storage::kCutout, Leaves());
  AddImage(list, dir + "Deco Arrow.png", Storage::kCutout, Arrow());
}

}  // namespace art
