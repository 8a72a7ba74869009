#include "audio/silence_trimming.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/headless/headless_platform.h"

namespace marvolin::audio {
namespace {

using platform::MessageAnswer;

constexpr const char* kQuestion =
    "Marvolin found silence before and after your recording.\nDo you want to delete it?";

TEST(FindVoiceTest, TheVoiceRunsFromTheFirstToTheLastSampleReachingTheThreshold) {
    const std::vector<std::int16_t> samples{0, 1999, -1999, -2000, 5, 0, 2000, 1999, -3};
    const VoiceSpan voice = FindVoice(samples);
    EXPECT_EQ(voice.start, 3u);
    EXPECT_EQ(voice.end, 7u);

    // -32768 has a magnitude too, although it has no positive 16-bit counterpart.
    const std::vector<std::int16_t> lowest{0, -32768, 0};
    EXPECT_EQ(FindVoice(lowest).start, 1u);
    EXPECT_EQ(FindVoice(lowest).end, 2u);

    const std::vector<std::int16_t> quiet{1999, -1999, 0};
    EXPECT_LE(FindVoice(quiet).end, FindVoice(quiet).start);
    EXPECT_LE(FindVoice({}).end, FindVoice({}).start);
}

class TrimSilenceTest : public ::testing::Test {
  protected:
    void Trim(std::vector<std::int16_t> samples) {
        sound.Install(std::move(samples));
        TrimSilence(boxes, sound);
    }

    platform::headless::ScriptedMessageBoxes boxes;
    formats::SoundBuffer sound;
};

TEST_F(TrimSilenceTest, OkKeepsExactlyTheVoice) {
    boxes.answers = {MessageAnswer::Ok};
    Trim({0, 10, -2000, 7, 0, 32767, 3, 1});

    EXPECT_EQ(sound.samples, (std::vector<std::int16_t>{-2000, 7, 0, 32767}));
    EXPECT_TRUE(sound.hasBlock);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, kQuestion);
    EXPECT_EQ(boxes.shown[0].caption, "Warning");
    EXPECT_EQ(boxes.shown[0].icon, platform::MessageIcon::None);
    EXPECT_EQ(boxes.shown[0].buttons, platform::MessageButtons::OkCancel);
}

TEST_F(TrimSilenceTest, CancelKeepsTheWholeRecording) {
    boxes.answers = {MessageAnswer::Cancel};
    Trim({0, 2500, 0});
    EXPECT_EQ(sound.samples, (std::vector<std::int16_t>{0, 2500, 0}));
}

// The question comes whenever there is a voice, even when nothing would be cut.
TEST_F(TrimSilenceTest, AskedEvenWhenTheVoiceFillsTheRecording) {
    Trim({-32768, 0, 2000});
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, kQuestion);
    EXPECT_EQ(sound.samples, (std::vector<std::int16_t>{-32768, 0, 2000}));
}

TEST_F(TrimSilenceTest, NoVoiceIsAWarningAndTheSoundStaysWhole) {
    for (const std::vector<std::int16_t>& quiet :
         {std::vector<std::int16_t>{1999, -1999, 0}, std::vector<std::int16_t>{}}) {
        boxes.shown.clear();
        Trim(quiet);
        EXPECT_EQ(sound.samples, quiet);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, "No sound or insufficient sound level.");
        EXPECT_EQ(boxes.shown[0].caption, "Warning");
        EXPECT_EQ(boxes.shown[0].buttons, platform::MessageButtons::Ok);
    }
}

}  // namespace
}  // namespace marvolin::audio
