// The program-wide generator: its exact sequence, its range and its clock seed.
#include "rules/random.h"

#include <gtest/gtest.h>

#include <vector>

using namespace rules;

TEST(Random, Seed12345GivesTheKnownSequence) {
    setRandomSeed(12345);
    std::vector<int> drawn;
    for (int i = 0; i < 10; ++i) drawn.push_back(Random(52));
    EXPECT_EQ(drawn, (std::vector<int>{20, 15, 4, 28, 32, 17, 22, 4, 1, 48}));
}

TEST(Random, EachCallAdvancesTheSeedOnce) {
    setRandomSeed(0xFFFFFFFFu);
    Random(7);
    // 0xFFFFFFFF * 134775813 + 1 wraps modulo 2^32.
    EXPECT_EQ(randomSeed(), static_cast<std::uint32_t>(0xFFFFFFFFull * 134775813ull + 1));
    setRandomSeed(99);
    Random(1);
    Random(1000);
    EXPECT_EQ(randomSeed(), 99u * 134775813u * 134775813u + 134775813u + 1u);
}

TEST(Random, StaysInRange) {
    setRandomSeed(7);
    for (int n : {1, 2, 5, 6, 52, 1000, 0x7FFFFFFF}) {
        for (int i = 0; i < 2000; ++i) {
            const int r = Random(n);
            ASSERT_GE(r, 0);
            ASSERT_LT(r, n);
        }
    }
    // Every value of a small range turns up.
    std::vector<int> seen(6);
    for (int i = 0; i < 600; ++i) ++seen[Random(6)];
    for (int hits : seen) EXPECT_GT(hits, 0);
}

TEST(Random, ANonPositiveRangeAnswersZero) {
    setRandomSeed(1);
    EXPECT_EQ(Random(0), 0);
    EXPECT_EQ(Random(-5), 0);
}

TEST(Random, ClockSeedIsATimeOfDayInMilliseconds) {
    const std::uint32_t seed = clockSeed();
    EXPECT_LT(seed, 24u * 60 * 60 * 1000);
    seedRandomFromClock();
    // The clock may have moved on, but only by moments (or past midnight).
    const std::uint32_t now = randomSeed();
    EXPECT_TRUE(now >= seed ? now - seed < 60000 : seed - now > 24u * 60 * 60 * 1000 - 60000);
}
