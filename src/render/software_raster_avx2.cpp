// The AVX2 tier of the span kernels: eight pixels per step, with the arithmetic of
// the SSE2 and scalar kernels (software_raster_pixel.h) bit for bit. Only the code
// between the target pragmas uses AVX2, and it runs only when the processor has it.
// A span's last one to seven pixels are one more step, masked: its spare lanes
// read nothing, or a texel that is always there, never outside the texture.
#include "render/software_raster_pixel.h"

#if VEXMOOR_RASTER_AVX2
#include <immintrin.h>

namespace raster {

bool Avx2Available() {
  static const bool available = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
  }();
  return available;
}

#pragma GCC push_options
#pragma GCC target("avx2")

namespace {

using V = __m256i;

VX_INLINE V Splat16(int v) {
  return _mm256_set1_epi16(static_cast<short>(v));
}

// round(x / 255) in 16-bit lanes, x <= 255 * 255 (see Div255x8).
VX_INLINE V Div255x16(V x) {
  return _mm256_mulhi_epu16(_mm256_add_epi16(x, Splat16(128)), Splat16(257));
}

template <bool kScale>
VX_INLINE V AlphaOf(V s, V quadAlpha) {
  const V a =
      _mm256_shuffle_epi8(s, _mm256_setr_epi8(6, 7, 6, 7, 6, 7, 6, 7, 14, 15, 14, 15, 14, 15, 14, 15, 6, 7, 6,
                                              7, 6, 7, 6, 7, 14, 15, 14, 15, 14, 15, 14, 15));
  if constexpr (kScale) return Div255x16(_mm256_mullo_epi16(a, quadAlpha));
  return a;
}

// Blenders on four pixels in 16-bit lanes.
struct ReplaceWide {
  VX_INLINE static V Four(V s, V, V) { return s; }
};
template <bool kScale>
struct NormalWide {
  VX_INLINE static V Four(V s, V d, V qa) {
    const V a = AlphaOf<kScale>(s, qa);
    return Div255x16(_mm256_add_epi16(_mm256_sub_epi16(_mm256_slli_epi16(d, 8), d),
                                      _mm256_mullo_epi16(_mm256_sub_epi16(s, d), a)));
  }
};
template <bool kScale>
struct AdditiveWide {
  VX_INLINE static V Four(V s, V d, V qa) {
    return _mm256_add_epi16(d, Div255x16(_mm256_mullo_epi16(s, AlphaOf<kScale>(s, qa))));
  }
};
struct LightWide {
  VX_INLINE static V Four(V s, V d, V) { return _mm256_add_epi16(d, Div255x16(_mm256_mullo_epi16(s, d))); }
};
struct DarkWide {
  VX_INLINE static V Four(V s, V d, V) {
    V x = _mm256_adds_epu16(_mm256_mullo_epi16(s, s), _mm256_mullo_epi16(d, d));
    x = _mm256_sub_epi16(x, _mm256_subs_epu16(x, Splat16(65025)));
    return Div255x16(x);
  }
};

// Samplers: Eight(lo, hi) gives pixels 0, 1, 4, 5 in lo and 2, 3, 6, 7 in hi, the
// order in which unpacking eight screen words splits them.
VX_INLINE void Widen(V eight, V& lo, V& hi) {
  lo = _mm256_unpacklo_epi8(eight, _mm256_setzero_si256());
  hi = _mm256_unpackhi_epi8(eight, _mm256_setzero_si256());
}

VX_INLINE V Lanes() {
  return _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
}
// Lanes below count on.
VX_INLINE V MaskBelow(int count) {
  return _mm256_cmpgt_epi32(_mm256_set1_epi32(count), Lanes());
}

// Eight 32-bit indices taken out of a register two at a time through 64-bit
// moves. Storing the register and loading the indices back costs more: the
// loads cannot take their values from the wide store while it is in flight.
class LaneIndices {
 public:
  VX_INLINE explicit LaneIndices(V v) {
    const __m128i low = _mm256_castsi256_si128(v), high = _mm256_extracti128_si256(v, 1);
    pair_[0] = static_cast<uint64_t>(_mm_cvtsi128_si64(low));
    pair_[1] = static_cast<uint64_t>(_mm_extract_epi64(low, 1));
    pair_[2] = static_cast<uint64_t>(_mm_cvtsi128_si64(high));
    pair_[3] = static_cast<uint64_t>(_mm_extract_epi64(high, 1));
  }
  VX_INLINE int32_t operator[](int k) const { return static_cast<int32_t>(pair_[k >> 1] >> (32 * (k & 1))); }

