#include "effects/two_core_runs.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "effects/routine_test_support.h"

namespace marvolin::effects {
namespace {

// Both halves are written, and the indicator sees exactly the calls one core would make.
TEST(TwoCoreRunsTest, WritesEverySampleOnceAndTicksLikeOneCore) {
    for (const std::size_t count : {std::size_t{1000}, std::size_t{65536}, std::size_t{300001}}) {
        SCOPED_TRACE(count);
        testing::RecordingHost oneCoreHost;
        ProgressTick oneCore(oneCoreHost, static_cast<std::uint32_t>(count / 100));
        ForEachRunWithTicks(oneCore, count, [](std::size_t, std::size_t) {});

        testing::RecordingHost twoCoresHost;
        ProgressTick twoCores(twoCoresHost, static_cast<std::uint32_t>(count / 100));
        std::vector<std::uint32_t> writes(count, 0);
        ForEachRunWithTicksOnTwoCores(twoCores, count, [&](std::size_t begin, std::size_t end) {
            for (std::size_t i = begin; i < end; ++i) {
                ++writes[i];
            }
        });
        EXPECT_EQ(writes, std::vector<std::uint32_t>(count, 1));
        EXPECT_EQ(twoCoresHost.percents, oneCoreHost.percents);
    }
}

}  // namespace
}  // namespace marvolin::effects
