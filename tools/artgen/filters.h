// Whole-canvas operations: blur, rotation, transposition, resampling, dilation
// and the outline that HUD items get.
#pragma once

#include <functional>

#include "canvas.h"
#include "shapes.h"

namespace art {

// Gaussian-like blur (three box passes) of the given radius in pixels.
Canvas Blurred(const Canvas& source, float radius);

// The canvas turned about a pivot (clockwise on screen for positive degrees),
// bilinear sampling, same size; what turns outside is lost.
Canvas Turned(const Canvas& source, Point pivot, float degrees);

// Rows become columns: (x, y) -> (y, x).
Canvas Transposed(const Canvas& source);

// Resampled to a new size (area average when shrinking, bilinear when growing).
Canvas Resized(const Canvas& source, int width, int height);

// The alpha grown outwards by radius pixels (round kernel), as a white mask.
Canvas Dilated(const Canvas& source, float radius);

// An item with a thin outline of the given colour around everything covered, and
// optionally a soft drop shadow below it (for alpha images).
Canvas Outlined(const Canvas& item, Colour outline, float width, float shadow = 0.0f);

// Calls f for every pixel.
void ForEachPixel(Canvas& canvas, const std::function<void(int, int, Texel&)>& f);

}  // namespace art
