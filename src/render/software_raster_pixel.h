// Pixel arithmetic of the rasteriser: texel samplers and blenders, each in a scalar
// form (one pixel) and, where the build has SSE2, a vector form (four pixels) that
// computes exactly the same bits; software_raster_avx2.cpp repeats the vector forms
// eight pixels wide. Words are 0xAARRGGBB; the screen's top byte is 0.
//
// Blending, per channel, with values and factors on a 0-255 scale:
//   result = round(min(src * SF + dst * DF, 255 * 255) / 255)
// where src alpha = round(texel alpha * quad alpha / 255). Bilinear filtering uses
// four 8-bit weights that sum to 256, on straight (non-premultiplied) channels.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#define VEXMOOR_RASTER_SSE2 1
// An AVX2 tier, compiled for the function that uses it and chosen at run time.
// GCC's target pragmas are what enable it; clang (the fuzz build) goes without.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define VEXMOOR_RASTER_AVX2 1
#endif
#endif

// Inner-loop helpers must inline even at -O2, or their state leaves the registers.
#define VX_INLINE [[gnu::always_inline]] inline

namespace raster {

// round(x / 255) for 0 <= x <= 255 * 255.
inline uint32_t Div255(uint32_t x) {
  x += 128;
  return (x + (x >> 8)) >> 8;
}

// A blend factor as an affine function of the channel values (0-255 scale):
// k0 + ks * src + ka * srcAlpha + kd * dst. The screen has no alpha, so destination
// alpha reads as one.
struct FactorTerms {
  int k0 = 0, ks = 0, ka = 0, kd = 0;
};
FactorTerms TermsOf(int factor);

// What every span of one quad shares.
struct QuadContext {
  const uint32_t* texels = nullptr;  // texel (0, 0)
  const uint64_t* wide = nullptr;    // the store's start with 16-bit channels, when the texture has them
  const uint64_t* tintAlpha = nullptr;  // the store's start as four alpha terms a texel, for a one-colour texture
  uint32_t tint = 0;                    // and its colour (0x00RRGGBB)
  ptrdiff_t stride = 0;              // words per stored texture row
  int32_t sMin = 0, sMax = 0;        // coordinates that stay inside the texture border (16.16)
  int32_t tMin = 0, tMax = 0;
  uint32_t solid = 0;               // the texel of a uniform texture
  int alpha = 255;                  // quad alpha 0-255
  FactorTerms source, destination;  // for the table-driven blend
};

// One run of pixels on a row. s, t: 16.16 texel coordinates of the first pixel
// centre (for bilinear sampling already moved back by half a texel).
struct SpanArgs {
  uint32_t* dst = nullptr;
  int count = 0;
  int32_t s = 0, t = 0;
  int32_t ds = 0, dt = 0;
};

using SpanFunction = void (*)(const QuadContext&, const SpanArgs&);

inline uint32_t ChannelOf(uint32_t word, int shift) {
  return (word >> shift) & 255u;
}

// a + k b with wrap-around: coordinates stepped past the end of a span may leave
// the 32-bit range, and are then never used.
inline int32_t StepAdd(int32_t a, int32_t b, uint32_t k = 1) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + k * static_cast<uint32_t>(b));
}

template <bool kScale>
inline uint32_t SourceAlpha(uint32_t texel, int quadAlpha) {
  const uint32_t a = texel >> 24;
  if constexpr (kScale) return Div255(a * static_cast<uint32_t>(quadAlpha));
  return a;
}

#if VEXMOOR_RASTER_SSE2
// Per-quad constants of the vector blenders.
struct SimdContext {
  __m128i quadAlpha;  // quad alpha in every 16-bit lane
};

// round(x / 255) in 16-bit lanes, x <= 255 * 255: the same as Div255, since
// (y * 257) >> 16 = (y + (y >> 8)) >> 8 for y = x + 128 < 2^16.
VX_INLINE __m128i Div255x8(__m128i x) {
  return _mm_mulhi_epu16(_mm_add_epi16(x, _mm_set1_epi16(128)), _mm_set1_epi16(257));
}

// Two pixels in 16-bit lanes: each pixel's alpha channel copied to its four lanes.
VX_INLINE __m128i AlphaLanes(__m128i px) {
  return _mm_shufflehi_epi16(_mm_shufflelo_epi16(px, 0xFF), 0xFF);
}

template <bool kScale>
VX_INLINE __m128i SourceAlphaLanes(__m128i s, const SimdContext& c) {
  const __m128i a = AlphaLanes(s);
  if constexpr (kScale) return Div255x8(_mm_mullo_epi16(a, c.quadAlpha));
  return a;
}
#endif

