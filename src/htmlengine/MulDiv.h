#pragma once
// Integer scaling as the engine's size rules expect it: the product is taken
// in 64 bits and the quotient rounded half away from zero; a zero divisor or
// a result outside 32 bits gives -1.

#include <cstdint>

namespace htmlengine {

int32_t MulDiv(int32_t number, int32_t numerator, int32_t denominator);

// A size taken from a page, held in 64 bits, clamped into [low, high] before
// it becomes a pixel size.
constexpr int32_t ClampSize(int64_t value, int32_t low, int32_t high) {
    return value < low ? low : (value > high ? high : static_cast<int32_t>(value));
}

}  // namespace htmlengine
