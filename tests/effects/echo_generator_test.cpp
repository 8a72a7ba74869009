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

std::vector<float> Echo(const EchoRecord& record, std::vector<float> samples,
                        std::uint32_t rate = 22050) {
    RoutineRun run = RoutineRun::AtRate(rate);
    return run.Run(RunEchoGenerator, std::move(samples), record, kWholeProgress);
}

struct EchoCase {
    const char* name;
    const EchoRecord& record;
    int dryGain;
    std::vector<int> gains;   // of the taps, whole numbers
    std::vector<int> delays;  // milliseconds from one tap to the next
};

const std::vector<int> kFalling = {91, 82, 73, 64, 55, 46, 37, 28, 19, 10};
const std::vector<int> kFalling5 = {82, 64, 46, 28, 10};
const std::vector<int> kCurve5 = {50, 28, 18, 13, 11};

const EchoCase kEchoes[] = {
    {"Speed Up", kSpeedUpEchoes, 100, kFalling, {400, 357, 314, 270, 227, 184, 140, 97, 54, 10}},
    {"Classic", kClassicEchoes, 100, kCurve5, std::vector<int>(5, 200)},
    {"Reverse", kReverseEchoes, 1, {20, 40, 60, 80, 100}, std::vector<int>(5, 100)},
    {"Mountains", kMountainEchoes, 100, kFalling5, std::vector<int>(5, 500)},
    {"Slow Down", kSlowDownEchoes, 100, kFalling, {10, 53, 96, 140, 183, 226, 270, 313, 356, 400}},
    {"Cathedral", kMountainEchoes, 100, kFalling5, std::vector<int>(5, 500)},
    {"Tunnel", kClassicEchoes, 100, kCurve5, std::vector<int>(5, 200)},
    {"Electric",
     kElectricEchoes,
     1,
     {5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80, 85, 90, 95, 100},
     std::vector<int>(20, 10)},
    {"Vocoder",
     kVocoderEchoes,
     100,
     {70, 50, 37, 28, 22, 18, 15, 13, 12, 11},
     std::vector<int>(10, 5)},
};

// At 1000 Hz a millisecond is a sample: an impulse comes back at each tap, and scaled back by
// the loudest gain it shows the tap's whole-number gain.
TEST(EchoGeneratorTest, AnImpulseComesBackAtEachTapWithItsTabulatedGain) {
    for (const EchoCase& c : kEchoes) {
        SCOPED_TRACE(c.name);
        const int taps = static_cast<int>(c.gains.size());
        const std::vector<float> out = Echo(c.record, {1.0f}, 1000);
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
        const EchoRecord& record;
        std::size_t added;
        float lastSample;  // of one sample of 1.0, times the loudest gain
    };
    const Case cases[] = {
        {kClassicEchoes, 22050, 11}, {kMountainEchoes, 55125, 10}, {kReverseEchoes, 11025, 100},
        {kSpeedUpEchoes, 45264, 0},  // its last tap, at 45268, is dropped
        {kElectricEchoes, 4400, 0},  // at 4410
        {kVocoderEchoes, 1100, 0},   // at 1102
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.added);
        const std::vector<float> out = Echo(c.record, {1.0f});
        ASSERT_EQ(out.size(), 1 + c.added);
        EXPECT_EQ(*std::max_element(out.begin(), out.end()), 1.0f);
        EXPECT_NEAR(out.back() * 100.0f, c.lastSample, 1e-4);
    }
    EXPECT_EQ(Echo(kClassicEchoes, {}),
              std::vector<float>(22050, 0.0f));  // silence of the tail's length
    EXPECT_EQ(Echo(kClassicEchoes, std::vector<float>(100, 0.0f)), std::vector<float>(22150, 0.0f));
}

// The halves of Tunnel, Cathedral and Vocoder are followed through the frame elsewhere.
TEST(EchoGeneratorTest, ProgressCountsEachTapOnItsOwn) {
    const std::vector<float> input(10000, 0.5f);
    RoutineRun classic;  // 5 taps of 20 calls
    classic.Run(RunEchoGenerator, input, kClassicEchoes, kWholeProgress);
    ASSERT_EQ(classic.host.percents.size(), 100u);
    EXPECT_EQ(classic.host.percents.front(), 2u);
    EXPECT_EQ(classic.host.percents.back(), 101u);

    RoutineRun secondHalf;  // 5 taps of 10 calls, counting on from 51
    secondHalf.Run(RunEchoGenerator, input, kClassicEchoes, kSecondHalfOfProgress);
    ASSERT_EQ(secondHalf.host.percents.size(), 50u);
    EXPECT_EQ(secondHalf.host.percents.front(), 52u);
    EXPECT_EQ(secondHalf.host.percents.back(), 101u);

    RoutineRun shortSound;  // a step of 0 calls once per tap
    shortSound.Run(RunEchoGenerator, std::vector<float>(50, 0.5f), kSpeedUpEchoes, kWholeProgress);
    EXPECT_EQ(shortSound.host.percents.size(), 10u);
}

TEST(EchoGeneratorTest, WithoutMemoryTheSoundStays) {
    const std::vector<float> input = {0.5f, -0.25f, 1.0f};
    RoutineRun run;
    std::vector<float> out;
    const int points = testing::FailEachAllocationInTurn(
        [&] {
            run = RoutineRun{};
            out = run.Run(RunEchoGenerator, input, kVocoderEchoes, kFirstHalfOfProgress);
        },
        [&](int) {
            EXPECT_EQ(out, input);
            EXPECT_EQ(run.host.memoryMessages, 1);
            EXPECT_TRUE(run.host.percents.empty());
        });
    EXPECT_GE(points, 1);

    RoutineRun huge;  // Mountains at 4 GHz: longer than a sound can count
    huge.sampleRate = 4000000000u;
    EXPECT_EQ(huge.Run(RunEchoGenerator, input, kMountainEchoes, kWholeProgress), input);
    EXPECT_EQ(huge.host.memoryMessages, 1);
}

}  // namespace
}  // namespace marvolin::effects