// ---- blenders: One(src, dst) on words, Two(src, dst) on two pixels in 16-bit lanes.

// Normal blending of an opaque texture at full alpha: the texel replaces the pixel.
struct ReplaceBlend {
  static constexpr bool kSimd = true;
  VX_INLINE static uint32_t One(uint32_t s, uint32_t, const QuadContext&) { return s & 0xFFFFFFu; }
#if VEXMOOR_RASTER_SSE2
  VX_INLINE static __m128i Two(__m128i s, __m128i, const SimdContext&) {
    return s;
  }
#endif
};

// (5, 6): src * srcA + dst * (1 - srcA).
template <bool kScale>
struct NormalBlend {
  static constexpr bool kSimd = true;
  VX_INLINE static uint32_t One(uint32_t s, uint32_t d, const QuadContext& q) {
    const uint32_t a = SourceAlpha<kScale>(s, q.alpha);
    uint32_t r = 0;
    for (int sh = 0; sh < 24; sh += 8) r |= Div255(ChannelOf(s, sh) * a + ChannelOf(d, sh) * (255 - a)) << sh;
    return r;
  }
#if VEXMOOR_RASTER_SSE2
  VX_INLINE static __m128i Two(__m128i s, __m128i d, const SimdContext& c) {
    const __m128i a = SourceAlphaLanes<kScale>(s, c);
    // 255 d + (s - d) a, exact modulo 2^16 because the true value is below 2^16.
    const __m128i x =
        _mm_add_epi16(_mm_sub_epi16(_mm_slli_epi16(d, 8), d), _mm_mullo_epi16(_mm_sub_epi16(s, d), a));
    return Div255x8(x);
  }
#endif
};

// (5, 7): dst + src * srcA.
template <bool kScale>
struct AdditiveBlend {
  static constexpr bool kSimd = true;
  VX_INLINE static uint32_t One(uint32_t s, uint32_t d, const QuadContext& q) {
    const uint32_t a = SourceAlpha<kScale>(s, q.alpha);
    uint32_t r = 0;
    for (int sh = 0; sh < 24; sh += 8)
      r |= std::min<uint32_t>(ChannelOf(d, sh) + Div255(ChannelOf(s, sh) * a), 255) << sh;
    return r;
  }
#if VEXMOOR_RASTER_SSE2
  VX_INLINE static __m128i Two(__m128i s, __m128i d, const SimdContext& c) {
    return _mm_add_epi16(d, Div255x8(_mm_mullo_epi16(s, SourceAlphaLanes<kScale>(s, c))));
  }
#endif
};

// (9, 7): dst * src + dst.
struct LightBlend {
  static constexpr bool kSimd = true;
  VX_INLINE static uint32_t One(uint32_t s, uint32_t d, const QuadContext&) {
    uint32_t r = 0;
    for (int sh = 0; sh < 24; sh += 8) {
      const uint32_t dc = ChannelOf(d, sh);
      r |= std::min<uint32_t>(dc + Div255(ChannelOf(s, sh) * dc), 255) << sh;
    }
    return r;
  }
#if VEXMOOR_RASTER_SSE2
  VX_INLINE static __m128i Two(__m128i s, __m128i d, const SimdContext&) {
    return _mm_add_epi16(d, Div255x8(_mm_mullo_epi16(s, d)));
  }
#endif
};

// (3, 9): src * src + dst * dst.
struct DarkBlend {
  static constexpr bool kSimd = true;
  VX_INLINE static uint32_t One(uint32_t s, uint32_t d, const QuadContext&) {
    uint32_t r = 0;
    for (int sh = 0; sh < 24; sh += 8) {
      const uint32_t sc = ChannelOf(s, sh), dc = ChannelOf(d, sh);
      r |= Div255(std::min<uint32_t>(sc * sc + dc * dc, 65025)) << sh;
    }
    return r;
  }
#if VEXMOOR_RASTER_SSE2
  VX_INLINE static __m128i Two(__m128i s, __m128i d, const SimdContext&) {
    __m128i x = _mm_adds_epu16(_mm_mullo_epi16(s, s), _mm_mullo_epi16(d, d));
    x = _mm_sub_epi16(x, _mm_subs_epu16(x, _mm_set1_epi16(static_cast<short>(65025))));  // min(x, 65025)
    return Div255x8(x);
  }
#endif
};

