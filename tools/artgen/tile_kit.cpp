#include "tile_kit.h"

#include <algorithm>

#include "filters.h"
#include "noise.h"

namespace art {

float TileNoise(float x, float y, int cell, int octaves, uint32_t seed) {
  const int c = std::max(1, cell);
  return Fractal(x / static_cast<float>(c), y / static_cast<float>(c), octaves, seed, std::max(1, kTile / c));
}

void FillTile(Canvas& c, const Paint& paint) {
  ForEachPixel(c, [&](int x, int y, Texel& t) {
    const Colour col = paint(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
    t = {col.r, col.g, col.b, 1.0f};
  });
}

void Grain(Canvas& c, int cell, float amount, uint32_t seed) {
  ForEachPixel(c, [&](int x, int y, Texel& t) {
    const float n = TileNoise(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f, cell, 2, seed);
    const float k = 1.0f - amount + amount * 2.0f * n;
    t.r = std::min(t.a, t.r * k);
    t.g = std::min(t.a, t.g * k);
    t.b = std::min(t.a, t.b * k);
  });
}

void Bevel(Canvas& c, Box b, float width, float strength) {
  const Shape band = Subtract(RoundRect(b, 1.5f), RoundRect({b.x0 + width, b.y0 + width, b.x1 - width, b.y1 - width}, 1.0f));
  // Light from the top left: the top and left edges lighten, the bottom and right darken.
  Draw(c, band, [b, strength](float x, float y) {
    const float nearest = std::min({x - b.x0, b.x1 - x, y - b.y0, b.y1 - y});
    const bool lit = nearest == x - b.x0 || nearest == y - b.y0;
    return lit ? Rgb(255, 255, 255, strength) : Rgb(0, 0, 0, std::min(1.0f, strength * 1.2f));
  }, Blend::kInside);
}

void DrawWrapped(Canvas& c, const Shape& shape, const Paint& paint, Blend mode) {
  for (int j = -1; j <= 1; ++j) {
    for (int i = -1; i <= 1; ++i) {
      const float dx = static_cast<float>(i * kTile);
      const float dy = static_cast<float>(j * kTile);
      const Shape moved = Moved(shape, dx, dy);
      if (moved.bounds.x1 < 0 || moved.bounds.y1 < 0 || moved.bounds.x0 > kTile || moved.bounds.y0 > kTile) continue;
      // The paint moves with the shape, so each copy is coloured identically.
      Draw(c, moved, [&paint, dx, dy](float x, float y) { return paint(x - dx, y - dy); }, mode);
    }
  }
}

}  // namespace art
