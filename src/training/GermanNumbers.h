#pragma once
// Numbers as the user reads them: decimal comma, halves rounded away from
// zero. Values are given as a ratio of integers so that no binary fraction
// decides a rounding.

#include <cstdint>
#include <string>

// numerator / denominator with at most maxDecimals places; trailing zeros are
// dropped down to minDecimals. A denominator of 0 stands for the value 0.
std::string FormatRatioGerman(int64_t numerator, int64_t denominator, int minDecimals, int maxDecimals);

// part / whole x 100 as "0.##" shows it: "3,13", "50", "0".
std::string PercentUpTo2Decimals(int64_t part, int64_t whole);
// part / whole x 100 as "%2.2f" shows it: "3,13", "50,00", "0,00".
std::string PercentWith2Decimals(int64_t part, int64_t whole);