// Any factor pair, through the factor table (scalar only).
struct TableBlend {
  static constexpr bool kSimd = false;
  static int Factor(const FactorTerms& f, int s, int a, int d) {
    return f.k0 + f.ks * s + f.ka * a + f.kd * d;
  }
  VX_INLINE static uint32_t One(uint32_t s, uint32_t d, const QuadContext& q) {
    const int a = static_cast<int>(SourceAlpha<true>(s, q.alpha));
    uint32_t r = 0;
    for (int sh = 0; sh < 24; sh += 8) {
      const int sc = static_cast<int>(ChannelOf(s, sh)), dc = static_cast<int>(ChannelOf(d, sh));
      const int x = sc * Factor(q.source, sc, a, dc) + dc * Factor(q.destination, sc, a, dc);
      r |= Div255(static_cast<uint32_t>(std::min(x, 65025))) << sh;
    }
    return r;
  }
};

// ---- samplers: One() gives the next texel word, Four(lo, hi) the next four
// pixels as two registers of two pixels in 16-bit lanes.

#if VEXMOOR_RASTER_SSE2
VX_INLINE void Widen(__m128i four, __m128i& lo, __m128i& hi) {
  const __m128i zero = _mm_setzero_si128();
  lo = _mm_unpacklo_epi8(four, zero);
  hi = _mm_unpackhi_epi8(four, zero);
}
#endif

// A uniform texture: every sample is the same texel.
struct SolidSampler {
  static constexpr bool kSimd = true;
  uint32_t texel;
  SolidSampler(const QuadContext& q, const SpanArgs&, int = 4) : texel(q.solid) {}
  VX_INLINE uint32_t One() const { return texel; }
#if VEXMOOR_RASTER_SSE2
  VX_INLINE void Four(__m128i& lo, __m128i& hi) const {
    lo = hi = _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(texel)), _mm_setzero_si128());
  }
#endif
};

// An unrotated quad of the texture's own size: texels one after another. Serving
// fewer than four pixels (a span's last step) it reads them from a copy, so that
// the four-wide load stays inside the texture.
struct IdentitySampler {
  static constexpr bool kSimd = true;
  const uint32_t* p;
  uint32_t spare[4] = {};
  IdentitySampler(const QuadContext& q, const SpanArgs& a, int count = 4)
      : p(q.texels + static_cast<ptrdiff_t>(a.t >> 16) * q.stride + (a.s >> 16)) {
    if (count < 4) {
      std::copy_n(p, count, spare);
      p = spare;
    }
  }
  IdentitySampler(const IdentitySampler&) = delete;
  VX_INLINE uint32_t One() { return *p++; }
#if VEXMOOR_RASTER_SSE2
  VX_INLINE void Four(__m128i& lo, __m128i& hi) {
    Widen(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), lo, hi);
    p += 4;
  }
#endif
};

// Stepping 16.16 coordinates for the one-pixel forms; with kClamp every coordinate
// is clamped to the texture border first (the plain path, and the rare spans whose
// coordinates leave the texture through rounding).
template <bool kClamp>
struct Cursor {
  const uint32_t* texels;
  ptrdiff_t stride;
  int32_t s, t, ds, dt;
  int32_t sMin, sMax, tMin, tMax;
  Cursor(const QuadContext& q, const SpanArgs& a)
      : texels(q.texels),
        stride(q.stride),
        s(a.s),
        t(a.t),
        ds(a.ds),
        dt(a.dt),
        sMin(q.sMin),
        sMax(q.sMax),
        tMin(q.tMin),
        tMax(q.tMax) {}
  // Address of the texel under the current coordinates (cs, ct: the coordinates used).
  VX_INLINE const uint32_t* Next(int32_t& cs, int32_t& ct) {
    cs = kClamp ? std::clamp(s, sMin, sMax) : s;
    ct = kClamp ? std::clamp(t, tMin, tMax) : t;
    s = StepAdd(s, ds);
    t = StepAdd(t, dt);
    return texels + static_cast<ptrdiff_t>(ct >> 16) * stride + (cs >> 16);
  }
  VX_INLINE const uint32_t* Next() {
    int32_t cs, ct;
    return Next(cs, ct);
  }
};

