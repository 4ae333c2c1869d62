// The one random generator of the whole game: a 32-bit linear congruential
// generator whose draws the rules depend on, in a fixed order.
#pragma once
#include <cstdint>

namespace tw {

class Random {
 public:
  explicit Random(uint32_t seed = 0) : seed_(seed) {}

  // A uniform whole number from 0 to n - 1. n of 0 or below gives 0 and still
  // advances the generator, so lake values that make the range empty never
  // misbehave.
  int32_t operator()(int32_t n) {
    seed_ = seed_ * 134775813u + 1u;
    if (n <= 0) return 0;
    return static_cast<int32_t>((static_cast<uint64_t>(seed_) * static_cast<uint32_t>(n)) >> 32);
  }

  uint32_t Seed() const { return seed_; }
  void SetSeed(uint32_t seed) { seed_ = seed; }

  // Seeds from the time of day: ((h * 60 + m) * 60 + s) * 1000 + ms.
  void Randomize();

 private:
  uint32_t seed_;
};

}  // namespace tw