 private:
  uint64_t pair_[4];
};

// Bytes that spread word pair k of each half, (w, v), to w w w w v v v v.
VX_INLINE V Spread(int k) {
  const char a = static_cast<char>(4 * k), b = static_cast<char>(4 * k + 1), c = static_cast<char>(4 * k + 2),
             d = static_cast<char>(4 * k + 3);
  return _mm256_setr_epi8(a, b, a, b, a, b, a, b, c, d, c, d, c, d, c, d, a, b, a, b, a, b, a, b, c, d, c, d,
                          c, d, c, d);
}

// Samplers step eight pixels at a time; Tail(mask) samples the last step, whose
// lanes outside the mask are not on the span.
struct SolidWide {
  V texels;
  SolidWide(const QuadContext& q, const SpanArgs&)
      : texels(_mm256_set1_epi32(static_cast<int>(q.solid))) {}
  VX_INLINE void Eight(V& lo, V& hi) const { Widen(texels, lo, hi); }
  VX_INLINE void Tail(V& lo, V& hi, V) const { Widen(texels, lo, hi); }
};

struct IdentityWide {
  const uint32_t* p;
  IdentityWide(const QuadContext& q, const SpanArgs& a)
      : p(q.texels + static_cast<ptrdiff_t>(a.t >> 16) * q.stride + (a.s >> 16)) {}
  VX_INLINE void Eight(V& lo, V& hi) {
    Widen(_mm256_loadu_si256(reinterpret_cast<const V*>(p)), lo, hi);
    p += 8;
  }
  VX_INLINE void Tail(V& lo, V& hi, V mask) const {
    Widen(_mm256_maskload_epi32(reinterpret_cast<const int*>(p), mask), lo, hi);
  }
};

// Coordinates of eight pixels and their texel indices (as FourCoordinates).
struct EightCoordinates {
  V s, t, ds8, dt8, indexWeights;
  EightCoordinates(const SpanArgs& a, ptrdiff_t stride)
      : s(Start(a.s, a.ds)),
        t(Start(a.t, a.dt)),
        ds8(_mm256_set1_epi32(StepAdd(0, a.ds, 8))),
        dt8(_mm256_set1_epi32(StepAdd(0, a.dt, 8))),
        indexWeights(_mm256_set1_epi32(static_cast<int>(stride << 16 | 1))) {}
  VX_INLINE static V Start(int32_t first, int32_t step) {
    return _mm256_add_epi32(_mm256_set1_epi32(first), _mm256_mullo_epi32(_mm256_set1_epi32(step), Lanes()));
  }
  VX_INLINE V Index() const {
    const V xy = _mm256_or_si256(_mm256_srli_epi32(s, 16), _mm256_and_si256(t, _mm256_set1_epi32(-65536)));
    return _mm256_madd_epi16(xy, indexWeights);
  }
  VX_INLINE void Step() {
    s = _mm256_add_epi32(s, ds8);
    t = _mm256_add_epi32(t, dt8);
  }
};

struct NearestWide {
  const uint32_t* texels;
  EightCoordinates c;
  NearestWide(const QuadContext& q, const SpanArgs& a) : texels(q.texels), c(a, q.stride) {}
  VX_INLINE void Eight(V& lo, V& hi) {
    Widen(_mm256_i32gather_epi32(reinterpret_cast<const int*>(texels), c.Index(), 4), lo, hi);
    c.Step();
  }
  VX_INLINE void Tail(V& lo, V& hi, V mask) {
    const int* base = reinterpret_cast<const int*>(texels);
    Widen(_mm256_mask_i32gather_epi32(_mm256_setzero_si256(), base, c.Index(), mask, 4), lo, hi);
  }
};

struct BilinearWide {
  const uint32_t* texels;
  ptrdiff_t stride;
  EightCoordinates c;
  BilinearWide(const QuadContext& q, const SpanArgs& a)
      : texels(q.texels), stride(q.stride), c(a, q.stride) {}

