#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "../bench/speech_like.h"
#include "effects/effect_frame.h"
#include "effects/effect_matrix.h"
#include "effects/random_generator.h"
#include "effects/routine_test_support.h"
#include "effects/sample_conversion.h"

namespace marvolin::effects {
namespace {

int Peak(const std::vector<std::int16_t>& samples) {
    int peak = 0;
    for (const std::int16_t sample : samples) {
        peak = std::max(peak, std::abs(int{sample}));
    }
    return peak;
}

// Every button of every category changes a spoken sound audibly, at the usual rates, and
// keeps it loud: no effect is a silent or pass-through one.
TEST(EveryEffectTest, ChangesASpokenSoundAudibly) {
    OverrideClockSeed(1);
    for (const std::uint32_t rate : {8000u, 22050u, 44100u}) {
        const std::vector<std::int16_t> voice = bench::SpeechLike(2 * rate, rate);
        std::vector<std::int16_t> framePass;
        for (const std::int16_t sample : voice) {
            framePass.push_back(LeaveSample(EnterSample(sample)));
        }
        for (const EffectEntry& entry : EffectMatrix()) {
            SCOPED_TRACE(entry.FullName() + " at " + std::to_string(rate));
            formats::SoundBuffer sound;
            sound.Install(voice);
            sound.sampleRate = rate;
            formats::SoundBuffer undo;
            testing::RecordingHost host;
            RoutineMemory memory;
            ASSERT_TRUE(
                ApplyEffect(sound, undo, entry.category, entry.clickedEffectButton, host, memory));
            EXPECT_EQ(host.memoryMessages, 0);
            EXPECT_FALSE(host.percents.empty());
            EXPECT_NE(sound.samples, framePass);
            EXPECT_GT(Peak(sound.samples), 8000);
            EXPECT_EQ(sound.sampleRate, rate);
            EXPECT_EQ(undo.samples, voice);
        }
    }
    OverrideClockSeed(std::nullopt);
}

// Applies Echoes/Classic to `sound`; gives how often the memory message was shown.
int MemoryMessagesOfClassicEcho(formats::SoundBuffer& sound) {
    formats::SoundBuffer undo;
    testing::RecordingHost host;
    RoutineMemory memory;
    const std::optional<EffectEntry> classic = FindEffectByName("Echoes/Classic");
    EXPECT_TRUE(classic);
    if (!classic) {
        return -1;
    }
    EXPECT_TRUE(
        ApplyEffect(sound, undo, classic->category, classic->clickedEffectButton, host, memory));
    return host.memoryMessages;
}

// A file may declare any rate. At 4 GHz a one-second echo would need 16 GB of floats: the
// effect must refuse it with the memory message rather than take the machine's memory.
TEST(EveryEffectTest, AnAbsurdRateGetsTheMemoryMessage) {
    formats::SoundBuffer sound;
    sound.Install({1000, -1000, 500});
    sound.sampleRate = 4'000'000'000u;
    EXPECT_EQ(MemoryMessagesOfClassicEcho(sound), 1);
    EXPECT_EQ(sound.samples, (std::vector<std::int16_t>{997, -997, 498}));
}

// A 78-byte file may claim 270 MHz. No effect may then make a sound longer than the
// program's longest one: each either finishes within it or gives the memory message (once per
// routine of its chain that could not run) and keeps the sound.
TEST(EveryEffectTest, NoEffectOutgrowsTheLongestSound) {
    OverrideClockSeed(1);
    for (const EffectEntry& entry : EffectMatrix()) {
        SCOPED_TRACE(entry.FullName());
        formats::SoundBuffer sound;
        sound.Install({1000, -1000, 500, 20000, -3});
        sound.sampleRate = 270'000'000u;
        formats::SoundBuffer undo;
        testing::RecordingHost host;
        RoutineMemory memory;
        ASSERT_TRUE(
            ApplyEffect(sound, undo, entry.category, entry.clickedEffectButton, host, memory));
        EXPECT_LE(sound.sampleCount(), formats::kLongestSound);
        EXPECT_LE(host.memoryMessages, static_cast<int>(entry.routines.size()));
    }
    OverrideClockSeed(std::nullopt);
}

// At the usual rate too: an echo of the longest sound would outgrow it.
TEST(EveryEffectTest, AnEchoOfTheLongestSoundGetsTheMemoryMessage) {
    formats::SoundBuffer sound;
    sound.Install(std::vector<std::int16_t>(formats::kLongestSound, 100));
    sound.sampleRate = 44100;
    EXPECT_EQ(MemoryMessagesOfClassicEcho(sound), 1);
    EXPECT_EQ(sound.sampleCount(), formats::kLongestSound);
}

}  // namespace
}  // namespace marvolin::effects
