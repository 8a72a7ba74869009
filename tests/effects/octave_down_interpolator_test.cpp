#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "effects/effect_frame.h"
#include "effects/effect_matrix.h"
#include "effects/routine_test_support.h"
#include "effects/routines.h"
#include "effects/sample_conversion.h"

namespace marvolin::effects {
namespace {

using testing::FailingAllocations;
using testing::RoutineRun;

TEST(OctaveDownInterpolatorTest, InsertsMeansAndEndsWithSilence) {
    RoutineRun run;
    const float mean = static_cast<float>((double(0.1f) + double(0.7f)) * 0.5);
    EXPECT_EQ(run.Run(RunOctaveDownInterpolator, {0.1f, 0.7f, -0.7f}),
              (std::vector<float>{0.1f, mean, 0.7f, 0.0f, -0.7f, 0.0f}));
    EXPECT_EQ(run.Run(RunOctaveDownInterpolator, {-1.0000305f, 1.0f}),
              (std::vector<float>{-1.0000305f, -0.0000152587890625f, 1.0f, 0.0f}));
    EXPECT_EQ(run.Run(RunOctaveDownInterpolator, {0.4f}), (std::vector<float>{0.4f, 0.0f}));
    EXPECT_TRUE(run.Run(RunOctaveDownInterpolator, {}).empty());
}

TEST(OctaveDownInterpolatorTest, CreatureThenMonsterFillsTheOddSamplesWithMeans) {
    formats::SoundBuffer sound;
    sound.Install({1000, 5, 3000, -7, -5000, 9, 20000});
    sound.sampleRate = 11025;
    formats::SoundBuffer undo;
    testing::RecordingHost host;
    RoutineMemory memory;
    for (const char* name : {"Aliens/Creature", "Aliens/Monster"}) {
        const auto effect = FindEffectByName(name);
        ASSERT_TRUE(effect);
        ASSERT_TRUE(
            ApplyEffect(sound, undo, effect->category, effect->clickedEffectButton, host, memory));
    }
    // An odd count loses its last sample; the frame lowers each even sample twice.
    auto twoPasses = [](std::int16_t sample) {
        return LeaveSample(EnterSample(LeaveSample(EnterSample(sample))));
    };
    ASSERT_EQ(sound.samples.size(), 6u);
    EXPECT_EQ(sound.samples[0], twoPasses(1000));
    EXPECT_EQ(sound.samples[2], twoPasses(3000));
    EXPECT_EQ(sound.samples[4], twoPasses(-5000));
    EXPECT_NEAR(sound.samples[1], (sound.samples[0] + sound.samples[2]) / 2.0, 1.0);
    EXPECT_NEAR(sound.samples[3], (sound.samples[2] + sound.samples[4]) / 2.0, 1.0);
    EXPECT_EQ(sound.samples[5], 0);
}

TEST(OctaveDownInterpolatorTest, TicksOncePerInputSampleAndKeepsTheSoundWithoutMemory) {
    RoutineRun run;
    EXPECT_EQ(run.Run(RunOctaveDownInterpolator, std::vector<float>(1000, 0.5f)).size(), 2000u);
    ASSERT_EQ(run.host.percents.size(), 110u);
    EXPECT_EQ(run.host.percents.back(), 111u);

    const std::vector<float> input = {0.3f, -0.9f};
    FailingAllocations failure;
    EXPECT_EQ(run.Run(RunOctaveDownInterpolator, input), input);
    EXPECT_EQ(run.host.memoryMessages, 1);
}

}  // namespace
}  // namespace marvolin::effects
