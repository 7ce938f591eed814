#include <gtest/gtest.h>

#include <cstdint>

#include "training/GermanNumbers.h"

TEST(GermanNumbersTest, PercentPatterns) {
    struct Case {
        int64_t part, whole;
        const char* upTo2;
        const char* with2;
    };
    const Case cases[] = {
        {1, 32, "3,13", "3,13"},      // 3.125: the half goes up
        {31, 32, "96,88", "96,88"},   // 96.875
        {1, 2, "50", "50,00"},
        {1, 3, "33,33", "33,33"},
        {2, 3, "66,67", "66,67"},
        {1, 8, "12,5", "12,50"},
        {3, 3, "100", "100,00"},
        {0, 7, "0", "0,00"},
        {1, 200000, "0", "0,00"},     // 0.0005 rounds to 0 decimals shown
        {1, 0, "0", "0,00"},          // nothing asked: no division
        {0, 0, "0", "0,00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.part) + "/" + std::to_string(c.whole));
        EXPECT_EQ(PercentUpTo2Decimals(c.part, c.whole), c.upTo2);
        EXPECT_EQ(PercentWith2Decimals(c.part, c.whole), c.with2);
    }
}

TEST(GermanNumbersTest, NegativeHalvesGoAwayFromZeroAndTinyValuesLoseTheirSign) {
    EXPECT_EQ(FormatRatioGerman(-25, 10, 0, 0), "-3");
    EXPECT_EQ(FormatRatioGerman(25, -10, 0, 0), "-3");
    EXPECT_EQ(FormatRatioGerman(-1, 1000, 0, 2), "0");
    EXPECT_EQ(FormatRatioGerman(INT64_MAX, 1, 2, 2), "9223372036854775807,00");
    EXPECT_EQ(FormatRatioGerman(7, 4, 0, 99), "1,75");
}
