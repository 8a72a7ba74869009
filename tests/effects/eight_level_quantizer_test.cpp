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

TEST(EightLevelQuantizerTest, EachStepGivesTheLevelInItsMiddle) {
    struct Case {
        float in;
        float out;
    };
    const Case cases[] = {
        {0.0f, 0.125f},
        {-0.0f, 0.125f},
        {1e-30f, 0.125f},
        {0.25f, 0.125f},
        {0.2500001f, 0.375f},
        {0.5f, 0.375f},
        {0.75f, 0.625f},
        {0.7500001f, 0.875f},
        {1.0f, 0.875f},
        {-1e-30f, -0.125f},
        {-0.25f, -0.125f},
        {-0.2500001f, -0.375f},
        {-0.75f, -0.625f},
        {-0.7500001f, -0.875f},
        {EnterSample(-32767), -0.875f},
        {EnterSample(-32768), -1.125f},
    };
    std::vector<float> input;
    std::vector<float> expected;
    for (const Case& c : cases) {
        input.push_back(c.in);
        expected.push_back(c.out);
    }
    RoutineRun run;
    EXPECT_EQ(run.Run(RunEightLevelQuantizer, input), expected);
}

TEST(EightLevelQuantizerTest, ThroughTheFrameSilenceHumsAndTheLowestSampleIsClamped) {
    formats::SoundBuffer sound;
    sound.Install({0, 0, -32768, 32767, 9000});
    sound.sampleRate = 8000;
    formats::SoundBuffer undo;
    testing::RecordingHost host;
    RoutineMemory memory;
    const auto interference = FindEffectByName("Transmissions/Interference");
    ASSERT_TRUE(interference);
    ASSERT_TRUE(ApplyEffect(sound, undo, interference->category, interference->clickedEffectButton,
                            host, memory));
    // 0.125 x 32700 = 4087.5, -1.125 x 32700 clamps, 0.875 x 32700 = 28612.5, 0.375 x 32700.
    EXPECT_EQ(sound.samples, (std::vector<std::int16_t>{4087, 4087, -32768, 28612, 12262}));
}

TEST(EightLevelQuantizerTest, TicksOncePerSampleAndKeepsTheSoundWithoutMemory) {
    RoutineRun run;
    EXPECT_EQ(run.Run(RunEightLevelQuantizer, std::vector<float>(1000, 0.3f)).size(), 1000u);
    ASSERT_EQ(run.host.percents.size(), 110u);
    EXPECT_EQ(run.host.percents.back(), 111u);

    const std::vector<float> input = {0.3f, -0.9f};
    FailingAllocations failure;
    EXPECT_EQ(run.Run(RunEightLevelQuantizer, input), input);
    EXPECT_EQ(run.host.memoryMessages, 1);
}

}  // namespace
}  // namespace marvolin::effects
