#include "analysis.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace sfx {

namespace {

constexpr size_t kFrame = 1024;
constexpr double kPi = 3.14159265358979323846;

// In-place radix-2 FFT of a power-of-two length.
void Fft(std::vector<std::complex<double>>& a) {
  const size_t n = a.size();
  for (size_t i = 1, j = 0; i < n; ++i) {
    size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  for (size_t len = 2; len <= n; len <<= 1) {
    const std::complex<double> step = std::polar(1.0, -2.0 * kPi / static_cast<double>(len));
    for (size_t i = 0; i < n; i += len) {
      std::complex<double> w = 1.0;
      for (size_t k = 0; k < len / 2; ++k) {
        const std::complex<double> u = a[i + k];
        const std::complex<double> v = a[i + k + len / 2] * w;
        a[i + k] = u + v;
        a[i + k + len / 2] = u - v;
        w *= step;
      }
    }
  }
}

}  // namespace

Measures Measure(const Samples& samples, int sampleRate) {
  Measures m;
  if (samples.empty() || sampleRate <= 0) return m;
  m.seconds = static_cast<float>(samples.size()) / static_cast<float>(sampleRate);
  double power = 0.0;
  for (float s : samples) {
    m.peak = std::max(m.peak, std::fabs(s));
    power += static_cast<double>(s) * s;
  }
  m.rms = static_cast<float>(std::sqrt(power / static_cast<double>(samples.size())));
  double weighted = 0.0;
  double total = 0.0;
  std::vector<std::complex<double>> frame(kFrame);
  for (size_t start = 0; start < samples.size(); start += kFrame / 2) {
    for (size_t i = 0; i < kFrame; ++i) {
      const double window = 0.5 - 0.5 * std::cos(2.0 * kPi * static_cast<double>(i) / kFrame);
      frame[i] = start + i < samples.size() ? window * samples[start + i] : 0.0;
    }
    Fft(frame);
    for (size_t k = 1; k < kFrame / 2; ++k) {
      const double power = std::norm(frame[k]);
      weighted += power * static_cast<double>(k) * sampleRate / kFrame;
      total += power;
    }
  }
  m.centroidHz = total > 0.0 ? static_cast<float>(weighted / total) : 0.0f;
  return m;
}

}  // namespace sfx
