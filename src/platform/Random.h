#pragma once
// One program-wide random generator: seeded from the clock at start,
// seedable in tests.

#include <cstdint>

namespace platform {

// A value in 0 .. n-1; 0 when n <= 0.
int32_t Random(int32_t n);
void RandSeed(uint64_t seed);
void Randomize();  // seed from the clock

}  // namespace platform
