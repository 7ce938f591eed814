#include "platform/Random.h"

#include <gtest/gtest.h>

#include <vector>

TEST(RandomTest, SeedRepeatsTheSequence) {
    auto draw = [](uint64_t seed) {
        platform::RandSeed(seed);
        std::vector<int32_t> values;
        for (int i = 0; i < 20; ++i) values.push_back(platform::Random(1000000));
        return values;
    };
    EXPECT_EQ(draw(42), draw(42));
    EXPECT_NE(draw(42), draw(43));
}

TEST(RandomTest, StaysInRangeAndReachesEveryValue) {
    platform::RandSeed(7);
    for (int32_t n : {1, 2, 3, 10, 97}) {
        std::vector<int> seen(static_cast<size_t>(n));
        for (int i = 0; i < 100 * n; ++i) {
            int32_t v = platform::Random(n);
            ASSERT_GE(v, 0);
            ASSERT_LT(v, n);
            ++seen[static_cast<size_t>(v)];
        }
        for (int count : seen) EXPECT_GT(count, 0) << n;
    }
    EXPECT_EQ(platform::Random(0), 0);
    EXPECT_EQ(platform::Random(-5), 0);
    int32_t big = platform::Random(INT32_MAX);
    EXPECT_GE(big, 0);
    EXPECT_LT(big, INT32_MAX);
}
