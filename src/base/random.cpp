// The game's generator: SplitMix64 (a 64-bit Weyl sequence through a strong
// mixing function), and rejection sampling for ranges without modulo bias.
#include "base/random.h"

void Rng::Seed(uint64_t seed) { state_ = seed; }

uint64_t Rng::Next() {
  state_ += 0x9E3779B97F4A7C15ull;
  uint64_t z = state_;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

int32_t Rng::Random(int32_t n) {
  if (n <= 0) return 0;
  const uint64_t range = static_cast<uint64_t>(n) + 1;
  // Draws below `reject` would make the low values of the range more likely:
  // 2^64 - reject is a whole multiple of range.
  const uint64_t reject = (0 - range) % range;
  uint64_t draw = Next();
  while (draw < reject) draw = Next();
  return static_cast<int32_t>(draw % range);
}
