#include "synth.h"

#include <algorithm>
#include <cmath>

namespace sfx {

namespace {

constexpr float kTwoPi = 6.28318531f;
constexpr float kPeak = 0.9f;
constexpr float kFadeSeconds = 0.005f;
constexpr float kSilent = 1e-5f;      // an envelope below this has ended
constexpr int kCoefficientStep = 16;  // a gliding filter is re-tuned every 16 samples

// A small deterministic random stream (xorshift32).
class Stream {
 public:
  explicit Stream(uint32_t seed) : state_(seed != 0 ? seed : 0x9E3779B9u) {}
  uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  float Unit() { return static_cast<float>(Next() >> 8) / 16777216.0f; }  // [0, 1)
  float Signed() { return Unit() * 2.0f - 1.0f; }                         // [-1, 1)

 private:
  uint32_t state_;
};

// A two-pole section (the usual audio cookbook forms), direct form I.
class Biquad {
 public:
  void Tune(FilterKind kind, float hz, float q) {
    const float w = kTwoPi * std::clamp(hz, 10.0f, 0.45f * kSampleRate) / kSampleRate;
    const float alpha = std::sin(w) / (2.0f * std::max(q, 0.05f));
    const float c = std::cos(w);
    float b0 = 1, b1 = 0, b2 = 0;
    switch (kind) {
      case FilterKind::kLowPass:
        b0 = (1 - c) / 2;
        b1 = 1 - c;
        b2 = (1 - c) / 2;
        break;
      case FilterKind::kHighPass:
        b0 = (1 + c) / 2;
        b1 = -(1 + c);
        b2 = (1 + c) / 2;
        break;
      case FilterKind::kBandPass:
        b0 = alpha;
        b1 = 0;
        b2 = -alpha;
        break;
      case FilterKind::kNone:
        return;
    }
    const float a0 = 1 + alpha;
    b0_ = b0 / a0;
    b1_ = b1 / a0;
    b2_ = b2 / a0;
    a1_ = -2 * c / a0;
    a2_ = (1 - alpha) / a0;
  }
  float Run(float x) {
    const float y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return y;
  }

 private:
  float b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  float x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// The raw source of a layer, one sample at a time.
class Source {
 public:
  Source(const Layer& layer, uint32_t seed) : layer_(layer), noise_(seed), grain_(seed ^ 0xA5A5A5A5u) {
    grainFrom_ = grainTo_ = 1.0f;
  }

  float Next(float t) {
    float value = 0.0f;
    switch (layer_.wave) {
      case Wave::kNoise:
        value = Crackle(noise_.Signed());
        break;
      case Wave::kBrownNoise:
        // A leaky integral of white noise, scaled back to white noise's spread.
        brown_ = 0.995f * brown_ + 0.0999f * noise_.Signed();
        value = Crackle(brown_);
        break;
      case Wave::kSine:
        value = std::sin(kTwoPi * phase_);
        break;
      case Wave::kSquare:
        value = phase_ < 0.5f ? 1.0f : -1.0f;
        break;
      case Wave::kSaw:
        value = 2.0f * phase_ - 1.0f;
        break;
    }
    phase_ += layer_.pitch.At(t) / kSampleRate;
    phase_ -= std::floor(phase_);
    return value * Grain(t);
  }

 private:
  // Sparse crackle: only a `density` share of the samples sound, as clicks.
  float Crackle(float value) {
    if (layer_.density >= 1.0f) return value;
    return noise_.Unit() < layer_.density ? (value < 0 ? -1.0f : 1.0f) * (0.5f + 0.5f * std::fabs(value))
                                          : 0.0f;
  }
  // A random tremolo: a new level every 1 / grainRate seconds, glided to linearly.
  float Grain(float t) {
    if (layer_.grainRate <= 0.0f) return 1.0f;
    const float position = t * layer_.grainRate;
    const auto step = static_cast<int64_t>(position);
    while (grainStep_ < step) {
      grainFrom_ = grainTo_;
      grainTo_ = 1.0f - layer_.grainDepth * grain_.Unit();
      ++grainStep_;
    }
    const float f = position - static_cast<float>(step);
    return grainFrom_ + (grainTo_ - grainFrom_) * f;
  }

