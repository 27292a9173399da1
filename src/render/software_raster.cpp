// Quad set-up and scan conversion. The quad's corners are snapped to 1/256 pixel
// and its edges walked exactly in integers, row by row, giving per row the run of
// pixels whose centres lie inside (left edges inclusive, right edges exclusive, rows
// likewise from the top). Texel coordinates are affine in the screen position: each
// run gets its first coordinate at the pixel centre (from an exact 32.32 map) and a
// per-pixel step, both in 16.16 fixed point. Runs may be trimmed to the outline of
// the texels that change the screen (software_raster_outline.h), and rows to a band
// of the screen; neither changes a pixel that is drawn.
#include "render/software_raster.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

#include "render/software_raster_outline.h"
#include "render/software_raster_pixel.h"

using raster::BlendKind;
using raster::QuadContext;
using raster::SamplerKind;
using raster::SpanArgs;
using raster::SpanKernels;
using raster::StepAdd;

namespace {

constexpr int64_t kSub = 256;       // subpixel steps per pixel
constexpr double kGuard = 16384.0;  // polygons reaching further off-screen are clipped

using Point = ScreenPoint;
// The most corners of a polygon: an outline clipped by the four sides of the guard box.
constexpr int kMaxCorners = kMaxOutlineCorners + 4;
struct FixedPoint {
  int64_t x, y;
};

int64_t FloorDiv(int64_t a, int64_t b) {  // b > 0
  const int64_t q = a / b;
  return q - static_cast<int64_t>((a % b != 0) & (a < 0));
}

// cos and sin of an angle in degrees, exact at the quarter turns.
void TurnOf(float degrees, double& c, double& s) {
  double a = std::fmod(static_cast<double>(degrees), 360.0);
  if (a < 0) a += 360.0;
  if (a >= 360.0) a -= 360.0;
  if (a == 0.0) {
    c = 1, s = 0;
  } else if (a == 90.0) {
    c = 0, s = 1;
  } else if (a == 180.0) {
    c = -1, s = 0;
  } else if (a == 270.0) {
    c = 0, s = -1;
  } else {
    const double r = a * (M_PI / 180.0);
    c = std::cos(r), s = std::sin(r);
  }
}

// The quad on the screen and the map from screen points to texel coordinates:
// texel s = sa X + sb Y + sc, t = ta X + tb Y + tc.
struct QuadFrame {
  Point corner[4];  // clockwise on the screen, from the image's top-left
  double sa, sb, sc, ta, tb, tc;
};

QuadFrame FrameOf(const QuadDraw& quad, double c, double s, const RasterTexture& tex, bool bilinear) {
  const double hw = quad.width / 2.0, hh = quad.height / 2.0;
  const double cx = quad.x + hw, cy = quad.y + hh;
  QuadFrame f;
  const double ux[4] = {-hw, hw, hw, -hw}, vy[4] = {-hh, -hh, hh, hh};
  for (int i = 0; i < 4; ++i) f.corner[i] = {cx + ux[i] * c - vy[i] * s, cy + ux[i] * s + vy[i] * c};
  // Image x along (c, s), image y along (-s, c); texel units per display pixel kx, ky.
  const double kx = static_cast<double>(tex.width) / quad.width,
               ky = static_cast<double>(tex.height) / quad.height;
  const double half = bilinear ? 0.5 : 0.0;
  f.sa = c * kx, f.sb = s * kx, f.sc = (hw - cx * c - cy * s) * kx - half;
  f.ta = -s * ky, f.tb = c * ky, f.tc = (hh + cx * s - cy * c) * ky - half;
  return f;
}

// Sutherland-Hodgman against one side of the guard box; keeps order (and so the
// clockwise turn). axis 0 = x, 1 = y; sign +1 keeps v <= limit, -1 keeps v >= limit.
int ClipSide(const Point* in, int n, Point* out, int axis, double limit, double sign) {
  auto value = [axis](const Point& p) { return axis == 0 ? p.x : p.y; };
  int m = 0;
  for (int i = 0; i < n; ++i) {
    const Point& a = in[i];
    const Point& b = in[(i + 1) % n];
    const double da = (value(a) - limit) * sign, db = (value(b) - limit) * sign;
    if (da <= 0) out[m++] = a;
    if ((da < 0 && db > 0) || (da > 0 && db < 0)) {
      const double t = da / (da - db);
      out[m++] = {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
    }
  }
  return m;
}

int ClipToGuard(const Point* corners, int n, Point* out, int width, int height) {
  Point a[kMaxCorners], b[kMaxCorners];
  std::copy(corners, corners + n, a);
  n = ClipSide(a, n, b, 0, -kGuard, -1);
  n = ClipSide(b, n, a, 0, width + kGuard, 1);
  n = ClipSide(a, n, b, 1, -kGuard, -1);
  n = ClipSide(b, n, a, 1, height + kGuard, 1);
  std::copy(a, a + n, out);
  return n;
}

// std::llround for |v| < 2^52, without the library call: v - trunc(v) is exact.
int64_t RoundHalfAway(double v) {
  const auto whole = static_cast<int64_t>(v);
  const double part = v - static_cast<double>(whole);
  return whole + static_cast<int64_t>(part >= 0.5) - static_cast<int64_t>(part <= -0.5);
}

// Walks one side of a convex polygon from its top vertex down. Column(yc) gives the
// first pixel column whose centre is at or right of the side on the row whose
// centre is yc (1/256 pixel); call it for consecutive rows.
class EdgeWalker {
 public:
  EdgeWalker() = default;
  EdgeWalker(const FixedPoint* chain, int count) : chain_(chain), count_(count) {}

  [[gnu::always_inline]] int64_t Column(int64_t yc) {
    if (active_ && yc < chain_[k_ + 1].y) {
      r_ += rs_;
      const int64_t carry = r_ >= den_;  // no branch: the carry comes and goes at random
      q_ += qs_ + carry;
      r_ -= den_ & -carry;
    } else {
      while (k_ + 2 < count_ && yc >= chain_[k_ + 1].y) ++k_;
      Start(yc);
    }
    return q_ + (r_ != 0 ? 1 : 0);
  }

 private:
  // Pixel px is right of the edge when 256 px dy >= (yc - y0) dx + (x0 - 128) dy:
  // the column is ceil(num / den) with den = 256 dy, kept as q + r / den.
  void Start(int64_t yc) {
    const FixedPoint a = chain_[k_], b = chain_[k_ + 1];
    const int64_t dy = b.y - a.y, dx = b.x - a.x;
    active_ = true;
    if (dy <= 0) {  // only on a degenerate polygon
      den_ = kSub, q_ = FloorDiv(a.x - kSub / 2, kSub), r_ = a.x - kSub / 2 - q_ * kSub, qs_ = rs_ = 0;
      return;
    }
    den_ = kSub * dy;
    const int64_t num = (yc - a.y) * dx + (a.x - kSub / 2) * dy;
    q_ = FloorDiv(num, den_);
    r_ = num - q_ * den_;
    qs_ = FloorDiv(kSub * dx, den_);
    rs_ = kSub * dx - qs_ * den_;
  }

  const FixedPoint* chain_ = nullptr;
  int count_ = 0;
  int k_ = 0;
  bool active_ = false;
  int64_t den_ = 1, q_ = 0, r_ = 0, qs_ = 0, rs_ = 0;
};

// An affine map of the pixel grid in 32.32 fixed point: the texel coordinate at
// the centre of pixel (x, y) is a x + b y + c. Exact integer steps across a row
// and down the rows; wherever the quad covers a pixel its values stay within
// about 2^57, so nothing overflows.
struct Affine64 {
  int64_t a = 0, b = 0, c = 0;
  Affine64(double sa, double sb, double sc) {
    const auto fixed = [](double v) {
      return static_cast<int64_t>(std::llround(std::clamp(v * 4294967296.0, -0x1p62, 0x1p62)));
    };
    a = fixed(sa);
    b = fixed(sb);
    c = fixed(sc + (sa + sb) * 0.5);
  }
  int64_t At(int64_t x, int64_t y) const { return c + b * y + a * x; }
};

// 32.32 to 16.16, rounded to nearest (halves up), limited to +-2^30.
int32_t Narrow(int64_t v) {
  return static_cast<int32_t>((std::clamp<int64_t>(v, -(int64_t{1} << 46), int64_t{1} << 46) + 32768) >> 16);
}

bool InRange(int32_t first, int32_t step, int count, int32_t lo, int32_t hi) {
  const int64_t last = first + static_cast<int64_t>(step) * (count - 1);
  return std::min<int64_t>(first, last) >= lo && std::max<int64_t>(first, last) <= hi;
}

BlendKind KindOf(int source, int destination) {
  // Destination alpha reads as one: factor 7 is "one", factor 8 is "zero".
  if (source == kBlendDstAlpha) source = kBlendOne;
  if (destination == kBlendDstAlpha) destination = kBlendOne;
  if (source == kBlendSrcAlpha && destination == kBlendInvSrcAlpha) return BlendKind::kNormal;
  if (source == kBlendSrcAlpha && destination == kBlendOne) return BlendKind::kAdditive;
  if (source == kBlendDstColour && destination == kBlendOne) return BlendKind::kLight;
  if (source == kBlendSrcColour && destination == kBlendDstColour) return BlendKind::kDark;
  return BlendKind::kTable;
}

QuadContext ContextOf(const RasterTexture& tex, int alpha, const RasterState& state) {
  QuadContext q;
  q.texels = tex.origin();
  q.stride = tex.stride;
  q.sMin = q.tMin = -65536;
  // The border texel repeats the edge, so one texel past either edge still clamps.
  const int extra = state.bilinear ? 0 : 1;
  q.sMax = (tex.width + extra) * 65536 - 1;
  q.tMax = (tex.height + extra) * 65536 - 1;
  q.solid = tex.store.empty() ? 0 : tex.Texel(0, 0);
  q.wide = tex.wide.empty() ? nullptr : tex.wide.data();
  q.tintAlpha = tex.tintAlpha.empty() ? nullptr : tex.tintAlpha.data();
  q.tint = tex.tint;
  q.alpha = alpha;
  q.source = raster::TermsOf(state.blendSource);
  q.destination = raster::TermsOf(state.blendDestination);
  return q;
}

// One side of a convex clockwise polygon, from the top vertex to the bottom one:
// step +1 walks the right side, step -1 the left.
int SideOf(const FixedPoint* p, int n, int top, int bottom, int step, FixedPoint* side) {
  int count = 0;
  for (int i = top;; i += step, i = i < 0 ? i + n : i >= n ? i - n : i) {
    side[count++] = p[i];
    if (i == bottom) return count;
  }
}

// The first row whose centre is at or below y (1/256 pixel).
int64_t RowAtOrBelow(int64_t y) {
  return FloorDiv(y - kSub / 2 + kSub - 1, kSub);
}

// A convex clockwise polygon, corners snapped to 1/256 pixel, walked row by row:
// rows [firstRow, endRow), and on each the columns [left, right) whose centres lie
// inside. Rows must be asked for in order, from any row on. With `merge`, corners
// that snap to the one before are dropped (fewer edges to walk).
class PolygonRows {
 public:
  PolygonRows(const Point* points, int count, bool merge = false) {
    FixedPoint p[kMaxCorners];
    int n = 0, top = 0, bottom = 0;
    for (int i = 0; i < count; ++i) {
      const FixedPoint f = {RoundHalfAway(points[i].x * kSub), RoundHalfAway(points[i].y * kSub)};
      if (merge && n > 0 && f.x == p[n - 1].x && f.y == p[n - 1].y) continue;
      p[n] = f;
      if (p[n].y < p[top].y) top = n;
      if (p[n].y > p[bottom].y) bottom = n;
      ++n;
    }
    firstRow = RowAtOrBelow(p[top].y);
    endRow = RowAtOrBelow(p[bottom].y);
    leftWalker_ = EdgeWalker(leftSide_, SideOf(p, n, top, bottom, -1, leftSide_));
    rightWalker_ = EdgeWalker(rightSide_, SideOf(p, n, top, bottom, 1, rightSide_));
  }
  // An upright rectangle of whole pixels, [left, right) x [top, bottom): the same
  // columns on every row, and no side to walk.
  PolygonRows(int64_t left, int64_t top, int64_t right, int64_t bottom)
      : firstRow(top), endRow(bottom), rectangle_(true), left_(left), right_(right) {}
  PolygonRows(const PolygonRows&) = delete;
  [[gnu::always_inline]] void Columns(int64_t row, int64_t& left, int64_t& right) {
    if (rectangle_) {
      left = left_, right = right_;
      return;
    }
    const int64_t yc = row * kSub + kSub / 2;
    left = leftWalker_.Column(yc);
    right = rightWalker_.Column(yc);
  }

  int64_t firstRow, endRow;

 private:
  bool rectangle_ = false;
  int64_t left_ = 0, right_ = 0;
  FixedPoint leftSide_[kMaxCorners + 1], rightSide_[kMaxCorners + 1];
  EdgeWalker leftWalker_, rightWalker_;
};

// Scan-converts the (guard-clipped) polygon and runs the kernels on every row of
// the target's band. With a trim (the outline of the live texels), each span
// shrinks to the columns inside it too, and starts where the whole span's
// coordinates, stepped pixel by pixel, would be: trimming changes no pixel it keeps.
void FillPolygon(const RasterTarget& target, PolygonRows& quad, PolygonRows* trim, const QuadFrame& f,
                 const QuadContext& q, const SpanKernels& kernels, bool checkRange) {
  int64_t row = std::max<int64_t>({quad.firstRow, 0, target.bandTop});
  int64_t rowEnd = std::min<int64_t>({quad.endRow, target.height, target.bandBottom});
  if (trim != nullptr) row = std::max(row, trim->firstRow), rowEnd = std::min(rowEnd, trim->endRow);
  if (row >= rowEnd) return;
  const Affine64 fs(f.sa, f.sb, f.sc), ft(f.ta, f.tb, f.tc);
  SpanArgs a;
  a.ds = Narrow(fs.a);
  a.dt = Narrow(ft.a);
  for (; row < rowEnd; ++row) {
    int64_t xl, xr;
    quad.Columns(row, xl, xr);
    const int xs = static_cast<int>(std::max<int64_t>(xl, 0));
    const int xe = static_cast<int>(std::min<int64_t>(xr, target.width));
    int64_t from = xs, to = xe;
    if (trim != nullptr) {
      int64_t tl, tr;
      trim->Columns(row, tl, tr);
      from = std::max(from, tl), to = std::min(to, tr);
    }
    if (from >= to) continue;
    a.dst = target.pixels + row * target.pitch + from;
    a.count = static_cast<int>(to - from);
    a.s = StepAdd(Narrow(fs.At(xs, row)), a.ds, static_cast<uint32_t>(from - xs));
    a.t = StepAdd(Narrow(ft.At(xs, row)), a.dt, static_cast<uint32_t>(from - xs));
    const bool inside = kernels.inside == kernels.clamped ||
                        (checkRange && InRange(a.s, a.ds, a.count, q.sMin, q.sMax) &&
                         InRange(a.t, a.dt, a.count, q.tMin, q.tMax));
    (inside ? kernels.inside : kernels.clamped)(q, a);
  }
}

// A polygon clipped to the guard band when it reaches far off-screen. Returns the
// number of corners, 0 when nothing of it is on the screen.
int ScreenPolygon(const Point* corners, int count, const RasterTarget& target, Point* polygon) {
  bool far = false;
  for (int i = 0; i < count; ++i) {
    const Point& p = corners[i];
    far |= p.x < -kGuard || p.y < -kGuard || p.x > target.width + kGuard || p.y > target.height + kGuard;
  }
  const int n = far ? ClipToGuard(corners, count, polygon, target.width, target.height) : count;
  if (!far) std::copy(corners, corners + count, polygon);
  if (n < 3) return 0;
  double minX = polygon[0].x, maxX = polygon[0].x, minY = polygon[0].y, maxY = polygon[0].y;
  for (int i = 1; i < n; ++i) {
    minX = std::min(minX, polygon[i].x), maxX = std::max(maxX, polygon[i].x);
    minY = std::min(minY, polygon[i].y), maxY = std::max(maxY, polygon[i].y);
  }
  return maxX <= 0 || minX >= target.width || maxY <= 0 || minY >= target.height ? 0 : n;
}

// The kernels a quad needs. With shortcuts: quads that leave the screen as it is
// are skipped (false), opaque normal blending becomes a copy, uniform or
// identity-mapped textures skip the sampling, and `outline` is set where spans
// may be trimmed to the texels that change the screen.
bool ChooseKinds(const RasterTexture& tex, const QuadDraw& quad, double c, double s, int alpha,
                 const RasterState& state, const RasterPaths& paths, BlendKind& blend, SamplerKind& sampler,
                 const TexelOutline*& outline) {
  blend = paths.specialBlends ? KindOf(state.blendSource, state.blendDestination) : BlendKind::kTable;
  sampler = state.bilinear ? SamplerKind::kBilinear : SamplerKind::kNearest;
  outline = nullptr;
  if (!paths.shortcuts) return true;
  const bool weighted = blend == BlendKind::kNormal || blend == BlendKind::kAdditive;
  if (weighted && (alpha == 0 || tex.transparent)) return false;
  // Texels of alpha 0 leave the screen as it is under the weighted blends, and
  // black ones under the light blend (dst + dst * src).
  if (weighted) outline = &FaintOutline(tex, alpha);
  if (blend == BlendKind::kLight) outline = &tex.colourOutline;
  if (outline != nullptr && outline->cover == TexelOutline::kNone) return false;
  if (outline != nullptr && outline->cover == TexelOutline::kAll) outline = nullptr;
  if (blend == BlendKind::kNormal && tex.opaque && alpha == 255) blend = BlendKind::kReplace;
  if (tex.uniform)
    sampler = SamplerKind::kSolid;
  else if (c == 1.0 && s == 0.0 && quad.width == tex.width && quad.height == tex.height)
    sampler = SamplerKind::kIdentity;
  return true;
}

// The texels of a small texture's store with 16-bit channels.
void MakeWideTexels(RasterTexture& t) {
  t.wide.resize(t.store.size());
  for (size_t i = 0; i < t.store.size(); ++i) {
    const uint64_t word = t.store[i];
    t.wide[i] = (word & 0xFF) | (word >> 8 & 0xFF) << 16 | (word >> 16 & 0xFF) << 32 | (word >> 24) << 48;
  }
}

// The alphas of a small one-colour texture (its border included), when its colour
// is the same everywhere and its alpha is not.
void MakeTintAlpha(RasterTexture& t) {
  if (t.uniform || t.store.empty() || static_cast<int64_t>(t.width) * t.height > kWideTexelLimit) return;
  const uint32_t colour = t.store[0] & 0x00FFFFFF;
  for (const uint32_t word : t.store) {
    if ((word & 0x00FFFFFF) != colour) return;
  }
  t.tint = colour;
  const size_t n = t.store.size(), below = static_cast<size_t>(t.stride);
  const auto alpha = [&](size_t i) { return i < n ? static_cast<int>(t.store[i] >> 24) : 0; };
  const auto term = [](int v, int shift) { return static_cast<uint64_t>(static_cast<uint16_t>(v)) << shift; };
  t.tintAlpha.resize(n);
  for (size_t i = 0; i < n; ++i) {
    const int a00 = alpha(i), a10 = alpha(i + 1), a01 = alpha(i + below), a11 = alpha(i + below + 1);
    t.tintAlpha[i] = term(a00, 0) | term(a10 - a00, 16) | term(a01 - a00, 32) | term(a00 - a10 - a01 + a11, 48);
  }
}

}  // namespace

// Black (the usual clear) goes to memset, other words through 16-byte stores;
// a plain loop of word stores takes several times as long.
void FillBand(const RasterTarget& target, uint32_t word) {
  const int top = std::max(target.bandTop, 0), bottom = std::min(target.bandBottom, target.height);
  if (top >= bottom || target.width <= 0) return;
  const bool whole = target.pitch == target.width;  // the rows follow one another
  const size_t run = whole ? static_cast<size_t>(bottom - top) * target.width : target.width;
  for (int y = top; y < (whole ? top + 1 : bottom); ++y) {
    uint32_t* p = target.pixels + static_cast<ptrdiff_t>(y) * target.pitch;
    size_t i = 0;
    if (word == 0) {
      std::memset(p, 0, run * sizeof(uint32_t));
      continue;
    }
#if VEXMOOR_RASTER_SSE2
    const __m128i four = _mm_set1_epi32(static_cast<int>(word));
    for (; i + 4 <= run; i += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i), four);
#endif
    std::fill(p + i, p + run, word);
  }
}

