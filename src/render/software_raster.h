// The CPU rasteriser behind SoftwareRenderer: textured quads onto a 0x00RRGGBB
// screen with the ten blend factors, per-quad alpha, zoom, rotation, and nearest
// or bilinear sampling. It follows OpenGL's conventions: a pixel is drawn when its
// centre lies inside the quad (top-left rule for centres exactly on an edge), and
// the texture is sampled at the pixel centre with clamp-to-edge.
#pragma once

#include <cstdint>
#include <vector>

#include "base/image.h"
#include "render/renderer.h"

// The largest texture edge accepted (a common OpenGL limit). It keeps 16.16
// fixed-point texel coordinates inside 32 bits.
constexpr int kMaxTextureSize = 16384;

// Where a texture can change the screen: the texels that are not no-ops for a
// blend (alpha above 0 for the blends weighted by source alpha, colour not black
// for the light blend), with the border copies of edge texels, bounded along
// kOutlineDirections directions (angles i * 180 / kOutlineDirections degrees): lo
// and hi are the least and greatest of n . (x, y) over those texels.
constexpr int kOutlineDirections = 8;
struct TexelOutline {
  enum Cover { kNone, kPart, kAll } cover = kNone;
  double lo[kOutlineDirections] = {}, hi[kOutlineDirections] = {};
};

// Levels of alpha below which a texel drawn at a low quad alpha changes nothing.
constexpr int kFaintLevels = 7;

// Textures up to this many texels also keep their texels with 16-bit channels,
// which the widest bilinear kernels read without unpacking.
constexpr int kWideTexelLimit = 512 * 512;

// A texture in the rasteriser's layout: 0xAARRGGBB words (the screen's byte order
// plus alpha), surrounded by a one-texel border that repeats the edge texels, so
// that clamp-to-edge sampling needs no tests inside a span.
struct RasterTexture {
  int width = 0;
  int height = 0;
  int stride = 0;               // words per stored row: width + 2
  std::vector<uint32_t> store;  // height + 2 rows
  std::vector<uint64_t> wide;   // the same layout, channels widened to 16 bits (small textures)
  // A small texture of one colour whose alpha varies (a tinted blob): in the same
  // layout, the alpha terms that bilinear filtering weighs at each texel, signed
  // 16 bits each: a00, a10 - a00, a01 - a00 and a00 - a10 - a01 + a11, where axy is
  // the alpha of texel (x, y) from this one. Against the weights 256, fx, fy and
  // w11 they sum to the filtered alpha; filtering the colour gives the colour.
  std::vector<uint64_t> tintAlpha;
  uint32_t tint = 0;            // that colour, 0x00RRGGBB
  bool uniform = false;         // every texel is the same word
  bool opaque = false;          // every alpha is 255
  bool transparent = false;     // every alpha is 0
  TexelOutline alphaOutline;    // texels whose alpha is above 0
  // Texels whose alpha is above 2^(k+1) - 1: 1, 3, 7 ... 255. A quad at a low alpha
  // scales the fainter ones to nothing (FaintOutline).
  TexelOutline faintOutlines[kFaintLevels];
  TexelOutline colourOutline;   // texels whose colour is not black

  const uint32_t* origin() const { return store.data() + stride + 1; }  // texel (0, 0)
  uint32_t Texel(int x, int y) const { return origin()[static_cast<long>(y) * stride + x]; }
};

// Converts an RGBA image; false (out empty) when it is empty, inconsistent or has
// an edge longer than kMaxTextureSize.
bool MakeRasterTexture(const Image& image, RasterTexture& out);

// The screen, and the band of its rows that a draw may change: the pixels of the
// band come out exactly as when the whole screen is drawn.
struct RasterTarget {
  uint32_t* pixels = nullptr;  // 0x00RRGGBB
  int pitch = 0;               // words per row
  int width = 0;
  int height = 0;
  int bandTop = 0;            // first row of the band
  int bandBottom = 1 << 30;   // the row after it
};

struct RasterState {
  int blendSource = kBlendSrcAlpha;
  int blendDestination = kBlendInvSrcAlpha;
  bool bilinear = false;
};

// Which shortcuts the rasteriser may take. Everything is on in the game; the tests
// turn them off to check that each shortcut draws exactly the pixels of the plain
// path (scalar sampling with clamping and the table-driven blend).
struct RasterPaths {
  bool shortcuts = true;      // uniform and identity-mapped textures, no-op quads skipped, spans trimmed
  bool specialBlends = true;  // dedicated kernels for the game's blend modes
  bool simd = true;           // SSE2 kernels where the build has them
  bool avx2 = true;           // and AVX2 kernels where the processor has them too
  bool avx512 = true;         // and AVX-512 kernels where it has those too
};

// Fills the target's band with one word.
void FillBand(const RasterTarget& target, uint32_t word);

// Draws one quad. Quads with a width or height <= 0, or a non-finite angle, draw
// nothing. The target's top byte stays 0.
void RasterQuad(const RasterTarget& target, const RasterTexture& texture, const QuadDraw& quad,
                const RasterState& state, const RasterPaths& paths = {});
