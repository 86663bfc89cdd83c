// The one generator of the whole program: a 32-bit linear congruential generator.
#pragma once

#include <cstdint>

namespace rules {

// Advances the seed (seed * 134775813 + 1 mod 2^32) and returns the upper 32 bits of n * seed,
// an integer 0..n-1. A non-positive n still advances the seed and answers 0.
int Random(int n);

void setRandomSeed(std::uint32_t seed);
std::uint32_t randomSeed();

// ((hour * 60 + minute) * 60 + second) * 1000 + millisecond of the clock in universal time.
std::uint32_t clockSeed();
// Seeds from the clock; called once at program start.
void seedRandomFromClock();

} // namespace rules
