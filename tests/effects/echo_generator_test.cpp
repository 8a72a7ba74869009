#include <gtest/gtest.h>

#include <algorithm>
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

std::vector<float> Echo(std::uint16_t category, std::uint16_t effect, std::vector<float> samples,
                        std::uint32_t rate = 22050) {
    RoutineRun run;
    run.category = category;
    run.effect = effect;
    run.sampleRate = rate;
    return run.Run(RunEchoGenerator, std::move(samples));
}

struct EchoCase {
    const char* name;
    std::uint16_t category;
    std::uint16_t effect;  // 0 for the first button
    int dryGain;
    bool curved;              // gains on an exponential curve down to 10
    std::vector<int> gains;   // of the taps, whole numbers
    std::vector<int> delays;  // milliseconds from one tap to the next
};

const std::vector<int> kFalling = {91, 82, 73, 64, 55, 46, 37, 28, 19, 10};
const std::vector<int> kFalling5 = {82, 64, 46, 28, 10};
const std::vector<int> kCurve5 = {50, 28, 18, 13, 11};

const EchoCase kEchoes[] = {
    {"Speed Up", 3, 0, 100, false, kFalling, {400, 357, 314, 270, 227, 184, 140, 97, 54, 10}},
    {"Classic", 3, 1, 100, true, kCurve5, std::vector<int>(5, 200)},
    {"Reverse", 3, 2, 1, false, {20, 40, 60, 80, 100}, std::vector<int>(5, 100)},
    {"Mountains", 3, 3, 100, false, kFalling5, std::vector<int>(5, 500)},
    {"Slow Down", 3, 4, 100, false, kFalling, {10, 53, 96, 140, 183, 226, 270, 313, 356, 400}},
    {"Cathedral", 0, 1, 100, false, kFalling5, std::vector<int>(5, 500)},
    {"Tunnel", 0, 4, 100, true, kCurve5, std::vector<int>(5, 200)},
    {"Electric",
     5,
     2,
     1,
     false,
     {5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80, 85, 90, 95, 100},
     std::vector<int>(20, 10)},
    {"Vocoder", 5, 4, 100, true, {70, 50, 37, 28, 22, 18, 15, 13, 12, 11}, std::vector<int>(10, 5)},
};

// At 1000 Hz a millisecond is a sample: an impulse comes back at each tap, and scaled back by
// the loudest gain it shows the tap's whole-number gain.
TEST(EchoGeneratorTest, AnImpulseComesBackAtEachTapWithItsTabulatedGain) {
    for (const EchoCase& c : kEchoes) {
        SCOPED_TRACE(c.name);
        const int taps = static_cast<int>(c.gains.size());
        for (int k = 0; k < taps; ++k) {  // the tables follow from the records' lines
            EXPECT_EQ(c.delays[k],
                      c.delays[0] + ((c.delays.back() - c.delays[0]) * k) / (taps - 1));
            const int lastGain = c.curved ? 10 : c.gains.back();
            const double gain =
                c.curved ? lastGain + (c.dryGain - lastGain) * std::exp(-4.0 * (k + 1) / taps)
                         : static_cast<float>(c.dryGain +
                                              (k + 1) * double(static_cast<float>(
                                                            double(lastGain - c.dryGain) / taps)));
            EXPECT_EQ(static_cast<int>(gain), c.gains[k]) << k;
        }

        const std::vector<float> out = Echo(c.category, c.effect, {1.0f}, 1000);
        const int tail = std::accumulate(c.delays.begin(), c.delays.end(), 0);
        ASSERT_EQ(out.size(), static_cast<std::size_t>(1 + tail));
        const float loudest =
            std::max(c.dryGain, *std::max_element(c.gains.begin(), c.gains.end()));
        std::vector<float> expected(out.size(), 0.0f);
        expected[0] = c.dryGain / loudest;
        for (int k = 0, at = 0; k < taps; ++k) {
            at += c.delays[k];
            expected[at] = c.gains[k] / loudest;
        }
        for (std::size_t i = 0; i < out.size(); ++i) {
            ASSERT_NEAR(out[i], expected[i], 1e-6) << i;
        }
    }
}

TEST(EchoGeneratorTest, LengthsAtTwentyTwoKilohertzDropTapsPastTheEnd) {
    struct Case {
        std::uint16_t category, effect;
        std::size_t added;
        float lastSample;  // of one sample of 1.0, times the loudest gain
    };
    const Case cases[] = {
        {3, 1, 22050, 11}, {3, 3, 55125, 10}, {3, 2, 11025, 100},  // Classic, Mountains, Reverse
        {3, 0, 45264, 0},  // Speed Up: its last tap, at 45268, is dropped
        {5, 2, 4400, 0},   // Electric: at 4410
        {5, 4, 1100, 0},   // Vocoder: at 1102
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.added);
        const std::vector<float> out = Echo(c.category, c.effect, {1.0f});
        ASSERT_EQ(out.size(), 1 + c.added);
        EXPECT_EQ(*std::max_element(out.begin(), out.end()), 1.0f);
        EXPECT_NEAR(out.back() * 100.0f, c.lastSample, 1e-4);
    }
    EXPECT_EQ(Echo(3, 1, {}), std::vector<float>(22050, 0.0f));  // silence of the tail's length
    EXPECT_EQ(Echo(3, 1, std::vector<float>(100, 0.0f)), std::vector<float>(22150, 0.0f));
}

// The halves of Tunnel, Cathedral and Vocoder are followed through the frame elsewhere.
TEST(EchoGeneratorTest, ProgressCountsEachTapOnItsOwn) {
    const std::vector<float> input(10000, 0.5f);
    RoutineRun classic;  // 5 taps of 20 calls
    classic.category = 3;
    classic.effect = 1;
    classic.Run(RunEchoGenerator, input);
    ASSERT_EQ(classic.host.percents.size(), 100u);
    EXPECT_EQ(classic.host.percents.front(), 2u);
    EXPECT_EQ(classic.host.percents.back(), 101u);

    RoutineRun shortSound;  // a step of 0 calls once per tap
    shortSound.category = 3;
    shortSound.Run(RunEchoGenerator, std::vector<float>(50, 0.5f));
    EXPECT_EQ(shortSound.host.percents.size(), 10u);
}

TEST(EchoGeneratorTest, WithoutMemoryTheSoundAndTheVocoderFlagStay) {
    const std::vector<float> input = {0.5f, -0.25f, 1.0f};
    RoutineRun run;
    run.category = 5;
    run.effect = 4;
    {
        FailingAllocations failing;
        EXPECT_EQ(run.Run(RunEchoGenerator, input), input);
    }
    EXPECT_EQ(run.host.memoryMessages, 1);
    EXPECT_FALSE(run.memory.vocoderHalf);
    EXPECT_TRUE(run.host.percents.empty());

    RoutineRun huge;  // Mountains at 4 GHz: longer than a sound can count
    huge.category = 3;
    huge.effect = 3;
    huge.sampleRate = 4000000000u;
    EXPECT_EQ(huge.Run(RunEchoGenerator, input), input);
    EXPECT_EQ(huge.host.memoryMessages, 1);
}

}  // namespace
}  // namespace marvolin::effects