  VX_INLINE static __m128i Load2(const uint32_t* p) {
    return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
  }
  // Texel pairs (x, x+1) of pixels i, j (low half) and k, l (high half), on a row offset by `row`.
  VX_INLINE V Pairs(const LaneIndices& index, int i, int j, int k, int l, ptrdiff_t row) const {
    const __m128i low = _mm_unpacklo_epi32(Load2(texels + index[i] + row), Load2(texels + index[j] + row));
    const __m128i high = _mm_unpacklo_epi32(Load2(texels + index[k] + row), Load2(texels + index[l] + row));
    return _mm256_inserti128_si256(_mm256_castsi128_si256(low), high, 1);
  }
  VX_INLINE static V Filter(V top, V bottom, V fx, V fy) {
    const V zero = _mm256_setzero_si256();
    const V w11 = _mm256_srli_epi16(_mm256_add_epi16(_mm256_mullo_epi16(fx, fy), Splat16(128)), 8);
    const V w10 = _mm256_sub_epi16(fx, w11), w01 = _mm256_sub_epi16(fy, w11);
    const V w00 = _mm256_sub_epi16(_mm256_add_epi16(Splat16(256), w11), _mm256_add_epi16(fx, fy));
    V v = _mm256_mullo_epi16(_mm256_unpacklo_epi8(top, zero), w00);
    v = _mm256_add_epi16(v, _mm256_mullo_epi16(_mm256_unpackhi_epi8(top, zero), w10));
    v = _mm256_add_epi16(v, _mm256_mullo_epi16(_mm256_unpacklo_epi8(bottom, zero), w01));
    v = _mm256_add_epi16(v, _mm256_mullo_epi16(_mm256_unpackhi_epi8(bottom, zero), w11));
    return _mm256_srli_epi16(_mm256_add_epi16(v, Splat16(128)), 8);
  }
  // Lanes outside `live` read texel (0, 0).
  VX_INLINE void Eight(V& lo, V& hi, V live = _mm256_set1_epi32(-1)) {
    const LaneIndices index(_mm256_and_si256(c.Index(), live));
    const V m = _mm256_set1_epi32(255);
    const V f = _mm256_packs_epi32(_mm256_and_si256(_mm256_srli_epi32(c.s, 8), m),
                                   _mm256_and_si256(_mm256_srli_epi32(c.t, 8), m));
    const V fx = _mm256_unpacklo_epi16(f, f), fy = _mm256_unpackhi_epi16(f, f);
    c.Step();
    lo = Filter(Pairs(index, 0, 1, 4, 5, 0), Pairs(index, 0, 1, 4, 5, stride), _mm256_unpacklo_epi32(fx, fx),
                _mm256_unpacklo_epi32(fy, fy));
    hi = Filter(Pairs(index, 2, 3, 6, 7, 0), Pairs(index, 2, 3, 6, 7, stride), _mm256_unpackhi_epi32(fx, fx),
                _mm256_unpackhi_epi32(fy, fy));
  }
  VX_INLINE void Tail(V& lo, V& hi, V mask) { Eight(lo, hi, mask); }
};

// The four bilinear weights of eight pixels (those of BilinearWeights, one pixel per
// 32-bit lane, products below 2^16), packed as 16-bit pairs: w00 and w10 in `upper`,
// w01 and w11 in `lower`.
VX_INLINE static void PackedWeights(const EightCoordinates& c, V& upper, V& lower) {
  const V m = _mm256_set1_epi32(255);
  const V fx = _mm256_and_si256(_mm256_srli_epi32(c.s, 8), m), fy = _mm256_and_si256(_mm256_srli_epi32(c.t, 8), m);
  const V w11 = _mm256_srli_epi32(_mm256_add_epi32(_mm256_mullo_epi16(fx, fy), _mm256_set1_epi32(128)), 8);
  const V w10 = _mm256_sub_epi32(fx, w11), w01 = _mm256_sub_epi32(fy, w11);
  const V w00 = _mm256_sub_epi32(_mm256_add_epi32(_mm256_set1_epi32(256), w11), _mm256_add_epi32(fx, fy));
  upper = _mm256_or_si256(w00, _mm256_slli_epi32(w10, 16));
  lower = _mm256_or_si256(w01, _mm256_slli_epi32(w11, 16));
}

// Bilinear sampling from the texels with 16-bit channels. Register k holds pixel k
// in its low half and pixel k + 4 in its high half: the texel pair (x, x+1) of the
// row and of the next, each one 16-byte load, times their weights, spread from
// one word pair per pixel by a byte shuffle. Adding the halves of registers 0
// and 1 (2 and 3) gives pixels 0, 1, 4, 5 (2, 3, 6, 7) in the order that
// unpacking eight screen words gives them.
struct BilinearWide16 {
  const uint64_t *top, *bottom;  // the store's first row and the one below it
  EightCoordinates c;
  V bias;  // from texel (0, 0) to the store's start: indices are never negative
  BilinearWide16(const QuadContext& q, const SpanArgs& a)
      : top(q.wide),
        bottom(q.wide + q.stride),
        c(a, q.stride),
        bias(_mm256_set1_epi32(static_cast<int>(q.stride + 1))) {}

