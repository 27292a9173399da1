#include "noise.h"

#include <cmath>

namespace art {
namespace {

int Wrap(int v, int period) {
  if (period <= 0) return v;
  const int m = v % period;
  return m < 0 ? m + period : m;
}

float Smooth(float t) { return t * t * (3.0f - 2.0f * t); }

}  // namespace

uint32_t Hash(int32_t x, int32_t y, uint32_t seed) {
  uint32_t h = seed * 0x9E3779B9u;
  h ^= static_cast<uint32_t>(x) * 0x85EBCA6Bu;
  h = (h << 13) | (h >> 19);
  h ^= static_cast<uint32_t>(y) * 0xC2B2AE35u;
  h ^= h >> 16;
  h *= 0x7FEB352Du;
  h ^= h >> 15;
  h *= 0x846CA68Bu;
  h ^= h >> 16;
  return h;
}

float HashUnit(int32_t x, int32_t y, uint32_t seed) {
  return static_cast<float>(Hash(x, y, seed) >> 8) * (1.0f / 16777216.0f);
}

float ValueNoise(float x, float y, uint32_t seed, int period) {
  const float fx = std::floor(x);
  const float fy = std::floor(y);
  const int ix = static_cast<int>(fx);
  const int iy = static_cast<int>(fy);
  const float tx = Smooth(x - fx);
  const float ty = Smooth(y - fy);
  const int x0 = Wrap(ix, period);
  const int x1 = Wrap(ix + 1, period);
  const int y0 = Wrap(iy, period);
  const int y1 = Wrap(iy + 1, period);
  const float a = HashUnit(x0, y0, seed);
  const float b = HashUnit(x1, y0, seed);
  const float c = HashUnit(x0, y1, seed);
  const float d = HashUnit(x1, y1, seed);
  const float top = a + (b - a) * tx;
  const float bottom = c + (d - c) * tx;
  return top + (bottom - top) * ty;
}

float Fractal(float x, float y, int octaves, uint32_t seed, int period) {
  float sum = 0.0f;
  float weight = 1.0f;
  float total = 0.0f;
  float frequency = 1.0f;
  for (int i = 0; i < octaves; ++i) {
    sum += ValueNoise(x * frequency, y * frequency, seed + static_cast<uint32_t>(i) * 101u,
                      period * static_cast<int>(frequency)) *
           weight;
    total += weight;
    weight *= 0.5f;
    frequency *= 2.0f;
  }
  return total > 0.0f ? sum / total : 0.0f;
}

Rng::Rng(uint32_t seed) : state_(Hash(static_cast<int32_t>(seed), 7, 0x5EEDu) | 1u) {}

uint32_t Rng::Next() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return state_;
}

float Rng::Unit() { return static_cast<float>(Next() >> 8) * (1.0f / 16777216.0f); }

float Rng::Range(float lo, float hi) { return lo + (hi - lo) * Unit(); }

int Rng::Below(int n) { return n <= 0 ? 0 : static_cast<int>(Next() % static_cast<uint32_t>(n)); }

}  // namespace art
