// The AVX-512 tier of the span kernels for uniform, identity-mapped and bilinear
// sampling (the last from the texels with 16-bit channels): sixteen pixels per
// step, with the arithmetic of the other tiers (software_raster_pixel.h) bit for
// bit. Only the code between the target pragmas
// uses AVX-512, and it runs only when the processor has it. A span's last one to
// fifteen pixels are one more step, masked, whose spare lanes read the store's
// first texel.
#include "render/software_raster_pixel.h"

#if VEXMOOR_RASTER_AVX2
#include <immintrin.h>

#include <type_traits>

namespace raster {

bool Avx512Available() {
  static const bool available = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512f") != 0 && __builtin_cpu_supports("avx512bw") != 0;
  }();
  return available;
}

#pragma GCC push_options
#pragma GCC target("avx2,avx512f,avx512bw")
// GCC 12's AVX-512 headers start results from a self-initialised "undefined"
// register, which its own uninitialised-use check then reports.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

namespace {

using Z = __m512i;

VX_INLINE Z Splat16(int v) {
  return _mm512_set1_epi16(static_cast<short>(v));
}

// round(x / 255) in 16-bit lanes, x <= 255 * 255 (see Div255x8).
VX_INLINE Z Div255x32(Z x) {
  return _mm512_mulhi_epu16(_mm512_add_epi16(x, Splat16(128)), Splat16(257));
}

// The same 16 bytes in each 128-bit lane.
VX_INLINE Z EachLane(const __m128i bytes) {
  return _mm512_broadcast_i32x4(bytes);
}

template <bool kScale>
VX_INLINE Z AlphaOf(Z s, Z quadAlpha) {
  const Z a =
      _mm512_shuffle_epi8(s, EachLane(_mm_setr_epi8(6, 7, 6, 7, 6, 7, 6, 7, 14, 15, 14, 15, 14, 15, 14, 15)));
  if constexpr (kScale) return Div255x32(_mm512_mullo_epi16(a, quadAlpha));
  return a;
}

// Blenders on eight pixels in 16-bit lanes (two per 128-bit lane).
struct ReplaceZ {
  VX_INLINE static Z Eight(Z s, Z, Z) { return s; }
};
template <bool kScale>
struct NormalZ {
  VX_INLINE static Z Eight(Z s, Z d, Z qa) {
    const Z a = AlphaOf<kScale>(s, qa);
    return Div255x32(_mm512_add_epi16(_mm512_sub_epi16(_mm512_slli_epi16(d, 8), d),
                                      _mm512_mullo_epi16(_mm512_sub_epi16(s, d), a)));
  }
};
template <bool kScale>
struct AdditiveZ {
  VX_INLINE static Z Eight(Z s, Z d, Z qa) {
    return _mm512_add_epi16(d, Div255x32(_mm512_mullo_epi16(s, AlphaOf<kScale>(s, qa))));
  }
};
struct LightZ {
  VX_INLINE static Z Eight(Z s, Z d, Z) { return _mm512_add_epi16(d, Div255x32(_mm512_mullo_epi16(s, d))); }
};
struct DarkZ {
  VX_INLINE static Z Eight(Z s, Z d, Z) {
    Z x = _mm512_adds_epu16(_mm512_mullo_epi16(s, s), _mm512_mullo_epi16(d, d));
    x = _mm512_sub_epi16(x, _mm512_subs_epu16(x, Splat16(65025)));
    return Div255x32(x);
  }
};

// Bilinear sampling as in BilinearWide16 (software_raster_avx2.cpp), in two passes
// over up to kChunk pixels of a span: first every pixel's texel index and weights
// into small arrays, then sixteen pixels at a time the texel loads, the filter and
// the blend. The loads then wait on nothing but the arrays, and run well ahead.
constexpr int kChunk = 256;

struct Plan {
  alignas(64) uint32_t index[kChunk];  // from the store's start: never negative
  alignas(64) uint32_t upper[kChunk];  // w00 | w10 << 16
  alignas(64) uint32_t lower[kChunk];  // w01 | w11 << 16
};

// Fills the plan for `count` pixels from coordinates s, t (stepped on); lanes past
// the span read the store's first texel.
VX_INLINE void PlanChunk(Plan& plan, int count, Z& s, Z& t, Z ds, Z dt, Z indexWeights, Z bias) {
  const Z m = _mm512_set1_epi32(255);
  for (int i = 0; i < count; i += 16) {
    const __mmask16 live = count - i >= 16 ? 0xFFFF : static_cast<__mmask16>((1u << (count - i)) - 1);
    const Z xy = _mm512_or_si512(_mm512_srli_epi32(s, 16), _mm512_and_si512(t, _mm512_set1_epi32(-65536)));
    _mm512_store_si512(plan.index + i,
                       _mm512_maskz_add_epi32(live, _mm512_madd_epi16(xy, indexWeights), bias));
    const Z fx = _mm512_and_si512(_mm512_srli_epi32(s, 8), m),
            fy = _mm512_and_si512(_mm512_srli_epi32(t, 8), m);
    s = _mm512_add_epi32(s, ds);
    t = _mm512_add_epi32(t, dt);
    // The weights of BilinearWeights, one pixel per 32-bit lane (products below 2^16).
    const Z w11 = _mm512_srli_epi32(_mm512_add_epi32(_mm512_mullo_epi16(fx, fy), _mm512_set1_epi32(128)), 8);
    const Z w10 = _mm512_sub_epi32(fx, w11), w01 = _mm512_sub_epi32(fy, w11);
    const Z w00 = _mm512_sub_epi32(_mm512_add_epi32(_mm512_set1_epi32(256), w11), _mm512_add_epi32(fx, fy));
    _mm512_store_si512(plan.upper + i, _mm512_or_si512(w00, _mm512_slli_epi32(w10, 16)));
    _mm512_store_si512(plan.lower + i, _mm512_or_si512(w01, _mm512_slli_epi32(w11, 16)));
  }
}

// Register k holds pixels k, k + 4, k + 8, k + 12, one per 128-bit lane; the sums
// of registers 0 and 1 (2 and 3) come out as pixels 0, 1, 4, 5, 8, 9, 12, 13 (2,
// 3, 6, 7, ...), the order in which unpacking sixteen screen words splits them.
class BilinearZ {
 public:
  BilinearZ(const uint64_t* store, ptrdiff_t stride) : top_(store), bottom_(store + stride) {}