  VX_INLINE static V Pair(const uint64_t* row, int32_t first, int32_t second) {
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + first));
    return _mm256_inserti128_si256(_mm256_castsi128_si256(low),
                                   _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + second)), 1);
  }
  VX_INLINE V Products(const LaneIndices& index, int k, V upper, V lower) const {
    const V spread = Spread(k);
    return _mm256_add_epi16(
        _mm256_mullo_epi16(Pair(top, index[k], index[k + 4]), _mm256_shuffle_epi8(upper, spread)),
        _mm256_mullo_epi16(Pair(bottom, index[k], index[k + 4]), _mm256_shuffle_epi8(lower, spread)));
  }
  VX_INLINE static V Sum(V p, V q) {
    const V v = _mm256_add_epi16(_mm256_unpacklo_epi64(p, q), _mm256_unpackhi_epi64(p, q));
    return _mm256_srli_epi16(_mm256_add_epi16(v, Splat16(128)), 8);
  }
  // Lanes outside `live` read the store's first texel.
  VX_INLINE void Eight(V& lo, V& hi, V live = _mm256_set1_epi32(-1)) {
    const LaneIndices index(_mm256_and_si256(_mm256_add_epi32(c.Index(), bias), live));
    V upper, lower;
    PackedWeights(c, upper, lower);
    c.Step();
    lo = Sum(Products(index, 0, upper, lower), Products(index, 1, upper, lower));
    hi = Sum(Products(index, 2, upper, lower), Products(index, 3, upper, lower));
  }
  VX_INLINE void Tail(V& lo, V& hi, V mask) { Eight(lo, hi, mask); }
};

