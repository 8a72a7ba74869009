#include <gtest/gtest.h>

#include <vector>

#include "effects/routine_test_support.h"
#include "effects/routines.h"

namespace marvolin::effects {
namespace {

using testing::FailingAllocations;
using testing::RoutineRun;

TEST(ReverserTest, PlaysTheSoundBackwards) {
    RoutineRun run;
    const std::vector<float> input = {0.1f, -0.2f, 0.3f, 1.0f};
    const std::vector<float> reversed = run.Run(RunReverser, input);
    EXPECT_EQ(reversed, (std::vector<float>{1.0f, 0.3f, -0.2f, 0.1f}));
    EXPECT_EQ(run.Run(RunReverser, reversed), input);
    EXPECT_EQ(run.Run(RunReverser, {0.5f}), (std::vector<float>{0.5f}));
    EXPECT_TRUE(run.Run(RunReverser, {}).empty());
}

TEST(ReverserTest, TicksOncePerSampleAndKeepsTheSoundWithoutMemory) {
    RoutineRun run;
    std::vector<float> ramp(250);
    for (std::size_t i = 0; i < ramp.size(); ++i) {
        ramp[i] = static_cast<float>(i);
    }
    const std::vector<float> reversed = run.Run(RunReverser, ramp);
    EXPECT_EQ(reversed.front(), 249.0f);
    EXPECT_EQ(reversed.back(), 0.0f);
    ASSERT_EQ(run.host.percents.size(), 248u);  // step 2
    EXPECT_EQ(run.host.percents.back(), 249u);

    FailingAllocations failure;
    EXPECT_EQ(run.Run(RunReverser, ramp), ramp);
    EXPECT_EQ(run.host.memoryMessages, 1);
}

}  // namespace
}  // namespace marvolin::effects
