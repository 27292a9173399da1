// Span trimming: a texture's outline (software_raster.h) taken to the screen, so
// that each row's span shrinks to the columns where the quad's texels can change
// a pixel. The trimmed-off pixels are ones the blend leaves as they are.
#pragma once

#include <cstdint>

#include "render/software_raster.h"

// Fills texture.alphaOutline, faintOutlines and colourOutline from its texels.
void MeasureOutlines(RasterTexture& texture);

// The outline of the texels that can change the screen under a weighted blend
// (normal or additive) at quad alpha 1-255: the source alpha is round(a x alpha /
// 255), 0 for every a up to 127 / alpha, and bilinear filtering never lifts a pixel
// above the greatest of its four texels' alphas.
const TexelOutline& FaintOutline(const RasterTexture& texture, int alpha);

struct ScreenPoint {
  double x, y;
};
constexpr int kMaxOutlineCorners = 2 * kOutlineDirections;

// The outline of a quad's live texels on the screen: a convex polygon, clockwise
// on the screen like the quad's corners, holding every pixel centre whose sample
// reaches a live texel, by a margin several times what the fixed-point coordinates
// and the 1/256-pixel corners ever stray. The quad's texel coordinates at screen
// point (X, Y) are s = sa X + sb Y + sc, t = ta X + tb Y + tc (bilinear: moved
// back by half a texel). Returns the number of corners written.
int OutlineCorners(const TexelOutline& outline, bool bilinear, double sa, double sb, double sc, double ta,
                   double tb, double tc, ScreenPoint* corners);