// Bilinear sampling of a one-colour texture, sixteen pixels a step: each pixel's
// alpha from its texel's four alpha terms (QuadContext::tintAlpha), one eight-byte
// load, and one multiply-add with its four weights. The colour needs no filtering,
// since weights that sum to 256 filter a constant channel to itself.
// The weights come from the coordinates' fractions in 16-bit lanes: the low 16 bits
// of s + k ds are those of (s mod 2^16) + k (ds mod 2^16), so sixteen fractions step
// in one register. Their lanes hold pixels 0-3, 8-11, 4-7, 12-15, the order in which
// unpacking pairs, adding neighbours and packing the sums leave the alphas.
// With kScale the alpha comes out already scaled by the quad's alpha, as the
// weighted blends would scale it (round(a x quad alpha / 255)), once a pixel
// instead of once a channel.
template <bool kScale>
struct TintSixteen {
  const long long* terms;  // the store's first texel
  V bias;                  // from texel (0, 0) to the store's start
  V quadAlpha;
  EightCoordinates c;  // pixels 0-7
  V sFraction, tFraction, sFractionStep, tFractionStep;
  TintSixteen(const QuadContext& q, const SpanArgs& a)
      : terms(reinterpret_cast<const long long*>(q.tintAlpha)),
        bias(_mm256_set1_epi32(static_cast<int>(q.stride + 1))),
        quadAlpha(Splat16(q.alpha)),
        c(a, q.stride),
        sFraction(Fractions(a.s, a.ds)),
        tFraction(Fractions(a.t, a.dt)),
        sFractionStep(Splat16(StepAdd(0, a.ds, 16))),
        tFractionStep(Splat16(StepAdd(0, a.dt, 16))) {}
  VX_INLINE static V Fractions(int32_t first, int32_t step) {
    const V order = _mm256_setr_epi16(0, 1, 2, 3, 8, 9, 10, 11, 4, 5, 6, 7, 12, 13, 14, 15);
    return _mm256_add_epi16(Splat16(first), _mm256_mullo_epi16(Splat16(step), order));
  }
  // The terms of texels i, j (low half) and k, l (high half).
  VX_INLINE V Terms(int32_t i, int32_t j, int32_t k, int32_t l) const {
    const auto two = [this](int32_t x, int32_t y) {
      return _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(terms + x)),
                                _mm_loadl_epi64(reinterpret_cast<const __m128i*>(terms + y)));
    };
    return _mm256_inserti128_si256(_mm256_castsi128_si256(two(i, j)), two(k, l), 1);
  }
  // The alphas of pixels 0-3, 8-11, 4-7, 12-15 in 16-bit lanes; lanes outside
  // `live0` (pixels 0-7) and `live1` (8-15) read the store's first texel.
  VX_INLINE V Sixteen(V live0, V live1) {
    const LaneIndices at(_mm256_and_si256(_mm256_add_epi32(c.Index(), bias), live0));
    c.Step();
    const LaneIndices at8(_mm256_and_si256(_mm256_add_epi32(c.Index(), bias), live1));
    c.Step();
    // Weights (256, fx, fy, w11) against the terms (a00, a10 - a00, a01 - a00,
    // a00 - a10 - a01 + a11) make a00 w00 + a10 w10 + a01 w01 + a11 w11.
    const V fx = _mm256_srli_epi16(sFraction, 8), fy = _mm256_srli_epi16(tFraction, 8);
    sFraction = _mm256_add_epi16(sFraction, sFractionStep);
    tFraction = _mm256_add_epi16(tFraction, tFractionStep);
    const V w11 = _mm256_srli_epi16(_mm256_add_epi16(_mm256_mullo_epi16(fx, fy), Splat16(128)), 8);
    const V whole = Splat16(256);
    const V upperLow = _mm256_unpacklo_epi16(whole, fx), upperHigh = _mm256_unpackhi_epi16(whole, fx);
    const V lowerLow = _mm256_unpacklo_epi16(fy, w11), lowerHigh = _mm256_unpackhi_epi16(fy, w11);
    const V first = _mm256_hadd_epi32(
        _mm256_madd_epi16(Terms(at[0], at[1], at[4], at[5]), _mm256_unpacklo_epi32(upperLow, lowerLow)),
        _mm256_madd_epi16(Terms(at[2], at[3], at[6], at[7]), _mm256_unpackhi_epi32(upperLow, lowerLow)));
    const V second = _mm256_hadd_epi32(
        _mm256_madd_epi16(Terms(at8[0], at8[1], at8[4], at8[5]), _mm256_unpacklo_epi32(upperHigh, lowerHigh)),
        _mm256_madd_epi16(Terms(at8[2], at8[3], at8[6], at8[7]), _mm256_unpackhi_epi32(upperHigh, lowerHigh)));
    // The sums are at most 255 x 256: packed to 16 bits unchanged.
    const V alpha = _mm256_srli_epi16(_mm256_add_epi16(_mm256_packus_epi32(first, second), Splat16(128)), 8);
    if constexpr (kScale) return Div255x16(_mm256_mullo_epi16(alpha, quadAlpha));
    return alpha;
  }
};

