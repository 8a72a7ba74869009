#include "platform/allocation.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace marvolin::platform {
namespace {

TEST(AllocationTest, BlocksAreZeroFilledAndFailuresCanBeForced) {
    const auto block = AllocateBlock<std::int16_t>(1000);
    ASSERT_TRUE(block);
    EXPECT_EQ(block->size(), 1000u);
    for (const std::int16_t sample : *block) {
        ASSERT_EQ(sample, 0);
    }

    AllocationFailures::FailNext(2);
    EXPECT_FALSE(AllocateBlock<float>(1));
    EXPECT_FALSE(AllocateBlock<float>(1));
    EXPECT_TRUE(AllocateBlock<float>(1));

    AllocationFailures::FailNext(1, 2);
    EXPECT_TRUE(AllocateBlock<float>(1));
    EXPECT_TRUE(AllocateBlock<float>(1));
    EXPECT_FALSE(AllocateBlock<float>(1));
    EXPECT_TRUE(AllocateBlock<float>(1));

    AllocationFailures::FailLargerThan(400);
    EXPECT_TRUE(AllocateBlock<float>(100));
    EXPECT_FALSE(AllocateBlock<float>(101));
    AllocationFailures::Reset();
    EXPECT_TRUE(AllocateBlock<float>(101));
}

TEST(AllocationTest, ImpossibleSizesFailInsteadOfThrowing) {
    EXPECT_GE(LargestBlockBytes(), std::size_t{64} << 20);
    EXPECT_FALSE(AllocateBlock<char>(LargestBlockBytes() + 1));
    EXPECT_FALSE(AllocateBlock<float>(LargestBlockBytes() / sizeof(float) + 1));
    EXPECT_FALSE(AllocateBlock<std::int16_t>(std::size_t{1} << 62));
    EXPECT_FALSE(AllocateBlock<float>(SIZE_MAX));
}

}  // namespace
}  // namespace marvolin::platform
