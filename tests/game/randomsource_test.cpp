#include "randomsource.h"

#include <gtest/gtest.h>

#include <vector>

TEST(RandomSource, KnownSeedGivesKnownDraws)
{
    RandomSource random;
    random.Reseed(20260108);
    std::vector<std::uint32_t> draws;
    for (int i = 0; i < 8; ++i)
        draws.push_back(random.DrawBelow(5));
    EXPECT_EQ(draws, (std::vector<std::uint32_t>{4, 0, 0, 1, 4, 0, 1, 4}));
}

TEST(RandomSource, StateWrapsAndDrawTakesTheHighWord)
{
    RandomSource random;
    random.Reseed(0);
    EXPECT_EQ(random.DrawBelow(100), 0u); // state 1
    EXPECT_EQ(random.DrawBelow(100), 3u); // state 134775814
    EXPECT_EQ(random.DrawBelow(100), 86u); // state 3698175007: past 2^31, no signed overflow on the way
    EXPECT_EQ(random.DrawBelow(100), 20u); // state 870078620: wrapped modulo 2^32
}

TEST(RandomSource, DrawStaysBelowN)
{
    RandomSource random;
    random.Reseed(86399999);
    for (std::uint32_t n : {1u, 2u, 5u, 0xFFFFFFFFu})
        for (int i = 0; i < 1000; ++i)
            ASSERT_LT(random.DrawBelow(n), n);
}
