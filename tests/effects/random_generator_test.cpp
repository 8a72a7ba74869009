#include "effects/random_generator.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace marvolin::effects
