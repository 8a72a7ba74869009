#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "effects/random_generator.h"
#include "effects/routine_test_support.h"
#include "effects/routines.h"

namespace marvolin::effects {
namespace {

testing::RoutineRun MixUpAt(std::uint32_t rate) {
    return testing::RoutineRun::AtRate(rate);
}

// A voice-like test sound: a few tones that change loudness.
std::vector<float> Voice(std::size_t count) {
    std::vector<float> samples(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i);
        samples[i] = static_cast<float>(0.6 * std::sin(t * 0.031) * std::sin(t * 0.0007) +
                                        0.3 * std::sin(t * 0.17));
    }
    return samples;
}

// Where the silence at the end of a sound begins.
std::size_t SilentTailStart(const std::vector<float>& samples) {
    std::size_t end = samples.size();
    while (end > 0 && samples[end - 1] == 0.0f) {
        --end;
    }
    return end;
}

TEST(PieceShufflerTest, OneSecondAt22050HzGivesTenPiecesPerLayerAndAFullScalePeak) {
    auto run = MixUpAt(22050);
    const auto out = run.Run(RunPieceShuffler, Voice(22050));
    ASSERT_EQ(out.size(), 22138u);  // 4 ms longer; the last 88 samples stay silent
    EXPECT_EQ(SilentTailStart(out), 22050u);
    const auto loudest = std::max_element(
        out.begin(), out.end(), [](float a, float b) { return std::fabs(a) < std::fabs(b); });
    EXPECT_EQ(std::fabs(*loudest), 1.0f);
    // Step 884 over 5 x 10 x 2205 ticks.
    EXPECT_EQ(run.host.percents.size(), 124u);
    EXPECT_EQ(run.host.percents.back(), 125u);
}

TEST(PieceShufflerTest, ReseedsWithOneSoTwoRunsGiveTheSameResult) {
    const auto input = Voice(30000);
    auto first = MixUpAt(22050);
    SeedRandom(777);
    const auto once = first.Run(RunPieceShuffler, input);
    const int afterFirst = NextRandom();

    auto second = MixUpAt(22050);
    SeedRandom(12345);
    EXPECT_EQ(second.Run(RunPieceShuffler, input), once);

    // Per layer, one draw per piece cut plus the refused one and two per piece placed:
    // 13 pieces of 2205 end before 30 088, so 5 x (14 + 26) draws.
    SeedRandom(1);
    for (int i = 0; i < 5 * (14 + 26); ++i) {
        NextRandom();
    }
    EXPECT_EQ(afterFirst, NextRandom());
}

TEST(PieceShufflerTest, EachSampleIsBentByItsOwnValue) {
    // Only one piece fits, so every layer lays it: the gains scale all samples alike and
    // only the curve of each value stays after normalisation.
    auto run = MixUpAt(1000);  // pieces of 100 samples, 4 samples longer
    std::vector<float> input(150, 0.0f);
    input[10] = 1.0f;
    input[11] = -0.5f;
    input[12] = 0.1f;
    const auto out = run.Run(RunPieceShuffler, input);
    ASSERT_EQ(out.size(), 154u);
    EXPECT_EQ(SilentTailStart(out), 100u);
    auto curve = [](double x) {
        const double c = std::sin(x / 100 * double(6.2831855f) - double(1.5707963f)) + 1;
        return x < 0 ? -c : c;
    };
    EXPECT_EQ(out[10], 1.0f);
    EXPECT_NEAR(out[11], curve(-0.5) / curve(1.0), 1e-6);
    EXPECT_NEAR(out[12], curve(0.1) / curve(1.0), 1e-6);
    EXPECT_NEAR(out[11], -0.25f, 1e-3);  // roughly the square, with the sign kept
    EXPECT_NEAR(out[12], 0.01f, 1e-4);
}

TEST(PieceShufflerTest, PiecesReachingPastTheEndReadSilenceThere) {
    // The second piece ends 10 samples past a 4400-sample input. Padded with those 10
    // zeros, the input is cut into the same pieces with the same draws.
    const auto input = Voice(4400);
    auto padded = input;
    padded.resize(4410, 0.0f);
    auto shortRun = MixUpAt(22050);
    auto paddedRun = MixUpAt(22050);
    const auto out = shortRun.Run(RunPieceShuffler, input);
    const auto reference = paddedRun.Run(RunPieceShuffler, padded);
    ASSERT_EQ(out.size(), 4488u);
    EXPECT_EQ(SilentTailStart(out), 4410u);
    EXPECT_EQ(out, std::vector<float>(reference.begin(), reference.begin() + 4488));
}

TEST(PieceShufflerTest, SoundsWithoutAWholePieceBecomeSilence) {
    struct Case {
        std::uint32_t rate;
        std::size_t count, length;
    };
    // The output is at most one 100 ms piece long, so nothing is cut.
    const Case cases[] = {{22050, 0, 88}, {22050, 2117, 2205}, {1000, 1, 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        auto run = MixUpAt(c.rate);
        EXPECT_EQ(run.Run(RunPieceShuffler, Voice(c.count)), std::vector<float>(c.length, 0.0f));
        EXPECT_TRUE(run.host.percents.empty());
    }
}

TEST(PieceShufflerTest, KeepsTheSoundWhenShortOfMemoryOrOfSamplesPerPiece) {
    const auto input = Voice(10000);
    auto run = MixUpAt(22050);
    std::vector<float> out;
    const int points = testing::FailEachAllocationInTurn(
        [&] {
            run = MixUpAt(22050);
            out = run.Run(RunPieceShuffler, input);
        },
        [&](int) {
            EXPECT_EQ(out, input);
            EXPECT_EQ(run.host.memoryMessages, 1);
            EXPECT_TRUE(run.host.percents.empty());
        });
    EXPECT_GE(points, 1);
    auto slow = MixUpAt(9);  // below 10 Hz a piece holds no sample
    EXPECT_EQ(slow.Run(RunPieceShuffler, input), input);
}

}  // namespace
}  // namespace marvolin::effects