bool MakeRasterTexture(const Image& image, RasterTexture& out) {
  out = RasterTexture{};
  const int w = image.width, h = image.height;
  if (w <= 0 || h <= 0 || w > kMaxTextureSize || h > kMaxTextureSize) return false;
  if (image.rgba.size() != static_cast<size_t>(w) * static_cast<size_t>(h) * 4) return false;
  out.width = w;
  out.height = h;
  out.stride = w + 2;
  out.store.assign(static_cast<size_t>(out.stride) * static_cast<size_t>(h + 2), 0);
  const uint8_t* src = image.rgba.data();
  uint32_t* row = out.store.data() + out.stride + 1;
  const uint32_t first = static_cast<uint32_t>(src[3]) << 24 | src[0] << 16 | src[1] << 8 | src[2];
  bool uniform = true, opaque = true, transparent = true;
  for (int y = 0; y < h; ++y, row += out.stride) {
    for (int x = 0; x < w; ++x, src += 4) {
      const uint32_t word = static_cast<uint32_t>(src[3]) << 24 | src[0] << 16 | src[1] << 8 | src[2];
      row[x] = word;
      uniform &= word == first;
      opaque &= src[3] == 255;
      transparent &= src[3] == 0;
    }
    row[-1] = row[0];
    row[w] = row[w - 1];
  }
  std::copy_n(out.store.data() + out.stride, out.stride, out.store.data());
  std::copy_n(out.store.data() + static_cast<size_t>(h) * out.stride, out.stride,
              out.store.data() + static_cast<size_t>(h + 1) * out.stride);
  out.uniform = uniform;
  out.opaque = opaque;
  out.transparent = transparent;
  if (static_cast<int64_t>(w) * h <= kWideTexelLimit) MakeWideTexels(out);
  MakeTintAlpha(out);
  MeasureOutlines(out);
  return true;
}

