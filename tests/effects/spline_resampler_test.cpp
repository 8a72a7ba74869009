#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numeric>
#include <vector>

#include "effects/routine_test_support.h"
#include "effects/routines.h"

namespace marvolin::effects {
namespace {

using testing::FailingAllocations;
using testing::RoutineRun;

std::vector<float> Resample(std::uint16_t category, std::uint16_t effect,
                            std::vector<float> samples, RoutineRun& run) {
    run.category = category;
    run.effect = effect;
    return run.Run(RunSplineResampler, std::move(samples));
}

std::vector<float> Tone(std::size_t n) {
    std::vector<float> samples(n);
    for (std::size_t i = 0; i < n; ++i) {
        samples[i] = static_cast<float>(0.5 * std::sin(0.05 * static_cast<double>(i)));
    }
    return samples;
}

TEST(SplineResamplerTest, TwoSecondsAt22050) {
    const struct {
        std::uint16_t category, effect;
        double length;
    } cases[] = {{1, 1, 38350},          // E.T.
                 {1, 2, 38800},          // Martian
                 {2, 2, 34200},          // Sick
                 {2, 3, 38000},          // Shaked
                 {5, 3, 0.99 * 44100}};  // Machine
    const std::vector<float> tone = Tone(44100);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        RoutineRun run;
        const std::vector<float> out = Resample(c.category, c.effect, tone, run);
        EXPECT_NEAR(static_cast<double>(out.size()), c.length, 0.002 * c.length);
        EXPECT_EQ(out.front(), tone.front());  // the tone's first sample is also its peak
        const std::vector<float> silent =
            Resample(c.category, c.effect, std::vector<float>(44100), run);
        EXPECT_EQ(silent, std::vector<float>(out.size()));
    }
    // Progress: 1 before the loop, on its first pass and when the position reaches 1 %; 100
    // comes only with the read that ends the loop, so 101 follows 99.
    RoutineRun run;
    Resample(2, 3, tone, run);
    std::vector<std::uint32_t> expected{1, 1};
    for (std::uint32_t percent = 1; percent <= 99; ++percent) {
        expected.push_back(percent);
    }
    expected.push_back(101);
    EXPECT_EQ(run.host.percents, expected);
}

TEST(SplineResamplerTest, MachineSawtoothRepeatsAHundredTimesASecond) {
    // On a ramp the spline is the straight line, so each output is its read position over
    // the peak. At 22050 Hz a sawtooth period is 220 reads, the step rising from 1 / 1.3 to
    // just under 1.3; below 100 Hz the period would be empty and the step stays at 1 / 1.3.
    for (const std::uint32_t rate : {22050u, 50u}) {
        SCOPED_TRACE(rate);
        std::vector<double> steps;
        for (double h = 0.0; h <= 3000.0; h += steps.back()) {
            const double e = rate == 50 ? -1.0 : steps.size() % 220 / 110.0 - 1.0;
            steps.push_back(e >= 0.0 ? 1.0 + 0.3 * e : 1.0 / (1.0 - 0.3 * e));
        }
        std::vector<float> ramp(3000);
        std::iota(ramp.begin(), ramp.end(), 0.0f);
        RoutineRun run;
        run.sampleRate = rate;
        const std::vector<float> out = Resample(5, 3, ramp, run);
        ASSERT_NEAR(static_cast<double>(out.size()), static_cast<double>(steps.size()), 1.0);
        const double peakPosition =
            std::accumulate(steps.begin(), steps.begin() + out.size() - 1, 0.0);
        for (std::size_t j = 0; j + 1 < out.size(); ++j) {
            ASSERT_NEAR((out[j + 1] - out[j]) * peakPosition, steps[j], 1e-3) << j;
        }
    }
}

TEST(SplineResamplerTest, ShortSoundsAndMemoryFailuresLeaveTheSoundUnchanged) {
    for (const std::vector<float>& samples : {std::vector<float>{}, std::vector<float>{0.25f}}) {
        RoutineRun run;
        EXPECT_EQ(Resample(1, 1, samples, run), samples);
        EXPECT_TRUE(run.host.percents.empty());
    }
    // The collection block, the second derivatives, the spline scratch, the output block:
    // only the last is taken after the progress has reached 101.
    const std::vector<float> tone = Tone(1000);
    for (int block = 0; block < 4; ++block) {
        SCOPED_TRACE(block);
        RoutineRun run;
        {
            FailingAllocations failing(1, block);
            EXPECT_EQ(Resample(2, 2, tone, run), tone);
        }
        EXPECT_EQ(run.host.memoryMessages, 1);
        EXPECT_EQ(!run.host.percents.empty() && run.host.percents.back() == 101, block == 3);
    }
}

// Long sounds have their read steps worked out ahead on a second thread; without memory for
// that table they are worked out as the reading goes. Both give the same sound and progress.
TEST(SplineResamplerTest, StepsWorkedOutAheadGiveTheSameSound) {
    const std::vector<float> tone = Tone(100000);
    RoutineRun ahead;
    const std::vector<float> withTable = Resample(1, 1, tone, ahead);
    RoutineRun asItGoes;
    std::vector<float> withoutTable;
    {
        FailingAllocations noTable(1, 2);  // collection, second derivatives, then no table
        withoutTable = Resample(1, 1, tone, asItGoes);
    }
    EXPECT_EQ(asItGoes.host.memoryMessages, 0);
    EXPECT_EQ(asItGoes.host.percents, ahead.host.percents);
    ASSERT_GT(withTable.size(), 80000u);
    EXPECT_EQ(withoutTable, withTable);
}

}  // namespace
}  // namespace marvolin::effects