// The weighted blends of the colour of a one-colour texture by sixteen alphas in
// 16-bit lanes (as TintSixteen gives them), eight screen pixels at a time: what
// NormalWide and AdditiveWide make of that colour with those alphas. Weights(alpha)
// is done once for sixteen pixels; Eight spreads the pixels' weights to their
// channels with the byte shuffles spreadLo and spreadHi.
//
// Normal: (255 - a) d + a C = (255 - a)(d - 128) + a (C - 128) + 255 x 128, one
// multiply-add of unsigned bytes (255 - a, a) by signed ones (d - 128, C - 128) a
// channel, which stays within 16 signed bits (|x| <= 255 x 128).
struct NormalTint {
  V offsetColour;  // C - 128 in each byte of each pixel
  V flip;          // 128 in every byte
  explicit NormalTint(uint32_t colour)
      : offsetColour(_mm256_xor_si256(_mm256_set1_epi32(static_cast<int>(colour)), _mm256_set1_epi8(-128))),
        flip(_mm256_set1_epi8(-128)) {}
  VX_INLINE static V Weights(V alpha) {  // (255 - a) | a << 8
    return _mm256_or_si256(_mm256_sub_epi16(Splat16(255), alpha), _mm256_slli_epi16(alpha, 8));
  }
  // + 255 x 128 and the 128 of rounding: 32768, then round(x / 255) as Div255x16.
  VX_INLINE static V Channel(V weights, V pairs) {
    return _mm256_mulhi_epu16(_mm256_add_epi16(_mm256_maddubs_epi16(weights, pairs), Splat16(-32768)),
                              Splat16(257));
  }
  VX_INLINE V Eight(V weights, V spreadLo, V spreadHi, V dst) const {
    const V d = _mm256_xor_si256(dst, flip);
    const V lo = Channel(_mm256_shuffle_epi8(weights, spreadLo), _mm256_unpacklo_epi8(d, offsetColour));
    const V hi = Channel(_mm256_shuffle_epi8(weights, spreadHi), _mm256_unpackhi_epi8(d, offsetColour));
    return _mm256_and_si256(_mm256_packus_epi16(lo, hi), _mm256_set1_epi32(0x00FFFFFF));
  }
};
// Additive: d + round(a C / 255), a saturating byte add onto the screen as it is.
struct AdditiveTint {
  V colour;  // C in 16-bit lanes, four a pixel
  explicit AdditiveTint(uint32_t c)
      : colour(_mm256_unpacklo_epi8(_mm256_set1_epi32(static_cast<int>(c)), _mm256_setzero_si256())) {}
  VX_INLINE static V Weights(V alpha) { return alpha; }
  VX_INLINE V Eight(V alpha, V spreadLo, V spreadHi, V dst) const {
    const V lo = Div255x16(_mm256_mullo_epi16(colour, _mm256_shuffle_epi8(alpha, spreadLo)));
    const V hi = Div255x16(_mm256_mullo_epi16(colour, _mm256_shuffle_epi8(alpha, spreadHi)));
    return _mm256_and_si256(_mm256_adds_epu8(dst, _mm256_packus_epi16(lo, hi)), _mm256_set1_epi32(0x00FFFFFF));
  }
};

template <class Blend>
VX_INLINE V BlendEight(V slo, V shi, V dst, V qa) {
  const V zero = _mm256_setzero_si256();
  const V lo = Blend::Four(slo, _mm256_unpacklo_epi8(dst, zero), qa);
  const V hi = Blend::Four(shi, _mm256_unpackhi_epi8(dst, zero), qa);
  return _mm256_and_si256(_mm256_packus_epi16(lo, hi), _mm256_set1_epi32(0x00FFFFFF));
}

template <class Sampler, class Blend>
void RunSpanWide(const QuadContext& q, const SpanArgs& a) {
  const V qa = Splat16(q.alpha);
  uint32_t* d = a.dst;
  const int whole = a.count & ~7;
  V slo, shi;
  Sampler sampler(q, a);
  for (uint32_t* end = d + whole; d != end; d += 8) {
    sampler.Eight(slo, shi);
    const V dv = _mm256_loadu_si256(reinterpret_cast<const V*>(d));
    _mm256_storeu_si256(reinterpret_cast<V*>(d), BlendEight<Blend>(slo, shi, dv, qa));
  }
  const int rest = a.count - whole;
  if (rest == 0) return;
  const V mask = MaskBelow(rest);
  sampler.Tail(slo, shi, mask);
  const V dv = _mm256_maskload_epi32(reinterpret_cast<const int*>(d), mask);
  _mm256_maskstore_epi32(reinterpret_cast<int*>(d), mask, BlendEight<Blend>(slo, shi, dv, qa));
}

