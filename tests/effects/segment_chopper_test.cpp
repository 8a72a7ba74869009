#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "effects/routine_test_support.h"
#include "effects/routines.h"

namespace marvolin::effects {
namespace {

testing::RoutineRun CutUpAt(std::uint32_t rate) {
    return testing::RoutineRun::AtRate(rate);
}

TEST(SegmentChopperTest, SegmentsFadeInAndOutAndAreFollowedBySilence) {
    struct Row {
        std::uint32_t rate, segment, fade, middle, gap;
    };
    const Row rows[] = {{8000, 266, 53, 160, 400},
                        {11025, 367, 73, 221, 551},
                        {22050, 735, 147, 441, 1102},
                        {44100, 1470, 294, 882, 2205}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rate);
        EXPECT_EQ(static_cast<std::uint32_t>(row.rate / 30.0), row.segment);
        EXPECT_EQ(50 * row.rate / 1000, row.gap);
        EXPECT_EQ(20 * row.segment / 100, row.fade);
        EXPECT_EQ(row.segment - 2 * row.fade, row.middle);

        std::vector<float> chopped;
        for (std::uint32_t j = 0; j < row.fade; ++j) {
            chopped.push_back(static_cast<float>(double(j) / row.fade));
        }
        chopped.insert(chopped.end(), row.middle, 1.0f);
        for (std::uint32_t j = 0; j < row.fade; ++j) {
            chopped.push_back(static_cast<float>(double(row.fade - j) / row.fade));
        }
        chopped.insert(chopped.end(), row.gap, 0.0f);
        std::vector<float> expected = chopped;
        expected.insert(expected.end(), chopped.begin(), chopped.end());

        auto run = CutUpAt(row.rate);
        EXPECT_EQ(run.Run(RunSegmentChopper, std::vector<float>(2 * row.segment, 1.0f)), expected);
    }
}

TEST(SegmentChopperTest, LengthCountsThePartialSegmentThatIsDropped) {
    struct Case {
        std::size_t count, length, silentTail;
    };
    // trunc(count / 735 x 1837) at 22 050 Hz; ten whole segments in the first case.
    const Case cases[] = {{10 * 735 + 100, 18619, 249}, {734, 1834, 1834}, {1, 2, 2}, {0, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        auto run = CutUpAt(22050);
        const auto out = run.Run(RunSegmentChopper, std::vector<float>(c.count, 0.5f));
        ASSERT_EQ(out.size(), c.length);
        const std::size_t written = c.length - c.silentTail;
        for (std::size_t i = written; i < out.size(); ++i) {
            ASSERT_EQ(out[i], 0.0f) << i;
        }
        if (written > 0) {
            EXPECT_EQ(out[written - 1102 - 300], 0.5f);  // the last segment's middle
        }
    }
}

TEST(SegmentChopperTest, ProgressCountsOutputSamplesAgainstAnInputStep) {
    auto oneSecond = CutUpAt(22050);
    oneSecond.Run(RunSegmentChopper, std::vector<float>(22050, 0.1f));
    // Step 220 over 30 x 1837 ticks, each counted before the comparison.
    ASSERT_EQ(oneSecond.host.percents.size(), 251u);
    EXPECT_EQ(oneSecond.host.percents.back(), 252u);

    auto stepOne = CutUpAt(3000);  // one segment of 100 samples
    stepOne.Run(RunSegmentChopper, std::vector<float>(150, 0.1f));
    EXPECT_EQ(stepOne.host.percents, std::vector<std::uint32_t>{2});

    auto stepZero = CutUpAt(1000);  // three segments of 33 samples
    EXPECT_EQ(stepZero.Run(RunSegmentChopper, std::vector<float>(99, 0.1f)).size(), 3u * 83);
    EXPECT_TRUE(stepZero.host.percents.empty());
}

TEST(SegmentChopperTest, KeepsTheSoundWhenShortOfMemoryOrOfSamplesPerSegment) {
    const std::vector<float> input(5000, 0.25f);
    {
        auto run = CutUpAt(22050);
        testing::FailingAllocations failing;
        EXPECT_EQ(run.Run(RunSegmentChopper, input), input);
        EXPECT_EQ(run.host.memoryMessages, 1);
    }
    auto slow = CutUpAt(29);
    EXPECT_EQ(slow.Run(RunSegmentChopper, input), input);
    EXPECT_EQ(slow.host.memoryMessages, 0);

    // A segment longer than the sound: all of it is the dropped partial segment.
    auto fast = CutUpAt(4'000'000'000u);
    EXPECT_EQ(fast.Run(RunSegmentChopper, input), std::vector<float>(12500, 0.0f));
}

}  // namespace
}  // namespace marvolin::effects
