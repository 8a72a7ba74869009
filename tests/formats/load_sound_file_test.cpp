#include "formats/load_sound_file.h"

#include <gtest/gtest.h>

#include <vector>

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
};

TEST_F(LoadSoundFileTest, TheFirstFilterReadsWavWhateverTheFileIsCalled) {
    const std::string path = folder.File("x.aif");
    testing::WriteBytes(path, SmallWav());
    const LoadResult result = LoadSoundFile(path, 1);
    EXPECT_EQ(result.status, FileStatus::Ok);
    EXPECT_EQ(result.sound.samples, (std::vector<std::int16_t>{0x1234, -2}));
    EXPECT_EQ(result.sound.sampleRate, 11025u);
}

// A WAV file chosen with another entry goes to that entry's reader, which finds none of
// what it needs and refuses the file as damaged.
TEST_F(LoadSoundFileTest, OnlyTheFilterIndexChoosesTheReader) {
    const std::string path = folder.File("x.wav");
    testing::WriteBytes(path, SmallWav());
    for (int index = 2; index <= 6; ++index) {
        SCOPED_TRACE(index);
        const LoadResult result = LoadSoundFile(path, index);
        EXPECT_EQ(result.status, FileStatus::Damaged);
        EXPECT_FALSE(result.sound.hasBlock);
    }
}

}  // namespace
}  // namespace marvolin::formats
