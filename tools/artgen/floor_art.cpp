// Floor tiles, 64 x 64, opaque and seamless: concrete, metal plate, ceramic tiles,
// grass, dirt, grating and carpet.
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

Paint Mottled(Colour base, int cell, float amount, uint32_t seed) {
  return [=](float x, float y) { return Shade(base, 1.0f - amount + 2.0f * amount * TileNoise(x, y, cell, 3, seed)); };
}

Canvas Concrete() {
  Canvas c(kTile, kTile);
  FillTile(c, Mottled(Rgb(116, 116, 110), 16, 0.12f, 1u));
  Grain(c, 2, 0.06f, 2u);
  // Slab joints along two edges: a grid of slabs once tiled.
  Draw(c, RoundRect({0, 0, 64, 1}, 0), Rgb(70, 70, 66, 0.8f));
  Draw(c, RoundRect({0, 0, 1, 64}, 0), Rgb(70, 70, 66, 0.8f));
  return c;
}

Canvas MetalPlate() {
  Canvas c(kTile, kTile);
  FillTile(c, Mottled(Rgb(98, 104, 112), 32, 0.06f, 3u));
  // Diamond tread: short raised bars alternating direction on a 16-pixel grid.
  for (int j = 0; j < 4; ++j) {
    for (int i = 0; i < 4; ++i) {
      const Point centre{i * 16.0f + 8.0f, j * 16.0f + 8.0f};
      const float d = ((i + j) % 2 == 0) ? 3.5f : -3.5f;
      const Shape bar = Capsule({centre.x - 3.5f, centre.y + d}, {centre.x + 3.5f, centre.y - d}, 3.2f);
      Draw(c, Moved(bar, 0.8f, 0.8f), Rgb(40, 44, 48, 0.8f));
      Draw(c, bar, Linear({centre.x - 4, centre.y - 4}, {centre.x + 4, centre.y + 4},
                          {{0.0f, Rgb(170, 176, 184)}, {1.0f, Rgb(110, 116, 124)}}));
    }
  }
  Bevel(c, {0, 0, 64, 64}, 1.5f, 0.25f);
  for (const Point p : {Point{4, 4}, Point{60, 4}, Point{4, 60}, Point{60, 60}}) DrawShaded(c, Disc(p, 1.8f), kSteel);
  return c;
}

Canvas CeramicTiles() {
  Canvas c(kTile, kTile);
  FillTile(c, Solid(Rgb(112, 110, 102)));  // grout
  for (int j = 0; j < 2; ++j) {
    for (int i = 0; i < 2; ++i) {
      const float x0 = i * 32.0f + 1.0f;
      const float y0 = j * 32.0f + 1.0f;
      const float tint = 0.95f + 0.08f * HashUnit(i, j, 9u);
      const Colour face = Shade(Rgb(178, 176, 166), tint);
      Draw(c, RoundRect({x0, y0, x0 + 30.0f, y0 + 30.0f}, 1.5f),
           Linear({x0, y0}, {x0 + 30.0f, y0 + 30.0f}, {{0.0f, Shade(face, 1.06f)}, {1.0f, Shade(face, 0.92f)}}));
    }
  }
  Grain(c, 4, 0.04f, 10u);
  return c;
}

Canvas Grass() {
  Canvas c(kTile, kTile);
  FillTile(c, Mottled(Rgb(62, 100, 46), 16, 0.16f, 4u));
  Rng rng(44);
  for (int i = 0; i < 90; ++i) {
    const Point p{rng.Range(0, 64), rng.Range(0, 64)};
    const float angle = rng.Range(-0.9f, 0.9f) - 1.5708f;
    const float length = rng.Range(3.0f, 6.0f);
    const Point tip{p.x + std::cos(angle) * length, p.y + std::sin(angle) * length};
    const float shade = rng.Range(0.7f, 1.35f);
    DrawWrapped(c, Capsule(p, tip, 1.1f), Solid(Shade(Rgb(70, 112, 50), shade)));
  }
  return c;
}

Canvas Dirt() {
  Canvas c(kTile, kTile);
  FillTile(c, Mottled(Rgb(110, 84, 58), 16, 0.16f, 5u));
  Grain(c, 2, 0.08f, 6u);
  Rng rng(55);
  for (int i = 0; i < 14; ++i) {
    const Point p{rng.Range(0, 64), rng.Range(0, 64)};
    const float r = rng.Range(1.0f, 2.6f);
    DrawWrapped(c, Disc({p.x + 0.8f, p.y + 0.8f}, r), Solid(Rgb(60, 44, 30, 0.6f)));
    DrawWrapped(c, Disc(p, r), Radial({p.x - r * 0.4f, p.y - r * 0.4f}, r * 1.6f,
                                      {{0.0f, Rgb(170, 156, 134)}, {1.0f, Rgb(112, 100, 84)}}));
  }
  return c;
}

Canvas Grate() {
  Canvas c(kTile, kTile);
  FillTile(c, Mottled(Rgb(22, 24, 26), 16, 0.3f, 7u));
  // Slats every 8 pixels with two cross bars, all in dark steel.
  for (int i = 0; i < 8; ++i) {
    const float y = i * 8.0f + 2.0f;
    Draw(c, RoundRect({0, y, 64, y + 4.0f}, 0.5f),
         Linear({0, y}, {0, y + 4.0f}, {{0.0f, Rgb(124, 130, 136)}, {1.0f, Rgb(62, 66, 70)}}));
  }
  for (float x : {15.0f, 47.0f}) {
    Draw(c, RoundRect({x, 0, x + 3.0f, 64}, 0.5f),
         Linear({x, 0}, {x + 3.0f, 0}, {{0.0f, Rgb(136, 142, 148)}, {1.0f, Rgb(70, 74, 78)}}));
  }
  return c;
}

Canvas Carpet() {
  Canvas c(kTile, kTile);
  FillTile(c, [](float x, float y) {
    const float weave = ((static_cast<int>(x) + static_cast<int>(y)) % 2 == 0) ? 1.03f : 0.97f;
    const float fleck = TileNoise(x, y, 2, 1, 12u) > 0.8f ? 1.25f : 1.0f;
    return Shade(Rgb(58, 66, 92), weave * fleck * (0.9f + 0.2f * TileNoise(x, y, 32, 2, 13u)));
  });
  // A faint border pattern line along the middle of the tile.
  Draw(c, RoundRect({0, 30, 64, 34}, 0), Rgb(84, 96, 132, 0.5f));
  return c;
}

}  // namespace

void AddFloors(ImageList& list) {
  const std::string dir = "GFX/TileSet/";
  AddImage(list, dir + "Floor Concrete.png", Storage::kOpaque, Concrete());
  AddImage(list, dir + "Floor Metal.png", Storage::kOpaque, MetalPlate());
  AddImage(list, dir + "Floor Tiles.png", Storage::kOpaque, CeramicTiles());
  AddImage(list, dir + "Floor Grass.png", Storage::kOpaque, Grass());
  AddImage(list, dir + "Floor Dirt.png", Storage::kOpaque, Dirt());
  AddImage(list, dir + "Floor Grate.png", Storage::kOpaque, Grate());
  AddImage(list, dir + "Floor Carpet.png", Storage::kOpaque, Carpet());
}

}  // namespace art
