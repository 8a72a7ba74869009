#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "effects/routine_test_support.h"
#include "effects/routines.h"

namespace marvolin::effects {
namespace {

using testing::FailingAllocations;
using testing::RoutineRun;

std::vector<float> Modulate(GainCurve curve, std::vector<float> samples,
                            std::uint32_t rate = 22050) {
    RoutineRun run = RoutineRun::AtRate(rate);
    return run.Run(RunAmplitudeModulator, std::move(samples), curve);
}

TEST(AmplitudeModulatorTest, VolumeCurvesFollowThePositionInTheSound) {
    struct Case {
        const char* name;
        GainCurve curve;
        std::function<double(double)> expected;  // of j / n, with the peak taken out
    };
    const Case cases[] = {
        {"Fade-in", GainCurve::kFadeIn,
         [](double t) { return t / 0.999; }},  // the last gain is 999 / 1000
        {"Fade-out", GainCurve::kFadeOut, [](double t) { return 1.0 - t; }},
        {"Bell Curve", GainCurve::kBellCurve,
         [](double t) { return (1.0 - std::cos(2.0 * M_PI * t)) / 2.0; }},
        {"Percussive", GainCurve::kPercussive, [](double t) { return std::exp(-7.0 * t); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<float> out = Modulate(c.curve, std::vector<float>(1000, 0.5f));
        ASSERT_EQ(out.size(), 1000u);
        EXPECT_EQ(*std::max_element(out.begin(), out.end()), 1.0f);
        for (std::size_t j = 0; j < out.size(); ++j) {
            ASSERT_NEAR(out[j], c.expected(double(j) / 1000.0), 1e-5) << j;
        }
    }
    // Exactly silent or exactly untouched first samples, and single samples.
    EXPECT_EQ(Modulate(GainCurve::kFadeIn, {0.5f, 0.25f})[0], 0.0f);
    EXPECT_EQ(Modulate(GainCurve::kBellCurve, {0.5f, 0.25f})[0], 0.0f);
    EXPECT_EQ(Modulate(GainCurve::kFadeOut, {0.5f, 0.25f})[0], 1.0f);
    EXPECT_EQ(Modulate(GainCurve::kPercussive, {-0.5f}), std::vector<float>{-1.0f});
    EXPECT_EQ(Modulate(GainCurve::kFadeIn, {0.5f}), std::vector<float>{0.0f});
}

TEST(AmplitudeModulatorTest, ModulationFrequenciesInHertzDoNotDependOnTheRate) {
    struct Case {
        std::string name;
        GainCurve curve;
        int hertz;
        float lowest;  // the normalised gain swings from this to 1
    };
    const Case cases[] = {
        {"Tremolos", GainCurve::kTremolos, 10, 0.0f},
        {"Android", GainCurve::kAndroid, 200, -1.0f},
        {"Cyborg", GainCurve::kCyborg, 50, -1.0f},
        {"Hoarse", GainCurve::kHoarse, 50, 0.0f},
    };
    for (const Case& c : cases) {
        for (const std::uint32_t rate : {11025u, 22050u}) {
            SCOPED_TRACE(c.name + " at " + std::to_string(rate));
            const std::vector<float> out = Modulate(c.curve, std::vector<float>(rate, 0.75f), rate);
            const float middle = (c.lowest + 1.0f) / 2.0f;
            int rising = 0;
            for (std::size_t i = 1; i < out.size(); ++i) {
                rising += out[i - 1] < middle && out[i] >= middle;
            }
            EXPECT_NEAR(rising, c.hertz, 1);
            EXPECT_NEAR(*std::min_element(out.begin(), out.end()), c.lowest, 1e-3);
            EXPECT_EQ(*std::max_element(out.begin(), out.end()), 1.0f);
        }
    }
    EXPECT_EQ(Modulate(GainCurve::kAndroid, std::vector<float>(500, 0.0f)),
              std::vector<float>(500, 0.0f));
}

TEST(AmplitudeModulatorTest, ProgressAndMemoryFailure) {
    RoutineRun run;
    run.Run(RunAmplitudeModulator, std::vector<float>(1000, 0.5f), GainCurve::kFadeIn);
    ASSERT_EQ(run.host.percents.size(), 110u);
    EXPECT_EQ(run.host.percents.front(), 2u);
    EXPECT_EQ(run.host.percents.back(), 111u);

    const std::vector<float> input = {0.5f, -0.25f, 1.0f};
    RoutineRun failing;
    FailingAllocations noMemory;
    EXPECT_EQ(failing.Run(RunAmplitudeModulator, input, GainCurve::kFadeIn), input);
    EXPECT_EQ(failing.host.memoryMessages, 1);
    EXPECT_TRUE(failing.host.percents.empty());
}

}  // namespace
}  // namespace marvolin::effects