// A one-colour texture's spans under a weighted blend, sixteen pixels a step; the
// last one to fifteen pixels are one more step, masked.
template <bool kScale, class Blend>
void RunTintSpan(const QuadContext& q, const SpanArgs& a) {
  const V all = _mm256_set1_epi32(-1);
  // The alphas of pixels (0, 1, 4, 5) sit in word pair 0 of each half, those of
  // (2, 3, 6, 7) in pair 1, and so on for pixels 8-15.
  const V spread0 = Spread(0), spread1 = Spread(1), spread2 = Spread(2), spread3 = Spread(3);
  const Blend blend(q.tint & 0x00FFFFFF);
  uint32_t* d = a.dst;
  int left = a.count;
  TintSixteen<kScale> sampler(q, a);
  for (; left >= 16; left -= 16, d += 16) {
    const V weights = Blend::Weights(sampler.Sixteen(all, all));
    V* p = reinterpret_cast<V*>(d);
    _mm256_storeu_si256(p, blend.Eight(weights, spread0, spread1, _mm256_loadu_si256(p)));
    _mm256_storeu_si256(p + 1, blend.Eight(weights, spread2, spread3, _mm256_loadu_si256(p + 1)));
  }
  if (left == 0) return;
  const V mask0 = MaskBelow(left), mask1 = MaskBelow(left - 8);
  const V weights = Blend::Weights(sampler.Sixteen(mask0, mask1));
  int* p = reinterpret_cast<int*>(d);
  _mm256_maskstore_epi32(p, mask0, blend.Eight(weights, spread0, spread1, _mm256_maskload_epi32(p, mask0)));
  if (left > 8) {
    _mm256_maskstore_epi32(p + 8, mask1, blend.Eight(weights, spread2, spread3, _mm256_maskload_epi32(p + 8, mask1)));
  }
}

template <class Sampler>
SpanFunction WideFor(BlendKind blend, bool scale) {
  switch (blend) {
    case BlendKind::kReplace:
      return &RunSpanWide<Sampler, ReplaceWide>;
    case BlendKind::kNormal:
      return scale ? &RunSpanWide<Sampler, NormalWide<true>> : &RunSpanWide<Sampler, NormalWide<false>>;
    case BlendKind::kAdditive:
      return scale ? &RunSpanWide<Sampler, AdditiveWide<true>> : &RunSpanWide<Sampler, AdditiveWide<false>>;
    case BlendKind::kLight:
      return &RunSpanWide<Sampler, LightWide>;
    case BlendKind::kDark:
      return &RunSpanWide<Sampler, DarkWide>;
    case BlendKind::kTable:
      break;
  }
  return nullptr;
}

}  // namespace

SpanFunction SelectAvx2Kernel(SamplerKind sampler, BlendKind blend, bool scaleAlpha, bool wideTexels) {
  switch (sampler) {
    case SamplerKind::kSolid:
      return WideFor<SolidWide>(blend, scaleAlpha);
    case SamplerKind::kIdentity:
      return WideFor<IdentityWide>(blend, scaleAlpha);
    case SamplerKind::kNearest:
      return WideFor<NearestWide>(blend, scaleAlpha);
    case SamplerKind::kBilinear:
      return wideTexels ? WideFor<BilinearWide16>(blend, scaleAlpha)
                        : WideFor<BilinearWide>(blend, scaleAlpha);
  }
  return nullptr;
}

SpanFunction SelectAvx2TintKernel(BlendKind blend, bool scaleAlpha) {
  switch (blend) {
    case BlendKind::kNormal:
      return scaleAlpha ? &RunTintSpan<true, NormalTint> : &RunTintSpan<false, NormalTint>;
    case BlendKind::kAdditive:
      return scaleAlpha ? &RunTintSpan<true, AdditiveTint> : &RunTintSpan<false, AdditiveTint>;
    case BlendKind::kReplace:
    case BlendKind::kLight:
    case BlendKind::kDark:  // blends that never read the alpha: the colour is all there is
      return WideFor<SolidWide>(blend, scaleAlpha);
    case BlendKind::kTable:
      break;
  }
  return nullptr;
}

#pragma GCC pop_options

}  // namespace raster

#else  // no AVX2 tier in this build

namespace raster {
bool Avx2Available() {
  return false;
}
SpanFunction SelectAvx2Kernel(SamplerKind, BlendKind, bool, bool) {
  return nullptr;
}
SpanFunction SelectAvx2TintKernel(BlendKind, bool) {
  return nullptr;
}
}  // namespace raster

#endif
