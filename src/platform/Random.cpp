#include "platform/Random.h"

#include <chrono>

namespace platform {
namespace {

// splitmix64: small, fast, and every seed gives a full-period sequence.
struct Generator {
    uint64_t state = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());

    uint64_t Next() {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
};

Generator& TheGenerator() {
    static Generator generator;
    return generator;
}

}  // namespace

int32_t Random(int32_t n) {
    if (n <= 0) return 0;
    uint64_t high = TheGenerator().Next() >> 32;
    return static_cast<int32_t>((high * static_cast<uint64_t>(n)) >> 32);
}

void RandSeed(uint64_t seed) { TheGenerator().state = seed; }

void Randomize() {
    TheGenerator().state ^= static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

}  // namespace platform
