#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "effects/random_generator.h"
#include "effects/resonator_sweep.h"
#include "effects/routine_test_support.h"
#include "effects/routines.h"

namespace marvolin::effects {
namespace {

TEST(SweptResonatorTest, WorkedCoefficientsAndSweeps) {
    const struct {
        std::uint32_t rate, bandwidth;
        double p, c1, c2;  // c1 for a 1000 Hz centre
    } cases[] = {
        {22050, 200, 0.971907, 1.865430, -0.944603},
        {22050, 100, 0.985853, 1.892198, -0.971907},
        {22050, 10, 0.998576, 1.916618, -0.997155},
        {11025, 10, 0.997155, 1.679115, -0.994317},
    };
    for (const auto& c : cases) {
        const double p = ResonatorPoleRadius(c.bandwidth, c.rate);
        EXPECT_NEAR(p, c.p, 1e-6) << c.bandwidth;
        EXPECT_NEAR(2.0 * p * std::cos(1000.0 * RadiansPerHertz(c.rate)), c.c1, 1e-6);
        EXPECT_NEAR(-p * p, c.c2, 1e-6);
    }
    const ResonatorSweep opening({1000, 400, 100, SweepShape::kFallingFromTop}, 10000, 22050);
    EXPECT_NEAR(opening.CentreAt(0), 5000.0, 1e-9);
    EXPECT_NEAR(opening.CentreAt(9999), 1003.65, 0.01);
    const ResonatorSweep underWater({1000, 200, 200, SweepShape::kTenHertzWobble}, 10000, 22050);
    EXPECT_EQ(underWater.CentreAt(0), 1000.0);
    EXPECT_NEAR(underWater.CentreAt(551), 3000.0, 0.1);  // a quarter of the 100 ms cycle
    EXPECT_EQ(underWater.CentreAt(1654), 0.0);           // three quarters: held at 0 Hz
}

// The frequency a narrow resonance rings at: half the zero crossings per second.
double RingingFrequency(const std::vector<float>& out, std::size_t from) {
    int crossings = 0;
    for (std::size_t i = from + 1; i < from + 1000; ++i) {
        crossings += (out[i - 1] < 0.0f) != (out[i] < 0.0f);
    }
    return crossings * 22050.0 / 2000.0;
}

TEST(SweptResonatorTest, OpeningGlidesDownAndClosingUp) {
    SeedRandom(7);
    std::vector<float> noise(22050);
    for (float& sample : noise) {
        sample = static_cast<float>(NextRandom()) / 16384.0f - 1.0f;
    }
    testing::RoutineRun run;
    const std::vector<float> opening = run.Run(RunSweptResonator, noise, kOpeningSweep);
    const std::vector<float> closing = run.Run(RunSweptResonator, noise, kClosingSweep);
    ASSERT_EQ(opening.size(), noise.size());
    EXPECT_NEAR(RingingFrequency(opening, 0), 4400, 400);
    EXPECT_NEAR(RingingFrequency(opening, 21000), 1050, 150);
    EXPECT_NEAR(RingingFrequency(closing, 0), 1050, 150);
    EXPECT_NEAR(RingingFrequency(closing, 21000), 4400, 400);
}

TEST(SweptResonatorTest, ImpulseFeedbackLimitProgressAndMemoryFailure) {
    testing::RoutineRun run;
    std::vector<float> impulse(2000);
    impulse[0] = 1.0f;
    const std::vector<float> out = run.Run(RunSweptResonator, impulse, kFixedResonance);
    EXPECT_NEAR(out[1] / out[0], 1.916618, 1e-6);  // y0 = g x0, y1 = c1 y0
    // An output beyond 100000 feeds back as +100000 whatever its sign.
    impulse[0] = -1e9f;
    const std::vector<float> loud = run.Run(RunSweptResonator, impulse, kFixedResonance);
    EXPECT_LT(loud[0], 0.0f);
    EXPECT_GT(loud[1], 0.0f);

    run.host.percents.clear();
    EXPECT_EQ(run.Run(RunSweptResonator, std::vector<float>(99), kUnderWaterWobble),
              std::vector<float>(99));
    EXPECT_EQ(run.host.percents, std::vector<std::uint32_t>{2});  // step 0: one tick
    const std::vector<float> samples(300, 0.25f);
    testing::FailingAllocations failing;
    EXPECT_EQ(run.Run(RunSweptResonator, samples, kUnderWaterWobble), samples);
    EXPECT_EQ(run.host.memoryMessages, 1);
}

}  // namespace
}  // namespace marvolin::effects

namespace marvolin::effects {
namespace {

// Long sweeps work their coefficients out ahead on both cores; without memory for that table
// they are worked out as the filter goes, and the sound must come out the same either way.
TEST(SweptResonatorTest, CoefficientsWorkedOutAheadGiveTheSameSound) {
    std::vector<float> input(100000);
    SeedRandom(3);
    for (float& sample : input) {
        sample = static_cast<float>(NextRandom() - 16384) / 16384.0f;
    }
    for (const ResonatorRecord* sweep : {&kOpeningSweep, &kUnderWaterWobble}) {
        testing::RoutineRun full;
        const std::vector<float> ahead = full.Run(RunSweptResonator, input, *sweep);
        EXPECT_NE(ahead, input);
        // Without the output block the sound stays; without the table alone it comes out
        // the same as worked out ahead.
        testing::RoutineRun run;
        std::vector<float> out;
        int withoutTableOnly = 0;
        testing::FailEachAllocationInTurn(
            [&] {
                run = testing::RoutineRun{};
                out = run.Run(RunSweptResonator, input, *sweep);
            },
            [&](int) {
                if (run.host.memoryMessages == 0) {
                    ++withoutTableOnly;
                    EXPECT_EQ(out, ahead);
                } else {
                    EXPECT_EQ(run.host.memoryMessages, 1);
                    EXPECT_EQ(out, input);
                }
            });
        EXPECT_EQ(withoutTableOnly, 1);
    }
}

}  // namespace
}  // namespace marvolin::effects
