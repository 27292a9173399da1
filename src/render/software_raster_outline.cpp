// Texture outlines and the row trims made from them. Both are conservative by a
// wide margin: a trim may keep pixels that stay as they are, never drop one that
// would change.
#include "render/software_raster_outline.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct Directions {
  double x[kOutlineDirections], y[kOutlineDirections];
  Directions() {
    for (int i = 0; i < kOutlineDirections; ++i) {
      const double a = M_PI * i / kOutlineDirections;
      x[i] = std::cos(a), y[i] = std::sin(a);
    }
  }
};

const Directions& TheDirections() {
  static const Directions directions;
  return directions;
}

// Collects the first and last live texel of each row; the border repeats the
// edge texels one texel further out.
class OutlineBuilder {
 public:
  OutlineBuilder(int width, int height) : width_(width), height_(height) {
    std::fill(std::begin(outline_.lo), std::end(outline_.lo), HUGE_VAL);
    std::fill(std::begin(outline_.hi), std::end(outline_.hi), -HUGE_VAL);
  }
  void Row(int y, int first, int last, int live) {
    if (live == 0) return;
    live_ += live;
    if (first == 0) first = -1;
    if (last == width_ - 1) last = width_;
    Points(first, last, y);
    if (y == 0) Points(first, last, -1);
    if (y == height_ - 1) Points(first, last, height_);
  }
  TexelOutline Finish() {
    const int64_t texels = static_cast<int64_t>(width_) * height_;
    outline_.cover = live_ == 0        ? TexelOutline::kNone
                     : live_ == texels ? TexelOutline::kAll
                                       : TexelOutline::kPart;
    return outline_;
  }

 private:
  void Points(int first, int last, int y) {
    const Directions& n = TheDirections();
    for (int i = 0; i < kOutlineDirections; ++i) {
      const double a = n.x[i] * first + n.y[i] * y, b = n.x[i] * last + n.y[i] * y;
      outline_.lo[i] = std::min(outline_.lo[i], std::min(a, b));
      outline_.hi[i] = std::max(outline_.hi[i], std::max(a, b));
    }
  }

  int width_, height_;
  TexelOutline outline_;
  int64_t live_ = 0;
};

// One outline's texels along a row: the first, the last and how many.
struct RowRun {
  int first = -1, last = -1, live = 0;
  void Add(int x) {
    if (first < 0) first = x;
    last = x;
    ++live;
  }
};

}  // namespace

void MeasureOutlines(RasterTexture& texture) {
  // 0: alpha above 0; 1 + k: alpha above 2^(k+1) - 1; then colour not black.
  constexpr int kKinds = kFaintLevels + 2, kColour = kFaintLevels + 1;
  std::vector<OutlineBuilder> builders(kKinds, OutlineBuilder(texture.width, texture.height));
  for (int y = 0; y < texture.height; ++y) {
    const uint32_t* row = texture.origin() + static_cast<ptrdiff_t>(y) * texture.stride;
    RowRun runs[kKinds];
    for (int x = 0; x < texture.width; ++x) {
      const uint32_t a = row[x] >> 24;
      for (int k = 0; k <= kFaintLevels && a > (1u << k) - 1; ++k) runs[k].Add(x);
      if ((row[x] & 0xFFFFFFu) != 0) runs[kColour].Add(x);
    }
    for (int k = 0; k < kKinds; ++k) builders[k].Row(y, runs[k].first, runs[k].last, runs[k].live);
  }
  texture.alphaOutline = builders[0].Finish();
  for (int k = 0; k < kFaintLevels; ++k) texture.faintOutlines[k] = builders[k + 1].Finish();
  texture.colourOutline = builders[kColour].Finish();
}

const TexelOutline& FaintOutline(const RasterTexture& texture, int alpha) {
  const int faint = alpha > 0 ? 127 / alpha : 255;  // alphas scaled to nothing
  int level = -1;  // the greatest 2^(level+1) - 1 up to faint
  while (level + 1 < kFaintLevels && (2 << (level + 1)) - 1 <= faint) ++level;
  return level < 0 ? texture.alphaOutline : texture.faintOutlines[level];
}

// A sample at texel coordinate p reads the stored texels floor(p) and floor(p) + 1
// (bilinear, coordinates moved back by half a texel) or floor(p) (nearest), so
// texel (x, y) is read only from points of [x - 1, x + 1] x [y - 1, y + 1] or
// [x, x + 1] x [y, y + 1]: the outline's bound along each direction n grows by
// that square's reach along n, and by a margin of an eighth of a texel plus a
// share of the texels per pixel. Bounds of a convex set taken in the order of
// their angles meet, one after the next, in the corners of the polygon they bound;
// those go to the screen through the inverse of the texel map.
int OutlineCorners(const TexelOutline& outline, bool bilinear, double sa, double sb, double sc, double ta,
                   double tb, double tc, ScreenPoint* corners) {
  const double margin = 0.125 + (std::abs(sa) + std::abs(sb) + std::abs(ta) + std::abs(tb)) / 64.0;
  const double reach = bilinear ? -1.0 : 0.0;
  const Directions& d = TheDirections();
  // Bound j (of 2K, by angle): n_j . p <= h_j; the second half are the lower
  // bounds turned round.
  double nx[kMaxOutlineCorners], ny[kMaxOutlineCorners], h[kMaxOutlineCorners];
  for (int i = 0; i < kOutlineDirections; ++i) {
    const double x = d.x[i], y = d.y[i];
    nx[i] = x, ny[i] = y;
    h[i] = outline.hi[i] + std::max(reach * x, x) + std::max(reach * y, y) + margin;
    nx[i + kOutlineDirections] = -x, ny[i + kOutlineDirections] = -y;
    h[i + kOutlineDirections] = -(outline.lo[i] + std::min(reach * x, x) + std::min(reach * y, y)) + margin;
  }
  const double inverse = 1.0 / (sa * tb - sb * ta);  // > 0: the map keeps the turn
  const double turn = 1.0 / std::sin(M_PI / kOutlineDirections);
  for (int j = 0; j < kMaxOutlineCorners; ++j) {
    const int k = j + 1 < kMaxOutlineCorners ? j + 1 : 0;
    const double s = (h[j] * ny[k] - h[k] * ny[j]) * turn - sc;
    const double t = (nx[j] * h[k] - nx[k] * h[j]) * turn - tc;
    corners[j] = {(tb * s - sb * t) * inverse, (sa * t - ta * s) * inverse};
  }
  return kMaxOutlineCorners;
}