  const Layer& layer_;
  Stream noise_;
  Stream grain_;
  float phase_ = 0.0f;
  float brown_ = 0.0f;
  int64_t grainStep_ = -1;
  float grainFrom_;
  float grainTo_;
};

void MixLayer(const Layer& layer, uint32_t seed, Samples& out) {
  const auto first = static_cast<size_t>(std::lround(std::max(layer.start, 0.0f) * kSampleRate));
  Source source(layer, seed);
  Biquad filter;
  const bool gliding = layer.filter.frequency.tau > 0.0f;
  filter.Tune(layer.filter.kind, layer.filter.frequency.from, layer.filter.q);
  const float ends = layer.envelope.attack + layer.envelope.hold;
  for (size_t n = first; n < out.size(); ++n) {
    const float t = static_cast<float>(n - first) / kSampleRate;
    const float level = layer.envelope.At(t);
    if (t > ends && level < kSilent) break;
    if (gliding && (n - first) % kCoefficientStep == 0) {
      filter.Tune(layer.filter.kind, layer.filter.frequency.At(t), layer.filter.q);
    }
    float value = source.Next(t);
    if (layer.filter.kind != FilterKind::kNone) value = filter.Run(value);
    out[n] += layer.amplitude * level * value;
  }
}

float Peak(const Samples& samples) {
  float peak = 0.0f;
  for (float s : samples) peak = std::max(peak, std::fabs(s));
  return peak;
}

void Scale(Samples& samples, float factor) {
  for (float& s : samples) s *= factor;
}

// Removes any DC the filters and the brown noise leave (a 20 Hz one-pole high-pass).
void BlockDc(Samples& samples) {
  const float r = 1.0f - kTwoPi * 20.0f / kSampleRate;
  float x1 = 0.0f;
  float y1 = 0.0f;
  for (float& s : samples) {
    const float y = s - x1 + r * y1;
    x1 = s;
    y1 = y;
    s = y;
  }
}

}  // namespace

float Sweep::At(float t) const {
  if (tau <= 0.0f) return from;
  return to + (from - to) * std::exp(-t / tau);
}

float Envelope::At(float t) const {
  if (t < 0.0f) return 0.0f;
  if (t < attack) return t / attack;
  if (t < attack + hold) return 1.0f;
  return std::exp(-(t - attack - hold) / std::max(tau, 1e-4f));
}

Filter LowPass(float from, float to, float tau, float q) {
  return {FilterKind::kLowPass, {from, to, tau}, q};
}
Filter HighPass(float hz, float q) {
  return {FilterKind::kHighPass, {hz, hz, 0.0f}, q};
}
Filter BandPass(float hz, float q) {
  return {FilterKind::kBandPass, {hz, hz, 0.0f}, q};
}

Samples Render(const Recipe& recipe, uint32_t seed) {
  Samples out(static_cast<size_t>(std::lround(std::max(recipe.duration, 0.0f) * kSampleRate)), 0.0f);
  for (size_t i = 0; i < recipe.layers.size(); ++i) {
    MixLayer(recipe.layers[i], seed * 2654435761u + static_cast<uint32_t>(i) * 40503u + 1u, out);
  }
  BlockDc(out);
  const float peak = Peak(out);
  if (peak <= 0.0f) return out;
  Scale(out, 1.0f / peak);
  if (recipe.drive > 1.0f) {
    const float norm = std::tanh(recipe.drive);
    for (float& s : out) s = std::tanh(recipe.drive * s) / norm;
  }
  Scale(out, kPeak / std::max(Peak(out), 1e-6f));
  const size_t fade = std::min(out.size(), static_cast<size_t>(kFadeSeconds * kSampleRate));
  for (size_t i = 0; i < fade; ++i)
    out[out.size() - 1 - i] *= static_cast<float>(i) / static_cast<float>(fade);
  return out;
}

std::vector<int16_t> ToPcm16(const Samples& samples) {
  std::vector<int16_t> pcm(samples.size());
  for (size_t i = 0; i < samples.size(); ++i) {
    pcm[i] = static_cast<int16_t>(std::lround(std::clamp(samples[i], -1.0f, 1.0f) * 32767.0f));
  }
  return pcm;
}

}  // namespace sfx
