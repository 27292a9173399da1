// Span kernels: one loop per sampler and blender pair, specialised at compile time
// so that no pixel branches on the blend mode or the filter.
#include <algorithm>

#include "render/renderer.h"
#include "render/software_raster_pixel.h"

namespace raster {

FactorTerms TermsOf(int factor) {
  switch (factor) {
    case kBlendOne:
      return {255, 0, 0, 0};
    case kBlendSrcColour:
      return {0, 1, 0, 0};
    case kBlendInvSrcColour:
      return {255, -1, 0, 0};
    case kBlendSrcAlpha:
      return {0, 0, 1, 0};
    case kBlendInvSrcAlpha:
      return {255, 0, -1, 0};
    case kBlendDstAlpha:
      return {255, 0, 0, 0};  // the screen's alpha is one
    case kBlendDstColour:
      return {0, 0, 0, 1};
    case kBlendInvDstColour:
      return {255, 0, 0, -1};
    default:
      return {};  // zero, inverse destination alpha, and anything unknown
  }
}

namespace {

#if VEXMOOR_RASTER_SSE2
// Four pixels at d: sample, blend, store.
template <class Sampler, class Blend>
VX_INLINE void StepFour(Sampler& sampler, uint32_t* d, const SimdContext& c) {
  const __m128i zero = _mm_setzero_si128();
  __m128i slo, shi;
  sampler.Four(slo, shi);
  const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d));
  const __m128i lo = Blend::Two(slo, _mm_unpacklo_epi8(dv, zero), c);
  const __m128i hi = Blend::Two(shi, _mm_unpackhi_epi8(dv, zero), c);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(d),
                   _mm_and_si128(_mm_packus_epi16(lo, hi), _mm_set1_epi32(0x00FFFFFF)));
}
#endif

// A span: steps of four pixels and, for the last one to three, one more step
// through a small buffer (its spare lanes repeat the last pixel); or pixel by
// pixel where there is no vector form.
template <class Sampler, class Blend, bool kSimd>
void RunSpan(const QuadContext& q, const SpanArgs& a) {
  uint32_t* d = a.dst;
#if VEXMOOR_RASTER_SSE2
  if constexpr (kSimd && Sampler::kSimd && Blend::kSimd) {
    const SimdContext c{_mm_set1_epi16(static_cast<short>(q.alpha))};
    const int whole = a.count & ~3;
    if (whole > 0) {
      Sampler sampler(q, a);
      for (uint32_t* end = d + whole; d != end; d += 4) StepFour<Sampler, Blend>(sampler, d, c);
    }
    const int rest = a.count - whole;
    if (rest == 0) return;
    SpanArgs last = a;
    last.s = StepAdd(a.s, a.ds, static_cast<uint32_t>(whole));
    last.t = StepAdd(a.t, a.dt, static_cast<uint32_t>(whole));
    Sampler sampler(q, last, rest);
    alignas(16) uint32_t buffer[4] = {};
    std::copy_n(d, rest, buffer);
    StepFour<Sampler, Blend>(sampler, buffer, c);
    std::copy_n(buffer, rest, d);
    return;
  }
#endif
  Sampler sampler(q, a);
  for (int n = a.count; n > 0; --n, ++d) *d = Blend::One(sampler.One(), *d, q) & 0x00FFFFFFu;
}

template <class Sampler, bool kSimd>
SpanFunction ForBlend(BlendKind blend, bool scaleAlpha) {
  switch (blend) {
    case BlendKind::kReplace:
      return &RunSpan<Sampler, ReplaceBlend, kSimd>;
    case BlendKind::kNormal:
      return scaleAlpha ? &RunSpan<Sampler, NormalBlend<true>, kSimd>
                        : &RunSpan<Sampler, NormalBlend<false>, kSimd>;
    case BlendKind::kAdditive:
      return scaleAlpha ? &RunSpan<Sampler, AdditiveBlend<true>, kSimd>
                        : &RunSpan<Sampler, AdditiveBlend<false>, kSimd>;
    case BlendKind::kLight:
      return &RunSpan<Sampler, LightBlend, kSimd>;
    case BlendKind::kDark:
      return &RunSpan<Sampler, DarkBlend, kSimd>;
    case BlendKind::kTable:
      break;
  }
  return &RunSpan<Sampler, TableBlend, false>;
}

template <class Sampler>
SpanFunction ForBlend(BlendKind blend, bool scaleAlpha, bool simd) {
  return simd ? ForBlend<Sampler, true>(blend, scaleAlpha) : ForBlend<Sampler, false>(blend, scaleAlpha);
}

}  // namespace

SpanKernels SelectSpanKernels(SamplerKind sampler, BlendKind blend, bool scaleAlpha, SimdLevel level,
                              const QuadContext& q) {
  const bool simd = level != SimdLevel::kNone;
  SpanKernels k;
  switch (sampler) {
    case SamplerKind::kSolid:
      k.inside = k.clamped = ForBlend<SolidSampler>(blend, scaleAlpha, simd);
      break;
    case SamplerKind::kIdentity:
      k.inside = k.clamped = ForBlend<IdentitySampler>(blend, scaleAlpha, simd);
      break;
    case SamplerKind::kNearest:
      k.inside = ForBlend<NearestSampler<false>>(blend, scaleAlpha, simd);
      k.clamped = ForBlend<NearestSampler<true>, false>(blend, scaleAlpha);
      break;
    case SamplerKind::kBilinear:
      k.inside = ForBlend<BilinearSampler<false>>(blend, scaleAlpha, simd);
      k.clamped = ForBlend<BilinearSampler<true>, false>(blend, scaleAlpha);
      break;
  }
  if ((level == SimdLevel::kAvx2 || level == SimdLevel::kAvx512) && Avx2Available()) {
    if (const SpanFunction wide = SelectAvx2Kernel(sampler, blend, scaleAlpha, q.wide != nullptr)) {
      k.inside = wide;
      if (sampler == SamplerKind::kSolid || sampler == SamplerKind::kIdentity) k.clamped = wide;
    }
  }
  // A one-colour texture filters its alpha alone; no wider kernel does less.
  if (sampler == SamplerKind::kBilinear && q.tintAlpha != nullptr &&
      (level == SimdLevel::kAvx2 || level == SimdLevel::kAvx512) && Avx2Available()) {
    if (const SpanFunction tint = SelectAvx2TintKernel(blend, scaleAlpha)) {
      k.inside = tint;
      return k;
    }
  }
  if (level == SimdLevel::kAvx512 && Avx512Available()) {
    if (const SpanFunction widest = SelectAvx512Kernel(sampler, blend, scaleAlpha, q.wide != nullptr)) {
      k.inside = widest;
      if (sampler == SamplerKind::kSolid || sampler == SamplerKind::kIdentity) k.clamped = widest;
    }
  }
  return k;
}

}  // namespace raster