  VX_INLINE void Sixteen(const uint32_t* index, const uint32_t* upperWeights, const uint32_t* lowerWeights,
                         Z& lo, Z& hi) const {
    const Z upper = _mm512_load_si512(upperWeights), lower = _mm512_load_si512(lowerWeights);
    lo = Sum(Products(index, 0, upper, lower), Products(index, 1, upper, lower));
    hi = Sum(Products(index, 2, upper, lower), Products(index, 3, upper, lower));
  }

 private:
  VX_INLINE static __m128i Load(const uint64_t* row, uint32_t index) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + index));
  }
  // The texel pairs of pixels k, k + 4, k + 8, k + 12 on their rows.
  VX_INLINE static Z Pairs(const uint64_t* row, const uint32_t* index, int k) {
    Z v = _mm512_castsi128_si512(Load(row, index[k]));
    v = _mm512_inserti32x4(v, Load(row, index[k + 4]), 1);
    v = _mm512_inserti32x4(v, Load(row, index[k + 8]), 2);
    return _mm512_inserti32x4(v, Load(row, index[k + 12]), 3);
  }
  // Bytes that spread word pair k of each lane, (w, v), to w w w w v v v v.
  VX_INLINE static Z Spread(int k) {
    const char a = static_cast<char>(4 * k), b = static_cast<char>(4 * k + 1),
               c = static_cast<char>(4 * k + 2), d = static_cast<char>(4 * k + 3);
    return EachLane(_mm_setr_epi8(a, b, a, b, a, b, a, b, c, d, c, d, c, d, c, d));
  }
  VX_INLINE Z Products(const uint32_t* index, int k, Z upper, Z lower) const {
    const Z spread = Spread(k);
    return _mm512_add_epi16(_mm512_mullo_epi16(Pairs(top_, index, k), _mm512_shuffle_epi8(upper, spread)),
                            _mm512_mullo_epi16(Pairs(bottom_, index, k), _mm512_shuffle_epi8(lower, spread)));
  }
  VX_INLINE static Z Sum(Z p, Z q) {
    const Z v = _mm512_add_epi16(_mm512_unpacklo_epi64(p, q), _mm512_unpackhi_epi64(p, q));
    return _mm512_srli_epi16(_mm512_add_epi16(v, Splat16(128)), 8);
  }

  const uint64_t *top_, *bottom_;  // the store's first row and the one below it
};

