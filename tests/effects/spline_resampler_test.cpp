#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numeric>
#include <vector>

#include "effects/routine_test_support.h"
#include "effects/routines.h"

namespace marvolin::effects {
namespace {

using testing::RoutineRun;

std::vector<float> Resample(const ReadStepModulation& modulation, std::vector<float> samples,
                            RoutineRun& run) {
    return run.Run(RunSplineResampler, std::move(samples), modulation);
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
        const ReadStepModulation& modulation;
        double length;
    } cases[] = {{kTenHertzReadSine, 38350},
                 {kFiftyHertzReadSine, 38800},
                 {kOneHertzReadSine, 34200},
                 {kFiveHertzReadSine, 38000},
                 {kHundredHertzReadSawtooth, 0.99 * 44100}};
    const std::vector<float> tone = Tone(44100);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        RoutineRun run;
        const std::vector<float> out = Resample(c.modulation, tone, run);
        EXPECT_NEAR(static_cast<double>(out.size()), c.length, 0.002 * c.length);
        EXPECT_EQ(out.front(), tone.front());  // the tone's first sample is also its peak
        const std::vector<float> silent = Resample(c.modulation, std::vector<float>(44100), run);
        EXPECT_EQ(silent, std::vector<float>(out.size()));
    }
    // Progress: 1 before the loop, on its first pass and when the position reaches 1 %; 100
    // comes only with the read that ends the loop, so 101 follows 99.
    RoutineRun run;
    Resample(kFiveHertzReadSine, tone, run);
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
        const std::vector<float> out = Resample(kHundredHertzReadSawtooth, ramp, run);
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
        EXPECT_EQ(Resample(kTenHertzReadSine, samples, run), samples);
        EXPECT_TRUE(run.host.percents.empty());
    }
    // Whichever block cannot be had, the sound stays and the message comes once; the output
    // block is the only one taken after the progress has reached 101.
    const std::vector<float> tone = Tone(1000);
    RoutineRun run;
    std::vector<float> out;
    int reachedTheEnd = 0;
    const int points = testing::FailEachAllocationInTurn(
        [&] {
            run = RoutineRun{};
            out = Resample(kOneHertzReadSine, tone, run);
        },
        [&](int) {
            EXPECT_EQ(out, tone);
            EXPECT_EQ(run.host.memoryMessages, 1);
            reachedTheEnd += !run.host.percents.empty() && run.host.percents.back() == 101;
        });
    EXPECT_GE(points, 2);
    EXPECT_EQ(reachedTheEnd, 1);
}

// Long sounds have their read steps worked out ahead on a second thread; without memory for
// that table they are worked out as the reading goes. Both give the same sound and progress.
TEST(SplineResamplerTest, StepsWorkedOutAheadGiveTheSameSound) {
    const std::vector<float> tone = Tone(100000);
    RoutineRun ahead;
    const std::vector<float> withTable = Resample(kTenHertzReadSine, tone, ahead);
    ASSERT_GT(withTable.size(), 80000u);
    // Every block but the table is needed: without one of them the sound stays as it was;
    // without the table alone the sound and the progress are those worked out ahead.
    RoutineRun run;
    std::vector<float> out;
    int withoutTableOnly = 0;
    testing::FailEachAllocationInTurn(
        [&] {
            run = RoutineRun{};
            out = Resample(kTenHertzReadSine, tone, run);
        },
        [&](int) {
            if (run.host.memoryMessages == 0) {
                ++withoutTableOnly;
                EXPECT_EQ(run.host.percents, ahead.host.percents);
                EXPECT_EQ(out, withTable);
            } else {
                EXPECT_EQ(run.host.memoryMessages, 1);
                EXPECT_EQ(out, tone);
            }
        });
    EXPECT_EQ(withoutTableOnly, 1);
}

}  // namespace
}  // namespace marvolin::effects
