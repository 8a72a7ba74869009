#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "effects/routine_test_support.h"
#include "effects/routines.h"
#include "effects/two_pole_design.h"

namespace marvolin::effects {
namespace {

TEST(TwoPoleFilterTest, WorkedCoefficientsAndGainsAtZeroHertz) {
    const struct {
        std::uint32_t rate;
        TwoPoleType type;
        std::uint16_t frequency;
        float beta, gamma, alpha;
    } cases[] = {
        {22050, TwoPoleType::kLowPass, 3000, 0.472287f, 0.638139f, 0.083537f},
        {22050, TwoPoleType::kHighPass, 5000, 0.472287f, 0.141487f, 0.278443f},
        {11025, TwoPoleType::kLowPass, 3000, 0.446027f, -0.130994f, 0.269255f},
        {11025, TwoPoleType::kHighPass, 5000, 0.446027f, -0.905961f, 0.010016f},
        {8000, TwoPoleType::kHighPass, 5000, 0.427040f, -0.655517f, 0.067881f},
    };
    for (const auto& c : cases) {
        const TwoPoleCoefficients k = DesignTwoPole(c.type, c.frequency, 200, c.rate);
        EXPECT_NEAR(k.beta, c.beta, 1e-6) << c.rate;
        EXPECT_NEAR(k.gamma, c.gamma, 1e-6) << c.rate;
        EXPECT_NEAR(k.alpha, c.alpha, 1e-6) << c.rate;
    }
    // 2 alpha (1 + b1 + b2) / (1 - 2 gamma + 2 beta): low-pass and band-stop pass 0 Hz.
    const TwoPoleType types[] = {TwoPoleType::kLowPass, TwoPoleType::kHighPass,
                                 TwoPoleType::kBandPass, TwoPoleType::kBandStop};
    const double gains[] = {1.0, 0.0, 0.0, 1.0};
    for (int t = 0; t < 4; ++t) {
        const TwoPoleCoefficients k = DesignTwoPole(types[t], 1000, 300, 22050);
        EXPECT_NEAR(2.0 * k.alpha * (1.0 + k.b1 + k.b2) / (1.0 - 2.0 * k.gamma + 2.0 * k.beta),
                    gains[t], 1e-6);
    }
    // A bandwidth too wide for the frequency would give a negative beta.
    EXPECT_EQ(DesignTwoPole(TwoPoleType::kLowPass, 3000, 60000, 22050).beta, 0.00000001f);
}

TEST(TwoPoleFilterTest, ConstantInputProgressAndMemoryFailure) {
    testing::RoutineRun run;
    // The first output is 2 alpha x, the settled ones x (gain 1), over the same peak.
    const std::vector<float> low =
        run.Run(RunTwoPoleFilter, std::vector<float>(4000, 0.5f), kLowPassAt3000Hz);
    ASSERT_EQ(low.size(), 4000u);
    EXPECT_NEAR(low.front() / low.back(), 2.0 * 0.083537, 1e-5);

    // High-pass settles at 0.
    EXPECT_NEAR(run.Run(RunTwoPoleFilter, std::vector<float>(4000, 0.5f), kHighPassAt5000Hz).back(),
                0.0, 1e-6);
    run.host.percents.clear();
    EXPECT_EQ(run.Run(RunTwoPoleFilter, std::vector<float>(99), kHighPassAt5000Hz),
              std::vector<float>(99));
    EXPECT_EQ(run.host.percents, std::vector<std::uint32_t>{2});  // step 0: one tick

    const std::vector<float> samples(300, 0.25f);
    testing::FailingAllocations failing;
    EXPECT_EQ(run.Run(RunTwoPoleFilter, samples, kHighPassAt5000Hz), samples);
    EXPECT_EQ(run.host.memoryMessages, 1);
}

}  // namespace
}  // namespace marvolin::effects