template <class Blend>
VX_INLINE Z BlendSixteen(Z slo, Z shi, Z dst, Z qa) {
  const Z zero = _mm512_setzero_si512();
  const Z lo = Blend::Eight(slo, _mm512_unpacklo_epi8(dst, zero), qa);
  const Z hi = Blend::Eight(shi, _mm512_unpackhi_epi8(dst, zero), qa);
  return _mm512_and_si512(_mm512_packus_epi16(lo, hi), _mm512_set1_epi32(0x00FFFFFF));
}

// Uniform and identity-mapped texels: sixteen screen words' worth at a time.
struct SolidZ {
  Z texels;
  SolidZ(const QuadContext& q, const SpanArgs&) : texels(_mm512_set1_epi32(static_cast<int>(q.solid))) {}
  VX_INLINE Z Sixteen(__mmask16) { return texels; }
};
struct IdentityZ {
  const uint32_t* p;
  IdentityZ(const QuadContext& q, const SpanArgs& a)
      : p(q.texels + static_cast<ptrdiff_t>(a.t >> 16) * q.stride + (a.s >> 16)) {}
  VX_INLINE Z Sixteen(__mmask16 live) {
    const Z v = _mm512_maskz_loadu_epi32(live, p);
    p += 16;
    return v;
  }
};

// Copying texels needs neither the screen nor the unpacking.
template <class Sampler>
void RunCopy(const QuadContext& q, const SpanArgs& a) {
  const Z colour = _mm512_set1_epi32(0x00FFFFFF);
  Sampler sampler(q, a);
  uint32_t* d = a.dst;
  const int whole = a.count & ~15;
  for (uint32_t* end = d + whole; d != end; d += 16)
    _mm512_storeu_si512(d, _mm512_and_si512(sampler.Sixteen(0xFFFF), colour));
  const int rest = a.count - whole;
  if (rest == 0) return;
  const __mmask16 mask = static_cast<__mmask16>((1u << rest) - 1);
  _mm512_mask_storeu_epi32(d, mask, _mm512_and_si512(sampler.Sixteen(mask), colour));
}

template <class Sampler, class Blend>
void RunSpan(const QuadContext& q, const SpanArgs& a) {
  if constexpr (std::is_same_v<Blend, ReplaceZ>) {
    RunCopy<Sampler>(q, a);
    return;
  }
  const Z qa = Splat16(q.alpha), zero = _mm512_setzero_si512();
  Sampler sampler(q, a);
  uint32_t* d = a.dst;
  const int whole = a.count & ~15;
  for (uint32_t* end = d + whole; d != end; d += 16) {
    const Z s = sampler.Sixteen(0xFFFF);
    _mm512_storeu_si512(d, BlendSixteen<Blend>(_mm512_unpacklo_epi8(s, zero), _mm512_unpackhi_epi8(s, zero),
                                               _mm512_loadu_si512(d), qa));
  }
  const int rest = a.count - whole;
  if (rest == 0) return;
  const __mmask16 mask = static_cast<__mmask16>((1u << rest) - 1);
  const Z s = sampler.Sixteen(mask);
  _mm512_mask_storeu_epi32(d, mask,
                           BlendSixteen<Blend>(_mm512_unpacklo_epi8(s, zero), _mm512_unpackhi_epi8(s, zero),
                                               _mm512_maskz_loadu_epi32(mask, d), qa));
}

