#include "effects/random_generator.h"

#include <gtest/gtest.h>

#include <ctime>
#include <vector>

namespace marvolin::effects {
namespace {

TEST(RandomGeneratorTest, GivesTheFifteenBitSequenceOfItsSeed) {
    SeedRandom(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358};
    for (const int value : expected) {
        EXPECT_EQ(NextRandom(), value);
    }
    SeedRandom(0xFFFFFFFFu);
    for (int i = 0; i < 10000; ++i) {
        const int value = NextRandom();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 32767);
    }
}

TEST(RandomGeneratorTest, ClockSeedCanBeOverriddenAndGivenBack) {
    auto firstDraws = [] {
        std::vector<int> draws;
        for (int i = 0; i < 4; ++i) {
            draws.push_back(NextRandom());
        }
        return draws;
    };
    SeedRandom(12345);
    const auto seeded = firstDraws();

    OverrideClockSeed(12345);
    SeedRandomFromClock();
    EXPECT_EQ(firstDraws(), seeded);

    OverrideClockSeed(std::nullopt);
    const auto before = static_cast<std::uint32_t>(std::time(nullptr));
    SeedRandomFromClock();
    const auto fromClock = firstDraws();
    const auto after = static_cast<std::uint32_t>(std::time(nullptr));
    bool matchesClock = false;
    for (std::uint32_t second = before; second <= after; ++second) {
        SeedRandom(second);
        matchesClock = matchesClock || firstDraws() == fromClock;
    }
    EXPECT_TRUE(matchesClock);
}

}  // namespace
}  // namespace marvolin::effects
