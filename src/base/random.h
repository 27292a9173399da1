// The game's random numbers: Random(n) is uniform over 0..n inclusive. Seedable and
// identical on every platform for the same seed (its own generator, not the C++
// library's distributions).
#pragma once

#include <cstdint>

class Rng {
 public:
  explicit Rng(uint64_t seed = 1) { Seed(seed); }
  void Seed(uint64_t seed);
  // Uniform integer 0..n inclusive; 0 when n <= 0.
  int32_t Random(int32_t n);

 private:
  uint64_t Next();
  uint64_t state_ = 0;
};