#if VEXMOOR_RASTER_SSE2
// The coordinates of four pixels in 32-bit lanes, stepping together; Index() gives
// the texel index (y * stride + x) of each. Lanes from `count` on repeat the last
// pixel (a span's last step).
struct FourCoordinates {
  __m128i s, t, ds4, dt4, indexWeights;
  static __m128i Start(int32_t first, int32_t step, int count) {
    const auto lane = [count](uint32_t i) { return std::min<uint32_t>(i, static_cast<uint32_t>(count - 1)); };
    return _mm_setr_epi32(first, StepAdd(first, step, lane(1)), StepAdd(first, step, lane(2)),
                          StepAdd(first, step, lane(3)));
  }
  FourCoordinates(const SpanArgs& a, ptrdiff_t stride, int count)
      : s(Start(a.s, a.ds, count)),
        t(Start(a.t, a.dt, count)),
        ds4(_mm_set1_epi32(StepAdd(0, a.ds, 4))),
        dt4(_mm_set1_epi32(StepAdd(0, a.dt, 4))),
        indexWeights(_mm_set1_epi32(static_cast<int>(stride << 16 | 1))) {}
  // x and y (both within -1..16385) as the two 16-bit halves of each lane, then
  // x * 1 + y * stride.
  VX_INLINE __m128i Index() const {
    const __m128i xy = _mm_or_si128(_mm_srli_epi32(s, 16), _mm_and_si128(t, _mm_set1_epi32(-65536)));
    return _mm_madd_epi16(xy, indexWeights);
  }
  VX_INLINE void Step() {
    s = _mm_add_epi32(s, ds4);
    t = _mm_add_epi32(t, dt4);
  }
};

struct alignas(16) FourIndices {
  int32_t i[4];
  explicit FourIndices(__m128i v) { _mm_store_si128(reinterpret_cast<__m128i*>(i), v); }
};
#endif

template <bool kClamp>
struct NearestSampler {
  static constexpr bool kSimd = !kClamp;
  Cursor<kClamp> c;
#if VEXMOOR_RASTER_SSE2
  FourCoordinates four;
  NearestSampler(const QuadContext& q, const SpanArgs& a, int count = 4)
      : c(q, a), four(a, q.stride, count) {}
#else
  NearestSampler(const QuadContext& q, const SpanArgs& a, int = 4) : c(q, a) {}
#endif
  VX_INLINE uint32_t One() {
    return *c.Next();
  }
#if VEXMOOR_RASTER_SSE2
  VX_INLINE void Four(__m128i& lo, __m128i& hi) {
    const FourIndices k(four.Index());
    four.Step();
    const uint32_t* p = c.texels;
    const __m128i a = _mm_cvtsi32_si128(static_cast<int>(p[k.i[0]]));
    const __m128i b = _mm_cvtsi32_si128(static_cast<int>(p[k.i[1]]));
    const __m128i e = _mm_cvtsi32_si128(static_cast<int>(p[k.i[2]]));
    const __m128i f = _mm_cvtsi32_si128(static_cast<int>(p[k.i[3]]));
    const __m128i zero = _mm_setzero_si128();
    lo = _mm_unpacklo_epi8(_mm_unpacklo_epi32(a, b), zero);
    hi = _mm_unpacklo_epi8(_mm_unpacklo_epi32(e, f), zero);
  }
#endif
};

// Bilinear weights from the fractions fx, fy (0-255): w00 + w10 + w01 + w11 = 256.
struct BilinearWeights {
  uint32_t w00, w10, w01, w11;
  BilinearWeights(uint32_t fx, uint32_t fy) {
    w11 = (fx * fy + 128) >> 8;
    w10 = fx - w11;
    w01 = fy - w11;
    w00 = 256 - fx - fy + w11;
  }
};

#if VEXMOOR_RASTER_SSE2
// Two pixels, each from the texels (x, y), (x+1, y) in top and (x, y+1), (x+1, y+1)
// in bottom; fx, fy hold each pixel's fractions over its four lanes.
VX_INLINE __m128i FilterPair(__m128i top, __m128i bottom, __m128i fx, __m128i fy) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i w11 = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(fx, fy), _mm_set1_epi16(128)), 8);
  const __m128i w10 = _mm_sub_epi16(fx, w11), w01 = _mm_sub_epi16(fy, w11);
  const __m128i w00 = _mm_sub_epi16(_mm_add_epi16(_mm_set1_epi16(256), w11), _mm_add_epi16(fx, fy));
  __m128i v = _mm_mullo_epi16(_mm_unpacklo_epi8(top, zero), w00);
  v = _mm_add_epi16(v, _mm_mullo_epi16(_mm_unpackhi_epi8(top, zero), w10));
  v = _mm_add_epi16(v, _mm_mullo_epi16(_mm_unpacklo_epi8(bottom, zero), w01));
  v = _mm_add_epi16(v, _mm_mullo_epi16(_mm_unpackhi_epi8(bottom, zero), w11));
  return _mm_srli_epi16(_mm_add_epi16(v, _mm_set1_epi16(128)), 8);
}
#endif

