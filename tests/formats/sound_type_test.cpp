#include "formats/sound_type.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "ffmpeg_test_support.h"
#include "support/test_files.h"

namespace marvolin::formats {
namespace {

using namespace std::string_literals;

std::vector<std::uint8_t> BytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

TEST(SoundTypeTest, TellsTheProgramsOwnTypesByTheirFirstBytes) {
    const struct {
        std::string start;
        SoundType type;
    } table[] = {
        {"RIFF\x24\0\0\0WAVEfmt "s, SoundType::Wav},
        {"FORM\0\0\0\x20"
         "AIFFCOMM"s,
         SoundType::Aiff},
        {"FORM\0\0\0\x20"
         "AIFCFVER"s,
         SoundType::Aiff},
        {"FORM\0\0\0\x20"
         "8SVXVHDR"s,
         SoundType::Svx8},
        {".snd\0\0\0\x18"s, SoundType::Au},
        {"Creative Voice File\x1A\x1A\0"s, SoundType::Voc},
        {"RIFX\0\0\0\x24WAVEfmt "s, SoundType::Other},  // big-endian WAV
        {"RF64\xFF\xFF\xFF\xFFWAVEds64"s, SoundType::Other},
        {"RIFF\x24\0\0\0AVI LIST"s, SoundType::Other},
        {"FORM\0\0\0\x20ILBMBMHD"s, SoundType::Other},
        {"OggS\0\x02"s, SoundType::Other},
        {"\0\0\0\x20"
         "ftypM4A "s,
         SoundType::Other},
        {"ID3\x04"s, SoundType::Other},
        {"fLaC"s, SoundType::Other},
        {"dns."s, SoundType::Other},
        {"Creative Voice File"s, SoundType::Other},  // cut before its end mark
        {"RIFF\0\0\0\0WAV"s, SoundType::Other},
        {""s, SoundType::Other},
    };
    for (const auto& row : table) {
        EXPECT_EQ(DetectSoundType(BytesOf(row.start)), row.type) << row.start;
    }
}

TEST(SoundTypeTest, PatternsNameEveryExtensionInBothCases) {
    const std::string patterns = AllSoundFilePatterns();
    EXPECT_EQ(patterns.rfind("*.wav;*.WAV;*.aif;*.AIF;*.aiff;*.AIFF;", 0), 0u);
    for (const std::string extension :
         {"aifc", "au", "snd", "iff", "8svx", "svx", "voc", "m4a", "aac", "mp3", "ogg", "oga",
          "opus", "flac", "webm", "mka", "3gp", "amr", "wma"}) {
        std::string upper = extension;
        for (char& c : upper) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        EXPECT_NE(patterns.find(";*." + extension + ";*." + upper), std::string::npos) << extension;
    }
    EXPECT_EQ(patterns.find(' '), std::string::npos);
    EXPECT_NE(patterns.back(), ';');
}

// Which reader ran, and on what.
class FakeReader {
  public:
    explicit FakeReader(FileStatus answer) : answer_(answer) {}
    OwnReader reader() {
        return [this](SoundType type, const std::string& path) {
            calls.push_back({type, path});
            LoadResult result;
            result.status = answer_;
            if (answer_ == FileStatus::Ok) {
                result.sound.Install({1, 2, 3});
            }
            return result;
        };
    }
    std::vector<std::pair<SoundType, std::string>> calls;

  private:
    FileStatus answer_;
};

class LoadByContentTest : public ::testing::Test {
  protected:
    testing::TemporaryFolder folder_;
};

TEST_F(LoadByContentTest, OwnTypesGoToTheOwnReaderWhateverTheirName) {
    const std::string file = folder_.File("no-extension");
    testing::WriteBytes(file, BytesOf(std::string("FORM\0\0\0\x04"
                                                  "8SVX",
                                                  12)));
    FakeReader fake(FileStatus::Ok);
    const LoadResult result = LoadByContent(file, fake.reader());
    ASSERT_EQ(fake.calls.size(), 1u);
    EXPECT_EQ(fake.calls[0].first, SoundType::Svx8);
    EXPECT_EQ(fake.calls[0].second, file);
    EXPECT_EQ(result.sound.samples, (std::vector<std::int16_t>{1, 2, 3}));

    FakeReader damaged(FileStatus::Damaged);
    testing::WriteBytes(file, BytesOf(std::string(".snd\0\0\0\x18", 8)));
    EXPECT_EQ(LoadByContent(file, damaged.reader()).status, FileStatus::Damaged);
    EXPECT_EQ(damaged.calls.at(0).first, SoundType::Au);
}

TEST_F(LoadByContentTest, MissingFileIsCannotOpenWithoutAnyReader) {
    FakeReader fake(FileStatus::Ok);
    const LoadResult result = LoadByContent(folder_.File("gone.wav"), fake.reader());
    EXPECT_EQ(result.status, FileStatus::CannotOpen);
    EXPECT_EQ(result.systemError, ENOENT);
    EXPECT_TRUE(fake.calls.empty());
}

TEST_F(LoadByContentTest, UnsupportedEncodingsAndOtherFilesGoToFfmpeg) {
    if (!testing::HaveMediaTools()) {
        GTEST_SKIP() << "espeak-ng, sox and ffmpeg are needed";
    }
    const std::string voice = folder_.File("voice.wav");
    const std::string adpcm = folder_.File("adpcm.wav");
    const std::string memo = folder_.File("memo");
    ASSERT_TRUE(testing::RunQuietly("espeak-ng -w " + voice + " 'a short voice memo'"));
    ASSERT_TRUE(testing::RunQuietly("sox " + voice + " -e ms-adpcm " + adpcm));
    ASSERT_TRUE(testing::RunQuietly("ffmpeg -v error -i " + voice + " -c:a aac -f ipod " + memo));

    FakeReader unsupported(FileStatus::Unsupported);
    const LoadResult fromAdpcm = LoadByContent(adpcm, unsupported.reader());
    ASSERT_EQ(fromAdpcm.status, FileStatus::Ok);
    EXPECT_EQ(fromAdpcm.sound.samples, testing::ReferenceMono(adpcm));
    EXPECT_EQ(unsupported.calls.size(), 1u);

    FakeReader never(FileStatus::Ok);
    const LoadResult fromMemo = LoadByContent(memo, never.reader());
    ASSERT_EQ(fromMemo.status, FileStatus::Ok);
    EXPECT_EQ(fromMemo.sound.samples, testing::ReferenceMono(memo));
    EXPECT_TRUE(never.calls.empty());
}

TEST_F(LoadByContentTest, TheOwnRefusalStandsWhenFfmpegCannotReadItEither) {
    // A WAV header whose encoding nobody knows.
    testing::Bytes wav;
    wav.Tag("RIFF").U32LE(40).Tag("WAVE").Tag("fmt ").U32LE(16).U16LE(0x7777).U16LE(1);
    wav.U32LE(8000).U32LE(16000).U16LE(2).U16LE(16).Tag("data").U32LE(4).U32LE(0);
    const std::string file = folder_.File("odd.wav");
    testing::WriteBytes(file, wav.data);
    FakeReader unsupported(FileStatus::Unsupported);
    const LoadResult result = LoadByContent(file, unsupported.reader());
    EXPECT_EQ(result.status, FileStatus::Unsupported);
    EXPECT_EQ(unsupported.calls.size(), 1u);
    EXPECT_FALSE(result.sound.hasBlock);
}

}  // namespace
}  // namespace marvolin::formats
