#include "formats/load_sound_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/headless/headless_platform.h"
#include "support/test_files.h"

namespace marvolin::formats {
namespace {

// A two-sample mono 16-bit WAV file at 11025 Hz.
std::vector<std::uint8_t> SmallWav() {
    return testing::Bytes()
        .Tag("RIFF")
        .U32LE(40)
        .Tag("WAVE")
        .Tag("fmt ")
        .U32LE(16)
        .U16LE(1)
        .U16LE(1)
        .U32LE(11025)
        .U32LE(22050)
        .U16LE(2)
        .U16LE(16)
        .Tag("data")
        .U32LE(4)
        .U16LE(0x1234)
        .U16LE(0xFFFE)
        .data;
}

class LoadSoundFileTest : public ::testing::Test {
  protected:
    testing::TemporaryFolder folder;
    platform::headless::ScriptedMessageBoxes boxes;
    platform::headless::CountingCursor cursor;
    FileHost host{boxes, cursor};
    SoundBuffer sound;
};

TEST_F(LoadSoundFileTest, TheFirstFilterReadsWavWhateverTheFileIsCalled) {
    const std::string path = folder.File("x.aif");
    testing::WriteBytes(path, SmallWav());
    LoadSoundFile(host, sound, path, 1);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(sound.samples, (std::vector<std::int16_t>{0x1234, -2}));
    EXPECT_EQ(sound.sampleRate, 11025u);
}

// A WAV file chosen with another entry goes to that entry's reader, which finds none of
// what it needs and refuses the file without touching the sound.
TEST_F(LoadSoundFileTest, OnlyTheFilterIndexChoosesTheReader) {
    const std::string path = folder.File("x.wav");
    testing::WriteBytes(path, SmallWav());
    sound.Install({7, 8, 9});
    sound.sampleRate = 8000;
    for (int index = 2; index <= 6; ++index) {
        SCOPED_TRACE(index);
        boxes.shown.clear();
        LoadSoundFile(host, sound, path, index);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, "This file is damaged or incomplete !");
        EXPECT_EQ(boxes.shown[0].caption, "Error");
        EXPECT_EQ(sound.samples, (std::vector<std::int16_t>{7, 8, 9}));
        EXPECT_EQ(sound.sampleRate, 8000u);
        EXPECT_EQ(cursor.waitDepth, 0);
    }
}

}  // namespace
}  // namespace marvolin::formats