template <bool kClamp>
struct BilinearSampler {
  static constexpr bool kSimd = !kClamp;
  Cursor<kClamp> c;
#if VEXMOOR_RASTER_SSE2
  FourCoordinates four;
  BilinearSampler(const QuadContext& q, const SpanArgs& a, int count = 4)
      : c(q, a), four(a, q.stride, count) {}
#else
  BilinearSampler(const QuadContext& q, const SpanArgs& a, int = 4) : c(q, a) {}
#endif
  VX_INLINE uint32_t One() {
    int32_t s, t;
    const uint32_t* p = c.Next(s, t);
    const BilinearWeights w((static_cast<uint32_t>(s) >> 8) & 255, (static_cast<uint32_t>(t) >> 8) & 255);
    const uint32_t a = p[0], b = p[1], d = p[c.stride], e = p[c.stride + 1];
    uint32_t r = 0;
    for (int sh = 0; sh < 32; sh += 8) {
      const uint32_t v = ChannelOf(a, sh) * w.w00 + ChannelOf(b, sh) * w.w10 + ChannelOf(d, sh) * w.w01 +
                         ChannelOf(e, sh) * w.w11;
      r |= ((v + 128) >> 8) << sh;
    }
    return r;
  }
#if VEXMOOR_RASTER_SSE2
  VX_INLINE static __m128i Load2(const uint32_t* p) {
    return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
  }
  VX_INLINE void Four(__m128i& lo, __m128i& hi) {
    const FourIndices k(four.Index());
    // Fractions: fx0-3 and fy0-3 as 16-bit lanes, then each pixel's over its four lanes.
    const __m128i m = _mm_set1_epi32(255);
    const __m128i f = _mm_packs_epi32(_mm_and_si128(_mm_srli_epi32(four.s, 8), m),
                                      _mm_and_si128(_mm_srli_epi32(four.t, 8), m));
    const __m128i fx = _mm_unpacklo_epi16(f, f), fy = _mm_unpackhi_epi16(f, f);
    four.Step();
    const uint32_t* p = c.texels;
    const ptrdiff_t below = c.stride;
    const uint32_t *p0 = p + k.i[0], *p1 = p + k.i[1], *p2 = p + k.i[2], *p3 = p + k.i[3];
    const __m128i top01 = _mm_unpacklo_epi32(Load2(p0), Load2(p1));
    const __m128i bottom01 = _mm_unpacklo_epi32(Load2(p0 + below), Load2(p1 + below));
    lo = FilterPair(top01, bottom01, _mm_unpacklo_epi32(fx, fx), _mm_unpacklo_epi32(fy, fy));
    const __m128i top23 = _mm_unpacklo_epi32(Load2(p2), Load2(p3));
    const __m128i bottom23 = _mm_unpacklo_epi32(Load2(p2 + below), Load2(p3 + below));
    hi = FilterPair(top23, bottom23, _mm_unpackhi_epi32(fx, fx), _mm_unpackhi_epi32(fy, fy));
  }
#endif
};

// The span kernel for a sampler kind, blend kind and alpha scaling.
enum class SamplerKind { kSolid, kIdentity, kNearest, kBilinear };
enum class BlendKind { kReplace, kNormal, kAdditive, kLight, kDark, kTable };

enum class SimdLevel { kNone, kSse2, kAvx2, kAvx512 };

struct SpanKernels {
  SpanFunction inside = nullptr;   // spans whose coordinates stay inside the texture border
  SpanFunction clamped = nullptr;  // spans that may leave it
};
// The kernels that read QuadContext::wide are chosen only when q has it.
SpanKernels SelectSpanKernels(SamplerKind sampler, BlendKind blend, bool scaleAlpha, SimdLevel level,
                              const QuadContext& q);

// The AVX2 tier (software_raster_avx2.cpp): whether this CPU runs it, and its
// kernel for a combination (null for the table-driven blend).
bool Avx2Available();
SpanFunction SelectAvx2Kernel(SamplerKind sampler, BlendKind blend, bool scaleAlpha, bool wideTexels);
// Its bilinear kernel for a one-colour texture (QuadContext::tintAlpha): only the
// alpha is filtered, the colour filters to itself.
SpanFunction SelectAvx2TintKernel(BlendKind blend, bool scaleAlpha);
// The AVX-512 tier (software_raster_avx512.cpp): uniform, identity-mapped, and
// bilinear sampling of textures with 16-bit channels (null otherwise).
bool Avx512Available();
SpanFunction SelectAvx512Kernel(SamplerKind sampler, BlendKind blend, bool scaleAlpha, bool wideTexels);

}  // namespace raster
