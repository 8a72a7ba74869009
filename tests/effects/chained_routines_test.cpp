#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "effects/effect_frame.h"
#include "effects/effect_matrix.h"
#include "effects/routine_test_support.h"
#include "formats/sound_buffer.h"

namespace marvolin::effects {
namespace {

// Effects whose routines run one after the other share one pass of the progress indicator:
// Cathedral and Tunnel (room reverberator, then echoes) and Vocoder (echoes twice).
TEST(ChainedRoutinesTest, RoomAndEchoesOrTwoEchoRunsShowOnePassOfProgress) {
    struct Case {
        const char* name;
        std::size_t added;  // at 22050 Hz
    };
    const Case cases[] = {
        {"Acoustics/Cathedral", 1055 + 52919 + 55125},  // latest reflection, reverberation, echoes
        {"Acoustics/Tunnel", 648 + 1496 + 22050},
        {"Robots/Vocoder", 2 * 1100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto effect = FindEffectByName(c.name);
        ASSERT_TRUE(effect);
        std::vector<std::int16_t> samples(30000);
        for (std::size_t i = 0; i < samples.size(); ++i) {
            samples[i] = static_cast<std::int16_t>(12000.0 * std::sin(0.05 * double(i)));
        }
        formats::SoundBuffer sound;
        sound.Install(std::move(samples));
        sound.sampleRate = 22050;
        formats::SoundBuffer undo;
        testing::RecordingHost host;
        RoutineMemory memory;
        ASSERT_TRUE(
            ApplyEffect(sound, undo, effect->category, effect->clickedEffectButton, host, memory));

        EXPECT_EQ(sound.sampleCount(), 30000 + c.added);
        const auto [low, high] = std::minmax_element(sound.samples.begin(), sound.samples.end());
        EXPECT_EQ(std::max(-int(*low), int(*high)), 32700);
        // A second click on the result shows one pass again.
        for (int click = 0; click < 2; ++click) {
            SCOPED_TRACE(click);
            const std::vector<std::uint32_t>& percents = host.percents;
            ASSERT_GE(percents.size(), 98u);
            EXPECT_EQ(percents.front(), 2u);
            EXPECT_EQ(percents.back(), 101u);
            EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
            EXPECT_EQ(std::count(percents.begin(), percents.end(), 52u),
                      1);  // the second half starts once
            host.percents.clear();
            ASSERT_TRUE(ApplyEffect(sound, undo, effect->category, effect->clickedEffectButton,
                                    host, memory));
        }
    }
}

}  // namespace
}  // namespace marvolin::effects
