#include <gtest/gtest.h>

#include <vector>

#include "effects/routine_test_support.h"
#include "effects/routines.h"

namespace marvolin::effects {
namespace {

using testing::FailingAllocations;
using testing::RoutineRun;

TEST(OctaveUpDecimatorTest, KeepsTheEvenSamplesAndDropsAnOddLastOne) {
    RoutineRun run;
    EXPECT_EQ(run.Run(RunOctaveUpDecimator, {0.1f, 0.2f, 0.3f, 0.4f, 0.5f}),
              (std::vector<float>{0.1f, 0.3f}));
    EXPECT_EQ(run.Run(RunOctaveUpDecimator, {-0.7f, 0.6f}), (std::vector<float>{-0.7f}));
    EXPECT_TRUE(run.Run(RunOctaveUpDecimator, {0.9f}).empty());
    EXPECT_TRUE(run.Run(RunOctaveUpDecimator, {}).empty());
}

TEST(OctaveUpDecimatorTest, TicksOncePerOutputSampleAndKeepsTheSoundWithoutMemory) {
    RoutineRun run;
    EXPECT_EQ(run.Run(RunOctaveUpDecimator, std::vector<float>(2001, 0.5f)).size(), 1000u);
    ASSERT_EQ(run.host.percents.size(), 110u);  // step 1000 / 100
    EXPECT_EQ(run.host.percents.back(), 111u);

    const std::vector<float> input = {0.3f, -0.9f, 0.1f};
    FailingAllocations failure;
    EXPECT_EQ(run.Run(RunOctaveUpDecimator, input), input);
    EXPECT_EQ(run.host.memoryMessages, 1);
}

}  // namespace
}  // namespace marvolin::effects
