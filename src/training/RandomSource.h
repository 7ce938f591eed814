#pragma once
// Where the training modes draw their random numbers. The program uses the
// program-wide generator; a test hands in its own sequence.

#include <cstdint>

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A value in 0 .. n-1; 0 when n <= 0.
    virtual int32_t Random(int32_t n) = 0;
};

// The program-wide generator of the platform.
RandomSource& ProgramRandom();
