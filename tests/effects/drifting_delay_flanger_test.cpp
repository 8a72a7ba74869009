#include "effects/drifting_delay_flanger.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "effects/effect_frame.h"
#include "effects/effect_matrix.h"
#include "effects/routine_test_support.h"
#include "effects/routines.h"
#include "effects/sample_conversion.h"

namespace marvolin::effects {
namespace {

using testing::RecordingHost;
using testing::RoutineRun;

TEST(DriftingDelayFlangerTest, TheSweepPeriodIsOneSampleShortOfAFifthOfASecond) {
    struct Case {
        std::uint32_t rate;
        std::uint32_t period;
    };
    const Case cases[] = {{8000, 1599},  {11025, 2204}, {16000, 3199},
                          {22050, 4409}, {32000, 6399}, {44100, 8819}};
    for (const Case& c : cases) {
        EXPECT_EQ(FlangerSweep(c.rate).period(), c.period);
        EXPECT_EQ(c.rate / 5 - 1, c.period);
    }
}

TEST(DriftingDelayFlangerTest, OffsetsSwingByHalfAMillisecondThenDrift) {
    const FlangerSweep sweep(22050);
    EXPECT_EQ(sweep.OffsetAt(0), -11);
    EXPECT_EQ(sweep.OffsetAt(2204), 11);
    EXPECT_EQ(sweep.OffsetAt(4409), -11);
    EXPECT_EQ(sweep.OffsetAt(44099), -408);  // the end of a 2-second sound

    const FlangerSweep slow(8000);
    std::int64_t lowest = 0;
    std::int64_t highest = 0;
    for (std::uint32_t i = 0; i < slow.period(); ++i) {
        lowest = std::min(lowest, slow.OffsetAt(i).value());
        highest = std::max(highest, slow.OffsetAt(i).value());
    }
    EXPECT_EQ(lowest, -4);
    EXPECT_EQ(highest, 4);

    // At 5 Hz and below there is no period: no offset rather than a division by zero.
    EXPECT_FALSE(FlangerSweep(5).OffsetAt(0));
    EXPECT_FALSE(FlangerSweep(0).OffsetAt(7));
    EXPECT_TRUE(FlangerSweep(6).OffsetAt(7));
}

TEST(DriftingDelayFlangerTest, MixesTheSoundWithItsCopyAndNormalises) {
    RoutineRun run;
    std::vector<float> impulse(100, 0.0f);
    impulse[11] = 0.5f;
    // The copy leads by 11 samples at the start, so the impulse is heard at 0 and at 11.
    const std::vector<float> out = run.Run(RunDriftingDelayFlanger, impulse, kWholeProgress);
    std::vector<float> expected(100, 0.0f);
    expected[0] = 1.0f;
    expected[11] = 1.0f;
    EXPECT_EQ(out, expected);

    EXPECT_EQ(run.Run(RunDriftingDelayFlanger, std::vector<float>(50, 0.0f), kWholeProgress),
              std::vector<float>(50, 0.0f));
    EXPECT_TRUE(run.Run(RunDriftingDelayFlanger, {}, kWholeProgress).empty());

    // Without a sweep (1 Hz) or with a copy far outside the sound (4 GHz), only the sound.
    for (const std::uint32_t rate : {1u, 4000000000u}) {
        run.sampleRate = rate;
        EXPECT_EQ(run.Run(RunDriftingDelayFlanger, {0.5f, -0.25f}, kWholeProgress),
                  (std::vector<float>{1.0f, -0.5f}));
    }
}

TEST(DriftingDelayFlangerTest, TheCopyRunsOutAboutOnePercentBeforeTheEnd) {
    for (const std::uint32_t rate : {8000u, 22050u, 44100u}) {
        SCOPED_TRACE(rate);
        RoutineRun run;
        run.sampleRate = rate;
        const std::uint32_t n = 2 * rate;
        const std::vector<float> out =
            run.Run(RunDriftingDelayFlanger, std::vector<float>(n, 0.4f), kWholeProgress);
        // Sound and copy add up to the peak; where the copy is gone, half of it remains.
        const auto dryStart = std::find(out.begin(), out.end(), 0.5f);
        ASSERT_NE(dryStart, out.end());
        EXPECT_TRUE(std::all_of(out.begin(), dryStart, [](float v) { return v == 1.0f; }));
        EXPECT_TRUE(std::all_of(dryStart, out.end(), [](float v) { return v == 0.5f; }));
        const double dryShare = double(out.end() - dryStart) / n;
        EXPECT_GT(dryShare, 0.008);
        EXPECT_LT(dryShare, 0.010);
    }
}

class FlangerThroughTheFrameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (std::int32_t i = 0; i < 3300; ++i) {
            input.push_back(static_cast<std::int16_t>((i * 7919) % 20000 - 10000));
        }
        sound.Install(input);
        sound.sampleRate = 22050;
    }

