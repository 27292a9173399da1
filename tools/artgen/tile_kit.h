// Helpers shared by the 64 x 64 tiles: seamless noise, bevels, and shapes drawn
// wrapped around the tile's edges so neighbouring tiles join without seams.
#pragma once

#include <cstdint>

#include "canvas.h"
#include "shapes.h"

namespace art {

constexpr int kTile = 64;

// Fractal noise 0..1 that repeats every 64 pixels; cell is the size in pixels of
// the coarsest feature (a divisor of 64).
float TileNoise(float x, float y, int cell, int octaves, uint32_t seed);

// Fills the tile from a colour function of the pixel centre, fully opaque.
void FillTile(Canvas& c, const Paint& paint);

// Multiplies every pixel's colour by (1 - amount + amount * 2 * noise): grain.
void Grain(Canvas& c, int cell, float amount, uint32_t seed);

// A raised block: lighter bands along the top and left edges, darker along the
// bottom and right, width pixels wide, inside the box.
void Bevel(Canvas& c, Box box, float width, float strength);

// Draws the shape (and its paint) nine times, shifted by -64, 0 and +64 in x and
// y, so a shape crossing an edge comes back in on the opposite side.
void DrawWrapped(Canvas& c, const Shape& shape, const Paint& paint, Blend mode = Blend::kOver);

}  // namespace art
