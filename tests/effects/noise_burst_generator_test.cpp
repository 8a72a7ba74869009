#include "effects/noise_burst_generator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "effects/random_generator.h"
#include "effects/routine_test_support.h"
#include "effects/routines.h"

namespace marvolin::effects {
namespace {

using testing::FailingAllocations;
using testing::RoutineRun;

// Untouched samples keep this value, which no burst can write (bursts stay within -1..1).
constexpr float kMarker = 2.0f;

class NoiseBurstGeneratorTest : public ::testing::Test {
  protected:
    void SetUp() override { OverrideClockSeed(1); }
    void TearDown() override { OverrideClockSeed(std::nullopt); }

    // Runs Jamming on `count` marker samples and returns the indexes a burst wrote.
    std::vector<std::uint32_t> Overwritten(std::uint32_t count, std::vector<float>* result) {
        *result = run.Run(RunNoiseBurstGenerator, std::vector<float>(count, kMarker));
        EXPECT_EQ(result->size(), count);
        std::vector<std::uint32_t> written;
        for (std::uint32_t i = 0; i < result->size(); ++i) {
            if ((*result)[i] != kMarker) {
                written.push_back(i);
            }
        }
        return written;
    }

    RoutineRun run;
};

TEST_F(NoiseBurstGeneratorTest, BurstsLastHalfASecondAndComeOncePerWholeSecond) {
    EXPECT_EQ(JammingBurstLength(22050), 11025u);
    EXPECT_EQ(JammingBurstLength(11025), 5512u);
    struct Case {
        double seconds;
        std::uint16_t bursts;
    };
    for (const Case c : {Case{1.5, 1}, Case{2.5, 2}, Case{0.3, 1}, Case{0.0, 1}, Case{10.0, 10}}) {
        SCOPED_TRACE(c.seconds);
        const auto count = static_cast<std::uint32_t>(c.seconds * 22050);
        EXPECT_EQ(JammingBurstCount(count, 11025), c.bursts);
    }
    // A rate below 2 Hz has empty bursts and nothing to divide by.
    EXPECT_EQ(JammingBurstCount(100, JammingBurstLength(1)), 1u);
}

TEST_F(NoiseBurstGeneratorTest, ABurstIsOneStretchOfABoundedWalkFromZero) {
    for (const std::uint32_t seed : {1u, 2u, 77u, 4000000000u}) {
        SCOPED_TRACE(seed);
        OverrideClockSeed(seed);
        std::vector<float> out;
        const std::uint32_t n = 33075;  // 1.5 s: one burst
        const auto written = Overwritten(n, &out);
        ASSERT_EQ(written.size(), 11025u);
        const std::uint32_t start = written.front();
        EXPECT_EQ(written.back(), start + 11024);  // contiguous
        EXPECT_LE(start, n - 11025);
        float previous = 0.0f;
        for (const std::uint32_t i : written) {
            ASSERT_LE(std::fabs(out[i] - previous), 0.1f) << i;
            ASSERT_LE(std::fabs(out[i]), 1.0f) << i;
            previous = out[i];
        }
    }
}

TEST_F(NoiseBurstGeneratorTest, DrawsStartThenWalkWithTheGivenScales) {
    // Seed 1 draws 41 (the start), then 18467 and 6334 for the walk.
    const std::vector<float> out = run.Run(RunNoiseBurstGenerator, {0.5f, 0.5f, 0.5f});
    const double scale = double(6.1031431e-5f) * double(0.1f);
    const float first = static_cast<float>(double(18467 - 16384) * scale);
    const float second = static_cast<float>(double(6334 - 16384) * scale + double(first));
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0], first);
    EXPECT_EQ(out[1], second);

    // Reseeded on every run: the same seed gives the same bursts.
    EXPECT_EQ(run.Run(RunNoiseBurstGenerator, {0.5f, 0.5f, 0.5f}), out);
}

TEST_F(NoiseBurstGeneratorTest, ASoundShorterThanABurstIsWrittenFromItsStart) {
    std::vector<float> out;
    const auto written = Overwritten(1000, &out);
    EXPECT_EQ(written.size(), 1000u);
    EXPECT_LE(std::fabs(out[0]), 0.1f);
    // The whole burst length is ticked, also the positions past the end: step 110.
    ASSERT_EQ(run.host.percents.size(), 101u);
    EXPECT_EQ(run.host.percents.back(), 102u);

    // Even a burst of two billion samples past a three-sample sound ends at once.
    run.sampleRate = 4000000000u;
    run.host.percents.clear();
    EXPECT_EQ(Overwritten(3, &out).size(), 3u);
    EXPECT_EQ(run.host.percents.size(), 100u);
}

TEST_F(NoiseBurstGeneratorTest, TinyRatesAndEmptySoundsAreLeftAlone) {
    for (const std::uint32_t rate : {0u, 1u}) {
        run.sampleRate = rate;
        std::vector<float> out;
        EXPECT_TRUE(Overwritten(50, &out).empty());
    }
    run.sampleRate = 22050;
    EXPECT_TRUE(run.Run(RunNoiseBurstGenerator, {}).empty());
}

TEST_F(NoiseBurstGeneratorTest, WithoutMemoryTheSoundStays) {
    const std::vector<float> input(30000, 0.25f);
    FailingAllocations failure;
    EXPECT_EQ(run.Run(RunNoiseBurstGenerator, input), input);
    EXPECT_EQ(run.host.memoryMessages, 1);
    EXPECT_TRUE(run.host.percents.empty());
}

}  // namespace
}  // namespace marvolin::effects
