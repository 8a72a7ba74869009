#include "effects/effect_frame.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "effects/effect_matrix.h"
#include "effects/normalize_peak.h"
#include "effects/progress_tick.h"
#include "effects/routine_block.h"
#include "effects/routine_test_support.h"
#include "effects/sample_conversion.h"
#include "platform/allocation.h"

namespace marvolin::effects {
namespace {

using formats::SoundBuffer;
using platform::AllocationFailures;

using testing::RecordingHost;

SoundBuffer MakeSound(std::vector<std::int16_t> samples, std::uint32_t rate) {
    SoundBuffer sound;
    sound.Install(std::move(samples));
    sound.sampleRate = rate;
    return sound;
}

void ExpectSameSound(const SoundBuffer& actual, const SoundBuffer& expected) {
    EXPECT_EQ(actual.hasBlock, expected.hasBlock);
    EXPECT_EQ(actual.samples, expected.samples);
    EXPECT_EQ(actual.sampleRate, expected.sampleRate);
}

void DoubleLength(EffectContext& context) {
    std::vector<float>& samples = context.working.samples;
    samples.insert(samples.end(), samples.begin(), samples.end());
}

void Normalize(EffectContext& context) {
    NormalizePeak(context.working.samples);
}

void FailNextAllocation(EffectContext&) {
    AllocationFailures::FailNext(1);
}

class EffectFrameTest : public ::testing::Test {
  protected:
    void TearDown() override { AllocationFailures::Reset(); }

    bool Apply(std::span<const Routine> routines) {
        return ApplyRoutines(sound, undo, routines, host);
    }

