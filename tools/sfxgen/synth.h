// The synthesiser of sfxgen: a sound is a list of layers mixed into one mono
// buffer. A layer is a tone (sine, square or saw whose pitch glides) or noise
// (white, or brown for rumble; continuous or as sparse crackles; optionally made
// grainy by a random tremolo), shaped by a filter and an envelope. Everything is
// deterministic: the noise comes from seeded streams.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sfx {

constexpr int kSampleRate = 22050;

using Samples = std::vector<float>;

// A glide: `from` at the start, approaching `to` with time constant `tau` seconds
// (tau 0: stays at `from`).
struct Sweep {
  float from = 0.0f;
  float to = 0.0f;
  float tau = 0.0f;
  float At(float t) const;
};

// Rises linearly over `attack`, holds full for `hold`, then decays exponentially
// with time constant `tau` (all seconds).
struct Envelope {
  float attack = 0.0f;
  float hold = 0.0f;
  float tau = 0.05f;
  float At(float t) const;
};

enum class FilterKind : uint8_t { kNone, kLowPass, kHighPass, kBandPass };

// A two-pole filter whose corner (or centre) frequency may glide.
struct Filter {
  FilterKind kind = FilterKind::kNone;
  Sweep frequency;
  float q = 0.707f;
};

Filter LowPass(float from, float to = 0.0f, float tau = 0.0f, float q = 0.707f);
Filter HighPass(float hz, float q = 0.707f);
Filter BandPass(float hz, float q = 1.0f);

enum class Wave : uint8_t { kNoise, kBrownNoise, kSine, kSquare, kSaw };

struct Layer {
  Wave wave = Wave::kNoise;
  float start = 0.0f;  // seconds into the sound
  Sweep pitch;         // tones: frequency in Hz
  Filter filter;
  Envelope envelope;
  float amplitude = 1.0f;
  float density = 1.0f;     // noise: 1 continuous; below 1 the share of samples that crackle
  float grainRate = 0.0f;   // random tremolo changes per second (0: none)
  float grainDepth = 0.0f;  // 0-1: how deep the tremolo cuts
};

struct Recipe {
  std::string name;
  float duration = 0.5f;  // seconds
  float drive = 1.0f;     // above 1: soft saturation of the mix (tanh)
  std::vector<Layer> layers;
};

// Renders a recipe: every layer mixed, saturated by the drive, normalised to a
// peak of 0.9 and faded out over its last 5 ms. `seed` starts the noise streams.
Samples Render(const Recipe& recipe, uint32_t seed);

// Samples in -1..1 as 16-bit PCM, rounded to nearest.
std::vector<int16_t> ToPcm16(const Samples& samples);

}  // namespace sfx
