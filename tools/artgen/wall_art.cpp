// Wall tiles, 64 x 64, seen from above as the top of a solid block: concrete and
// brick (dust), metal and crates (sparks), computers and servers (electronics),
// hedges and trees (vegetation).
#include <cmath>
#include <string>

#include "families.h"
#include "filters.h"
#include "noise.h"
#include "palette.h"
#include "tile_kit.h"

namespace art {
namespace {

using namespace palette;

constexpr Box kWhole{0, 0, 64, 64};

Canvas ConcreteWall() {
  Canvas c(kTile, kTile);
  FillTile(c, [](float x, float y) { return Shade(Rgb(158, 156, 148), 0.86f + 0.28f * TileNoise(x, y, 16, 3, 21u)); });
  Grain(c, 2, 0.07f, 22u);
  Bevel(c, kWhole, 5.0f, 0.3f);
  Draw(c, Outline(RoundRect({5, 5, 59, 59}, 1.0f), 1.0f), Rgb(96, 94, 88, 0.5f));
  return c;
}

Canvas BrickWall() {
  Canvas c(kTile, kTile);
  FillTile(c, Solid(Rgb(170, 160, 140)));  // mortar
  // Running bond: rows of 16 px, bricks 32 px long, every other row offset by half a brick.
  for (int row = 0; row < 4; ++row) {
    for (int i = -1; i < 3; ++i) {
      const float x0 = static_cast<float>(i * 32 + (row % 2) * 16) + 1.0f;
      const float y0 = static_cast<float>(row * 16) + 1.0f;
      const float tint = 0.85f + 0.25f * HashUnit(i + 5 * (row % 2), row, 23u);
      const Colour brick = Shade(Rgb(156, 72, 50), tint);
      Draw(c, RoundRect({x0, y0, x0 + 30.0f, y0 + 14.0f}, 1.5f),
           [brick](float x, float y) { return Shade(brick, 0.9f + 0.2f * TileNoise(x, y, 4, 2, 24u)); });
    }
  }
  Bevel(c, kWhole, 4.0f, 0.3f);
  return c;
}

Canvas MetalWall() {
  Canvas c(kTile, kTile);
  FillTile(c, [](float x, float y) {
    const float brushed = TileNoise(x * 0.25f, y * 4.0f, 16, 2, 25u);
    return Shade(Rgb(120, 128, 138), 0.9f + 0.2f * brushed);
  });
  Bevel(c, kWhole, 5.0f, 0.35f);
  Draw(c, RoundRect({31, 5, 33, 59}, 0), Rgb(60, 64, 70, 0.9f));  // panel seam
  Draw(c, RoundRect({33, 5, 34, 59}, 0), Rgb(180, 186, 194, 0.6f));
  for (const Point p : {Point{10, 10}, Point{54, 10}, Point{10, 54}, Point{54, 54}, Point{22, 32}, Point{42, 32}}) {
    DrawShaded(c, Disc(p, 2.2f), kSteelLight);
    Draw(c, Capsule({p.x - 1.2f, p.y}, {p.x + 1.2f, p.y}, 0.7f), kGunDark);
  }
  return c;
}

Canvas Crate() {
  Canvas c(kTile, kTile);
  const Colour paint = Rgb(92, 100, 70);
  FillTile(c, [paint](float x, float y) { return Shade(paint, 0.9f + 0.2f * TileNoise(x, y, 8, 2, 26u)); });
  // Inner panel, recessed, with an X of braces.
  Draw(c, RoundRect({8, 8, 56, 56}, 1.0f), Shade(paint, 0.78f));
  const Shape braces = Union(Capsule({10, 10}, {54, 54}, 6.0f), Capsule({54, 10}, {10, 54}, 6.0f));
  Draw(c, Intersect(Moved(braces, 1.0f, 1.0f), RoundRect({8, 8, 56, 56}, 0)), Rgb(30, 32, 24, 0.6f));
  DrawShaded(c, Intersect(braces, RoundRect({8, 8, 56, 56}, 0)), Shade(paint, 1.1f), 0.6f);
  Bevel(c, kWhole, 3.0f, 0.35f);
  Draw(c, Outline(RoundRect({8, 8, 56, 56}, 1.0f), 1.2f), Rgb(40, 44, 30, 0.8f));
  for (const Point p : {Point{4, 4}, Point{60, 4}, Point{4, 60}, Point{60, 60}}) DrawShaded(c, Disc(p, 2.0f), kSteel);
  // A stencilled stripe of hazard yellow on one corner.
  Draw(c, Intersect(Capsule({44, 12}, {52, 12}, 3.0f), RoundRect({8, 8, 56, 56}, 0)), Fade(kHazardYellow, 0.85f));
  return c;
}

Canvas Computer() {
  Canvas c(kTile, kTile);
  FillTile(c, Solid(Rgb(70, 74, 80)));
  Grain(c, 4, 0.05f, 27u);
  Bevel(c, kWhole, 4.0f, 0.35f);
  // Screen with lines of green text.
  Draw(c, RoundRect({8, 7, 56, 36}, 2.0f), Rgb(24, 26, 28));
  Draw(c, RoundRect({10, 9, 54, 34}, 1.5f), Radial({24, 16}, 40, {{0.0f, Rgb(20, 70, 56)}, {1.0f, Rgb(8, 30, 26)}}));
  Rng rng(31);
  for (int line = 0; line < 5; ++line) {
    const float y = 12.0f + static_cast<float>(line) * 4.5f;
    const float length = rng.Range(14.0f, 38.0f);
    Draw(c, RoundRect({13, y, 13.0f + length, y + 2.0f}, 0.5f), Rgb(90, 240, 140, 0.9f));
  }
  // Keyboard: rows of keys.
  Draw(c, RoundRect({8, 40, 56, 57}, 2.0f), Rgb(40, 42, 46));
  for (int row = 0; row < 3; ++row) {
    for (int key = 0; key < 9; ++key) {
      const float x = 10.0f + static_cast<float>(key) * 5.1f;
      const float y = 42.0f + static_cast<float>(row) * 5.0f;
      Draw(c, RoundRect({x, y, x + 4.0f, y + 3.8f}, 0.8f), Rgb(128, 132, 138));
    }
  }
  Draw(c, Disc({52, 60}, 1.4f), Rgb(255, 180, 40));
  return c;
}

Canvas Server() {
  Canvas c(kTile, kTile);
  FillTile(c, Solid(Rgb(44, 48, 58)));
  Bevel(c, kWhole, 3.0f, 0.35f);
  // Four rack units, each with a vent grille and a row of lights.
  const Colour lights[3] = {Rgb(60, 255, 110), Rgb(255, 190, 40), Rgb(80, 170, 255)};
  for (int unit = 0; unit < 4; ++unit) {
    const float y0 = 5.0f + static_cast<float>(unit) * 13.5f;
    Draw(c, RoundRect({5, y0, 59, y0 + 12.0f}, 1.5f), Rgb(30, 33, 40));
    Draw(c, Outline(RoundRect({5, y0, 59, y0 + 12.0f}, 1.5f), 1.0f), Rgb(96, 104, 118, 0.8f));
    for (float x = 9.0f; x < 36.0f; x += 3.0f) Draw(c, RoundRect({x, y0 + 3.0f, x + 1.5f, y0 + 9.0f}, 0.5f), Rgb(14, 15, 18));
    for (int i = 0; i < 5; ++i) {
      const Colour lamp = lights[Hash(unit, i, 33u) % 3];
      const Point p{40.0f + static_cast<float>(i) * 3.8f, y0 + 6.0f};
      Draw(c, Disc(p, 2.2f), Fade(lamp, 0.35f));
      Draw(c, Disc(p, 1.1f), lamp);
    }
  }
  return c;
}

// Leafy clumps: many small shaded discs of varying green.
void Foliage(Canvas& c, int count, Box area, float minR, float maxR, uint32_t seed, bool wrap) {
  Rng rng(seed);
  for (int i = 0; i < count; ++i) {
    const Point p{rng.Range(area.x0, area.x1), rng.Range(area.y0, area.y1)};
    const float r = rng.Range(minR, maxR);
    const Colour leaf = Shade(Rgb(58, 112, 42), rng.Range(0.7f, 1.3f));
    const Paint paint = Radial({p.x - r * 0.4f, p.y - r * 0.5f}, r * 1.7f,
                               {{0.0f, Shade(leaf, 1.3f)}, {0.6f, leaf}, {1.0f, Shade(leaf, 0.55f)}});
    if (wrap) {
      DrawWrapped(c, Disc(p, r), paint);
    } else {
      Draw(c, Disc(p, r), paint);
    }
  }
}

Canvas Hedge() {
  Canvas c(kTile, kTile);
  FillTile(c, Solid(Rgb(26, 52, 22)));
  Foliage(c, 140, {0, 0, 64, 64}, 3.0f, 6.0f, 34u, true);
  return c;
}

Canvas Tree() {
  Canvas c(kTile, kTile);
  FillTile(c, [](float x, float y) { return Shade(Rgb(56, 94, 38), 0.85f + 0.3f * TileNoise(x, y, 16, 3, 4u)); });
  // Shadow of the canopy on the grass, then the canopy built of clumps.
  Draw(c, Disc({35, 35}, 29.0f), Rgb(14, 28, 10, 0.55f));
  Canvas canopy(kTile, kTile);
  Draw(canopy, Disc({31, 31}, 27.0f), Rgb(34, 70, 28));
  Foliage(canopy, 70, {9, 9, 53, 53}, 4.0f, 8.0f, 35u, false);
  DrawMask(canopy, canopy, 0, 0, Radial({22, 20}, 44, {{0.0f, Rgb(255, 255, 200, 0.18f)}, {0.5f, Rgb(0, 0, 0, 0.0f)},
                                                           {1.0f, Rgb(0, 0, 0, 0.4f)}}), Blend::kInside);
  // Keep the canopy round: cut away what the clumps spread past its rim.
  Draw(canopy, Subtract(Disc({32, 32}, 64.0f), Disc({31, 31}, 29.0f)), Rgb(0, 0, 0), Blend::kErase);
  c.Composite(canopy, 0, 0);
  return c;
}

}  // namespace

void AddWalls(ImageList& list) {
  const std::string dir = "GFX/TileSet/";
  AddImage(list, dir + "Wall Concrete.png", Storage::kOpaque, ConcreteWall());
  AddImage(list, dir + "Wall Brick.png", Storage::kOpaque, BrickWall());
  AddImage(list, dir + "Wall Metal.png", Storage::kOpaque, MetalWall());
  AddImage(list, dir + "Wall Crate.png", Storage::kOpaque, Crate());
  AddImage(list, dir + "Wall Computer.png", Storage::kOpaque, Computer());
  AddImage(list, dir + "Wall Server.png", Storage::kOpaque, Server());
  AddImage(list, dir + "Wall Hedge.png", Storage::kOpaque, Hedge());
  AddImage(list, dir + "Wall Tree.png", Storage::kOpaque, Tree());
}

}  // namespace art
