// Seeded, deterministic randomness for the generator: a hash, a small random
// number stream, and smooth value noise that can wrap so tiles repeat seamlessly.
#pragma once

#include <cstdint>

namespace art {

// A well-mixed 32-bit hash of two lattice coordinates and a seed.
uint32_t Hash(int32_t x, int32_t y, uint32_t seed);
// The hash as a real from 0 to 1.
float HashUnit(int32_t x, int32_t y, uint32_t seed);

// Smooth value noise from 0 to 1, one lattice cell per unit. With period > 0 the
// lattice wraps every period cells, so noise(x + period, y) == noise(x, y).
float ValueNoise(float x, float y, uint32_t seed, int period = 0);

// Octaves of value noise, each at twice the frequency and half the weight of the
// one before (the period doubles with the frequency); normalised to 0..1.
float Fractal(float x, float y, int octaves, uint32_t seed, int period = 0);

// A tiny deterministic random stream (xorshift).
class Rng {
 public:
  explicit Rng(uint32_t seed);
  uint32_t Next();
  // A real in [0, 1).
  float Unit();
  // A real in [lo, hi).
  float Range(float lo, float hi);
  // An integer in [0, n) (0 when n <= 0).
  int Below(int n);

 private:
  uint32_t state_;
};

}  // namespace art