template <class Blend>
void RunBilinearSpan(const QuadContext& q, const SpanArgs& a) {
  const Z qa = Splat16(q.alpha);
  const Z lanes = _mm512_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
  Z s = _mm512_add_epi32(_mm512_set1_epi32(a.s), _mm512_mullo_epi32(_mm512_set1_epi32(a.ds), lanes));
  Z t = _mm512_add_epi32(_mm512_set1_epi32(a.t), _mm512_mullo_epi32(_mm512_set1_epi32(a.dt), lanes));
  const Z ds = _mm512_set1_epi32(StepAdd(0, a.ds, 16)), dt = _mm512_set1_epi32(StepAdd(0, a.dt, 16));
  const Z indexWeights = _mm512_set1_epi32(static_cast<int>(q.stride << 16 | 1));
  const Z bias = _mm512_set1_epi32(static_cast<int>(q.stride + 1));
  const BilinearZ sampler(q.wide, q.stride);
  Plan plan;
  uint32_t* d = a.dst;
  for (int done = 0; done < a.count; done += kChunk) {
    const int count = std::min(a.count - done, kChunk);
    PlanChunk(plan, count, s, t, ds, dt, indexWeights, bias);
    const int whole = count & ~15;
    Z slo, shi;
    for (int i = 0; i < whole; i += 16, d += 16) {
      sampler.Sixteen(plan.index + i, plan.upper + i, plan.lower + i, slo, shi);
      _mm512_storeu_si512(d, BlendSixteen<Blend>(slo, shi, _mm512_loadu_si512(d), qa));
    }
    const int rest = count - whole;
    if (rest == 0) continue;
    const __mmask16 mask = static_cast<__mmask16>((1u << rest) - 1);
    sampler.Sixteen(plan.index + whole, plan.upper + whole, plan.lower + whole, slo, shi);
    _mm512_mask_storeu_epi32(d, mask, BlendSixteen<Blend>(slo, shi, _mm512_maskz_loadu_epi32(mask, d), qa));
    d += rest;
  }
}

// The kernel of a blend kind: Kernel<Blend>::Function.
template <template <class> class Kernel>
SpanFunction ForBlend(BlendKind blend, bool scale) {
  switch (blend) {
    case BlendKind::kReplace:
      return &Kernel<ReplaceZ>::Run;
    case BlendKind::kNormal:
      return scale ? &Kernel<NormalZ<true>>::Run : &Kernel<NormalZ<false>>::Run;
    case BlendKind::kAdditive:
      return scale ? &Kernel<AdditiveZ<true>>::Run : &Kernel<AdditiveZ<false>>::Run;
    case BlendKind::kLight:
      return &Kernel<LightZ>::Run;
    case BlendKind::kDark:
      return &Kernel<DarkZ>::Run;
    case BlendKind::kTable:
      break;
  }
  return nullptr;
}

template <class Blend>
struct SolidKernel {
  static void Run(const QuadContext& q, const SpanArgs& a) { RunSpan<SolidZ, Blend>(q, a); }
};
template <class Blend>
struct IdentityKernel {
  static void Run(const QuadContext& q, const SpanArgs& a) { RunSpan<IdentityZ, Blend>(q, a); }
};
template <class Blend>
struct BilinearKernel {
  static void Run(const QuadContext& q, const SpanArgs& a) { RunBilinearSpan<Blend>(q, a); }
};

}  // namespace

SpanFunction SelectAvx512Kernel(SamplerKind sampler, BlendKind blend, bool scaleAlpha, bool wideTexels) {
  switch (sampler) {
    case SamplerKind::kSolid:
      return ForBlend<SolidKernel>(blend, scaleAlpha);
    case SamplerKind::kIdentity:
      return ForBlend<IdentityKernel>(blend, scaleAlpha);
    case SamplerKind::kBilinear:
      return wideTexels ? ForBlend<BilinearKernel>(blend, scaleAlpha) : nullptr;
    case SamplerKind::kNearest:
      break;
  }
  return nullptr;
}

#pragma GCC diagnostic pop
#pragma GCC pop_options

}  // namespace raster

#else  // no AVX-512 tier in this build

namespace raster {
bool Avx512Available() {
  return false;
}
SpanFunction SelectAvx512Kernel(SamplerKind, BlendKind, bool, bool) {
  return nullptr;
}
}  // namespace raster

#endif