    SoundBuffer sound;
    SoundBuffer undo;
    RecordingHost host;
    RoutineMemory memory;
};

TEST_F(EffectFrameTest, ConversionInAndOutLowersTheLevelAndTruncates) {
    struct Case {
        std::int16_t in;
        std::int16_t out;
    };
    const Case cases[] = {{32767, 32700}, {-32768, -32700}, {100, 99}, {-100, -99},
                          {2, 1},         {1, 0},           {-1, 0},   {0, 0}};
    std::vector<std::int16_t> input;
    std::vector<std::int16_t> expected;
    for (const Case& c : cases) {
        input.push_back(c.in);
        expected.push_back(c.out);
    }
    sound = MakeSound(input, 11025);

    ASSERT_TRUE(Apply({}));
    EXPECT_EQ(sound.samples, expected);
    EXPECT_EQ(sound.sampleRate, 11025u);
    EXPECT_EQ(EnterSample(32767), 1.0f);
    EXPECT_EQ(EnterSample(-32768), -1.0000305f);
}

TEST_F(EffectFrameTest, OutOfRangeResultsAreClampedAndNaNIsSilence) {
    sound = MakeSound({0, 0, 0, 0, 0, 0, 0}, 8000);
    static constexpr Routine kWriteExtremes[] = {[](EffectContext& context) {
        context.working.samples = {1.5f,
                                   -1.125f,
                                   1.0020f,
                                   -1.0020f,
                                   std::numeric_limits<float>::infinity(),
                                   -std::numeric_limits<float>::infinity(),
                                   std::numeric_limits<float>::quiet_NaN()};
    }};
    ASSERT_TRUE(Apply(kWriteExtremes));
    const std::vector<std::int16_t> expected = {32767, -32768, 32765, -32765, 32767, -32768, 0};
    EXPECT_EQ(sound.samples, expected);
}

TEST_F(EffectFrameTest, RoutinesRunInOrderAtTheSoundsRate) {
    sound = MakeSound({16384, -16384}, 16000);
    static std::vector<std::uint32_t> seen;
    seen.clear();
    static constexpr Routine kRecord[] = {[](EffectContext& context) {
        seen = {context.sampleRate, context.working.sampleCount()};
    }};
    const Routine routines[] = {DoubleLength, kRecord[0], Normalize};
    ASSERT_TRUE(Apply(routines));
    EXPECT_EQ(seen, (std::vector<std::uint32_t>{16000, 4}));
    // Normalised: the loudest sample comes out at exactly 32700.
    EXPECT_EQ(sound.samples, (std::vector<std::int16_t>{32700, -32700, 32700, -32700}));
}

TEST_F(EffectFrameTest, NormalisedSilenceStaysSilent) {
    sound = MakeSound({0, 0, 0}, 8000);
    const Routine routines[] = {Normalize};
    ASSERT_TRUE(Apply(routines));
    EXPECT_EQ(sound.samples, (std::vector<std::int16_t>{0, 0, 0}));
}

TEST_F(EffectFrameTest, TheOldSoundBlockMovesToUndoAndUndoAlternates) {
    sound = MakeSound({1000, 2000, 3000}, 8000);
    undo = MakeSound({7, 7}, 44100);  // left over from an earlier effect
    const std::int16_t* oldBlock = sound.samples.data();
    const SoundBuffer original = sound;

    const Routine routines[] = {DoubleLength};
    ASSERT_TRUE(Apply(routines));
    const SoundBuffer result = sound;
    EXPECT_EQ(result.sampleCount(), 6u);
    EXPECT_EQ(undo.samples.data(), oldBlock);  // handed over, not copied
    ExpectSameSound(undo, original);

    ExchangeSoundAndUndo(sound, undo);
    ExpectSameSound(sound, original);
    ExchangeSoundAndUndo(sound, undo);
    ExpectSameSound(sound, result);
    ExpectSameSound(undo, original);
}

TEST_F(EffectFrameTest, UndoAfterLoadingBringsBackTheOldSoundWithItsRate) {
    sound = MakeSound({500, -500}, 8000);
    sound.channelCount = 2;
    const SoundBuffer beforeEffect = sound;
    ASSERT_TRUE(ApplyEffect(sound, undo, 3, 9, host, memory));

    const SoundBuffer loaded = MakeSound({1, 2, 3, 4}, 44100);
    sound.Install(loaded.samples);
    sound.sampleRate = loaded.sampleRate;
    sound.channelCount = 1;

    ExchangeSoundAndUndo(sound, undo);
    ExpectSameSound(sound, beforeEffect);
    EXPECT_EQ(sound.channelCount, 1);  // stays with the sound
    ExchangeSoundAndUndo(sound, undo);
    ExpectSameSound(sound, loaded);
}

TEST_F(EffectFrameTest, AnEffectOnNoSoundGivesAnEmptyBlockAndAnUndoWithoutOne) {
    sound.sampleRate = 22050;
    ASSERT_FALSE(sound.hasBlock);
    ASSERT_TRUE(ApplyEffect(sound, undo, 7, 8, host, memory));  // Fade-in keeps the length
    EXPECT_TRUE(sound.hasBlock);
    EXPECT_EQ(sound.sampleCount(), 0u);
    EXPECT_FALSE(undo.hasBlock);
    EXPECT_EQ(undo.sampleRate, 22050u);
    EXPECT_EQ(host.memoryMessages, 0);
}

TEST_F(EffectFrameTest, MemoryFailureInTheFrameLeavesBothBuffersAlone) {
    struct Case {
        const char* name;
        bool failWorkingBuffer;  // otherwise the new sound block fails
    };
    for (const Case& c : {Case{"working buffer", true}, Case{"new sound block", false}}) {
        SCOPED_TRACE(c.name);
        sound = MakeSound({10, 20, 30}, 8000);
        undo = MakeSound({40, 50}, 16000);
        const SoundBuffer soundBefore = sound;
        const SoundBuffer undoBefore = undo;
        const std::int16_t* undoBlock = undo.samples.data();
        host = RecordingHost{};

        const Routine failLater[] = {FailNextAllocation};
        if (c.failWorkingBuffer) {
            AllocationFailures::FailNext(1);
        }
        const std::span<const Routine> routines =
            c.failWorkingBuffer ? std::span<const Routine>{} : std::span<const Routine>(failLater);
        EXPECT_FALSE(Apply(routines));
        EXPECT_EQ(host.memoryMessages, 1);
        ExpectSameSound(sound, soundBefore);
        ExpectSameSound(undo, undoBefore);
        EXPECT_EQ(undo.samples.data(), undoBlock);
        AllocationFailures::Reset();
    }
}

TEST_F(EffectFrameTest, ARoutineShortOfMemoryStillLetsTheEffectFinish) {
    sound = MakeSound({3000, -3000}, 8000);
    static constexpr Routine kTakeFailingBlock[] = {[](EffectContext& context) {
        AllocationFailures::FailNext(1);
        if (auto output = TakeRoutineBlock(context.host, 10)) {
            context.working.samples = std::move(*output);
        }
    }};
    ASSERT_TRUE(Apply(kTakeFailingBlock));
    EXPECT_EQ(host.memoryMessages, 1);
    EXPECT_EQ(sound.samples, (std::vector<std::int16_t>{2993, -2993}));
    EXPECT_EQ(undo.samples, (std::vector<std::int16_t>{3000, -3000}));
}

TEST_F(EffectFrameTest, AnUnknownEffectChangesNothing) {
    sound = MakeSound({1, 2}, 8000);
    EXPECT_FALSE(ApplyEffect(sound, undo, 8, 8, host, memory));
    EXPECT_FALSE(ApplyEffect(sound, undo, 0, 13, host, memory));
    EXPECT_EQ(sound.samples, (std::vector<std::int16_t>{1, 2}));
    EXPECT_FALSE(undo.hasBlock);
}

}  // namespace
}  // namespace marvolin::effects