void RasterQuad(const RasterTarget& target, const RasterTexture& tex, const QuadDraw& quad,
                const RasterState& state, const RasterPaths& paths) {
  if (quad.width <= 0 || quad.height <= 0 || tex.width <= 0 || tex.store.empty() ||
      !std::isfinite(quad.angle) || target.pixels == nullptr || !IsBlendFactor(state.blendSource) ||
      !IsBlendFactor(state.blendDestination))
    return;
  const int alpha = std::clamp(quad.alpha, 0, 255);
  double c, s;
  TurnOf(quad.angle, c, s);
  BlendKind blend;
  SamplerKind sampler;
  const TexelOutline* outline;
  if (!ChooseKinds(tex, quad, c, s, alpha, state, paths, blend, sampler, outline)) return;
  const QuadFrame frame = FrameOf(quad, c, s, tex, state.bilinear);
  Point polygon[kMaxCorners];
  std::optional<PolygonRows> quadRows;
  if (c == 1.0 && s == 0.0) {  // upright: its corners are whole pixels
    quadRows.emplace(int64_t{quad.x}, int64_t{quad.y}, int64_t{quad.x} + quad.width,
                     int64_t{quad.y} + quad.height);
  } else {
    const int n = ScreenPolygon(frame.corner, 4, target, polygon);
    if (n == 0) return;
    quadRows.emplace(polygon, n);
  }
  std::optional<PolygonRows> trimRows;
  if (outline != nullptr) {
    Point corners[kMaxOutlineCorners];
    const int m = OutlineCorners(*outline, state.bilinear, frame.sa, frame.sb, frame.sc, frame.ta, frame.tb,
                                 frame.tc, corners);
    const int k = ScreenPolygon(corners, m, target, polygon);
    if (k == 0) return;
    trimRows.emplace(polygon, k, true);
  }
  const raster::SimdLevel level = !paths.simd    ? raster::SimdLevel::kNone
                                  : !paths.avx2  ? raster::SimdLevel::kSse2
                                  : paths.avx512 ? raster::SimdLevel::kAvx512
                                                 : raster::SimdLevel::kAvx2;
  const QuadContext context = ContextOf(tex, alpha, state);
  const SpanKernels kernels = raster::SelectSpanKernels(sampler, blend, alpha != 255, level, context);
  FillPolygon(target, *quadRows, trimRows ? &*trimRows : nullptr, frame, context, kernels, paths.shortcuts);
}