    bool ApplyFlanger() {
        const auto flanger = FindEffectByName("Transmissions/Flanger");
        return flanger && ApplyEffect(sound, undo, flanger->category, flanger->clickedEffectButton,
                                      host, memory);
    }

    std::vector<std::int16_t> input;
    formats::SoundBuffer sound;
    formats::SoundBuffer undo;
    RecordingHost host;
    RoutineMemory memory;
};

TEST_F(FlangerThroughTheFrameTest, ThreeRunsShareOneProgressDisplay) {
    ASSERT_TRUE(ApplyFlanger());
    std::vector<std::uint32_t> expected;
    for (std::uint32_t percent = 2; percent <= 100; ++percent) {
        expected.push_back(percent);
    }
    EXPECT_EQ(host.percents, expected);  // step 100: 2..34, 35..67, 68..100

    // The same as the routine run three times in a row on the entered sound.
    RoutineRun run;
    std::vector<float> working;
    for (const std::int16_t sample : input) {
        working.push_back(EnterSample(sample));
    }
    for (int pass = 0; pass < 3; ++pass) {
        working = run.Run(RunDriftingDelayFlanger, working, kWholeProgress);
    }
    std::vector<std::int16_t> left;
    for (const float sample : working) {
        left.push_back(LeaveSample(sample));
    }
    EXPECT_EQ(sound.samples, left);

    host.percents.clear();
    ASSERT_TRUE(ApplyFlanger());  // and the next click the same again
    EXPECT_EQ(host.percents, expected);
}

// A run short of memory leaves the sound to the others and its third of the display out;
// the sound itself is kept only when the frame's own blocks cannot be had.
TEST_F(FlangerThroughTheFrameTest, ARunWithoutMemoryLeavesItsThirdOut) {
    bool applied = false;
    int runsShort = 0;
    testing::FailEachAllocationInTurn(
        [&] {
            sound.Install(input);
            undo = formats::SoundBuffer{};
            host = RecordingHost{};
            applied = ApplyFlanger();
        },
        [&](int) {
            EXPECT_EQ(host.memoryMessages, 1);
            if (!applied) {
                EXPECT_EQ(sound.samples, input);
                return;
            }
            ++runsShort;
            ASSERT_EQ(host.percents.size(), 66u);
            EXPECT_TRUE(std::is_sorted(host.percents.begin(), host.percents.end()));
            const std::uint32_t missing =  // the first percent of the third left out
                host.percents[0] != 2     ? 2
                : host.percents[33] != 35 ? 35
                                          : 68;
            for (std::uint32_t k = 0; k < 33; ++k) {
                EXPECT_EQ(std::count(host.percents.begin(), host.percents.end(), missing + k), 0);
            }
            EXPECT_EQ(undo.samples, input);
        });
    EXPECT_EQ(runsShort, 3);
}

}  // namespace
}  // namespace marvolin::effects
