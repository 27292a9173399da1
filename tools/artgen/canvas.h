// The drawing surface of the image generator: a float RGBA canvas holding
// premultiplied colour, straight-alpha colours to paint with, and the conversions
// to the 8-bit images the game loads (own alpha, or black as the transparent key).
#pragma once

#include <vector>

#include "base/image.h"

namespace art {

// A straight-alpha colour; every channel runs from 0 to 1.
struct Colour {
  float r = 0.0f;
  float g = 0.0f;
  float b = 0.0f;
  float a = 1.0f;
};

// A colour from 8-bit channels.
constexpr Colour Rgb(int r, int g, int b, float a = 1.0f) {
  return {static_cast<float>(r) / 255.0f, static_cast<float>(g) / 255.0f, static_cast<float>(b) / 255.0f, a};
}
// Linear blend from one colour to another (t = 0 gives from, 1 gives to).
Colour Mix(Colour from, Colour to, float t);
// Brightness times factor, alpha kept (factor > 1 lightens, clamped at white).
Colour Shade(Colour c, float factor);
// The same colour with its alpha multiplied by a.
Colour Fade(Colour c, float a);

// One premultiplied pixel: colour already multiplied by alpha.
struct Texel {
  float r = 0.0f;
  float g = 0.0f;
  float b = 0.0f;
  float a = 0.0f;
};

// How a painted pixel combines with what the canvas holds.
enum class Blend {
  kOver,      // paint over (Porter-Duff source over)
  kAdd,       // add the colour (glows), alpha accumulates
  kErase,     // cut away: alpha and colour drop by the paint's coverage
  kMultiply,  // darken/tint what is there by the paint's colour
  kInside,    // paint over, but only where the canvas is already covered (shading)
};

class Canvas {
 public:
  Canvas() = default;
  // A fully transparent canvas.
  Canvas(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  Texel& at(int x, int y) { return texels_[static_cast<size_t>(y) * width_ + x]; }
  const Texel& at(int x, int y) const { return texels_[static_cast<size_t>(y) * width_ + x]; }

  // Every pixel set to the colour.
  void Fill(Colour c);
  // Paints one pixel with the colour at the given coverage (0..1); outside pixels are ignored.
  void Put(int x, int y, Colour c, float coverage, Blend mode = Blend::kOver);
  // Composites another canvas with its top-left at (dx, dy).
  void Composite(const Canvas& source, int dx, int dy, Blend mode = Blend::kOver, float opacity = 1.0f);

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Texel> texels_;
};

// The straight colour of a texel (black where it is fully transparent).
Colour ColourOf(const Texel& t);

// How an image is stored for the game.
enum class Storage {
  kAlpha,   // RGBA with its own per-pixel alpha
  kGlow,    // black keyed, drawn additively or as light: the colour over black, nothing else
  kCutout,  // black keyed sprite: barely covered pixels become pure black, the rest never pure black
  kOpaque,  // a tile: fully opaque and never pure black
};

// The 8-bit image stored for a canvas. Keyed storages write alpha 255 everywhere
// (the game's loader ignores it and keys on pure black).
Image ToImage(const Canvas& canvas, Storage storage);

// Reads an 8-bit image back into a canvas (straight alpha to premultiplied).
Canvas FromImage(const Image& image);

}  // namespace art
