/** @file random_test.cpp The random numbers start from seed zero and follow one fixed sequence. */
#include "harness/harness.h"
#include "platform/random.h"

#include <gtest/gtest.h>

TEST(Random, FreshGeneratorGivesTheKnownSequenceInRange)
{
    platform::Random r;
    std::vector<int> first;
    for (int i = 0; i < 5; ++i)
        first.push_back(r.next(10));
    EXPECT_EQ(first, (std::vector<int>{0, 0, 8, 2, 2}));
    for (int i = 0; i < 1000; ++i) {
        const int v = r.next(10);
        EXPECT_GE(v, 0);
        EXPECT_LT(v, 10);
    }
    EXPECT_EQ(r.next(0), 0);
}

TEST(Random, TheProgramStartsFromZeroAndAGameEndDoesNotReseed)
{
    Harness h;
    EXPECT_EQ(h.random().currentSeed(), 0u);
    h.random().next(10);
    const auto seed = h.random().currentSeed();
    h.click("A0.H9");
    h.click("A0.H5");
    EXPECT_EQ(h.random().currentSeed(), seed);
}
