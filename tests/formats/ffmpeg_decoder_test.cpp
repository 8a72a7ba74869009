// Everyday compressed files and the WAV/AIFF variants, made from a spoken sentence by the
// ffmpeg and sox command lines, decoded and compared with the ffmpeg command line's own
// decoding. Both use the same libavcodec decoders, so the comparison is sample for sample.
#include <gtest/gtest.h>

#include <cerrno>
#include <ostream>
#include <string>
#include <vector>

#include "ffmpeg_test_support.h"
#include "formats/ffmpeg_decoder.h"
#include "support/test_files.h"

namespace marvolin::formats {
namespace {

using testing::RunQuietly;

struct Made {
    std::string fileName;
    std::string command;  // IN and OUT are replaced by the paths
    std::uint16_t channels = 1;
};

void PrintTo(const Made& made, std::ostream* out) {
    *out << made.fileName;
}

std::string Fill(std::string command, const std::string& in, const std::string& out) {
    for (const auto& [key, value] : {std::pair{std::string("IN"), in}, {"OUT", out}}) {
        for (std::size_t at = command.find(key); at != std::string::npos;
             at = command.find(key, at + value.size())) {
            command.replace(at, key.size(), value);
        }
    }
    return command;
}

class FfmpegDecoderTest : public ::testing::TestWithParam<Made> {
  protected:
    static void SetUpTestSuite() {
        if (!testing::HaveMediaTools()) {
            return;
        }
        folder_ = new testing::TemporaryFolder;
        const std::string voice = folder_->File("voice.wav");
        // Two channels that differ: the voice, and the voice at half level and inverted.
        if (!RunQuietly("espeak-ng -w " + voice +
                        " 'Seven fat frogs jumped over the lazy marvolin.'") ||
            !RunQuietly("sox " + voice + " " + folder_->File("stereo.wav") + " remix 1 1v-0.5") ||
            !RunQuietly("sox " + voice + " " + folder_->File("three.wav") +
                        " remix 1 1v-0.5 1v0.25")) {
            delete folder_;
            folder_ = nullptr;
        }
    }
    static void TearDownTestSuite() {
        delete folder_;
        folder_ = nullptr;
    }
    static std::string In(const std::string& name) { return folder_->File(name); }

    static testing::TemporaryFolder* folder_;
};

testing::TemporaryFolder* FfmpegDecoderTest::folder_ = nullptr;

TEST_P(FfmpegDecoderTest, DecodesWhatTheFfmpegCommandDecodes) {
    if (folder_ == nullptr) {
        GTEST_SKIP() << "espeak-ng, sox and ffmpeg are needed";
    }
    const Made& made = GetParam();
    const std::string file = folder_->File(made.fileName);
    const std::string source = In(made.channels == 1   ? "voice.wav"
                                  : made.channels == 2 ? "stereo.wav"
                                                       : "three.wav");
    ASSERT_TRUE(RunQuietly(Fill(made.command, source, file))) << Fill(made.command, source, file);
    ASSERT_EQ(testing::ProbeStream(file, "channels"), made.channels);
    const std::vector<std::int16_t> expected = testing::ReferenceMono(file);
    ASSERT_GT(expected.size(), 1000u);

    const LoadResult result = LoadWithFfmpeg(file);
    ASSERT_EQ(result.status, FileStatus::Ok);
    EXPECT_TRUE(result.sound.hasBlock);
    EXPECT_EQ(result.sound.sampleRate,
              static_cast<std::uint32_t>(testing::ProbeStream(file, "sample_rate")));
    EXPECT_EQ(result.sound.channelCount, made.channels);
    ASSERT_EQ(result.sound.samples.size(), expected.size());
    EXPECT_EQ(result.sound.samples, expected);
}

std::vector<Made> EveryMadeFile() {
    const std::string ff = "ffmpeg -v error -y -i IN ";
    return {
        {"memo.m4a", ff + "-c:a aac -b:a 64k OUT"},
        {"stereo.m4a", ff + "-c:a aac OUT", 2},
        {"message.opus", ff + "-c:a libopus OUT"},
        {"message.oga", ff + "-c:a libopus -f ogg OUT"},
        {"stereo.opus", ff + "-c:a libopus OUT", 2},
        {"vorbis.ogg", ff + "-c:a libvorbis OUT"},
        {"song.mp3", ff + "-c:a libmp3lame OUT"},
        {"stereo.mp3", ff + "-c:a libmp3lame OUT", 2},
        {"lossless.flac", ff + "-c:a flac OUT"},
        {"b24.flac", "sox IN -b 24 OUT", 2},
        {"clip.webm", ff + "-c:a libopus OUT"},
        {"phone.3gp", ff + "-c:a aac -ar 16000 OUT"},
        {"amr.amr", "sox IN -r 8000 -t amr-nb OUT"},
        {"amr.3gp",
         "sox IN -r 8000 -t amr-nb OUT.amr && ffmpeg -v error -y -i OUT.amr -c copy OUT"},
        {"rifx.wav", "sox IN -B OUT"},
        {"rf64.wav", ff + "-rf64 always OUT"},
        {"mulaw.wav", "sox IN -e u-law OUT"},
        {"alaw.wav", "sox IN -e a-law OUT"},
        {"msadpcm.wav", "sox IN -e ms-adpcm OUT"},
        {"imaadpcm.wav", "sox IN -e ima-adpcm OUT"},
        {"three24.wav", "sox IN -b 24 OUT", 3},
        {"pcm64.wav", ff + "-c:a pcm_s64le OUT"},
        {"float64.wav", ff + "-c:a pcm_f64le OUT", 2},
        {"unsigned8.wav", ff + "-c:a pcm_u8 OUT", 2},
        {"float.aifc", "sox IN -e floating-point -b 32 OUT"},
        {"stereo32.aiff", "sox IN -b 32 OUT", 2},
    };
}

std::string Describe(const ::testing::TestParamInfo<Made>& info) {
    std::string name;
    for (char c : info.param.fileName) {
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, FfmpegDecoderTest, ::testing::ValuesIn(EveryMadeFile()),
                         Describe);

// Refusals: the right status, and nothing decoded.
class FfmpegRefusalTest : public ::testing::Test {
  protected:
    testing::TemporaryFolder folder_;
};

TEST_F(FfmpegRefusalTest, MissingFileAndFolderCannotBeOpenedWithTheSystemError) {
    LoadResult missing = LoadWithFfmpeg(folder_.File("nothing-here.m4a"));
    EXPECT_EQ(missing.status, FileStatus::CannotOpen);
    EXPECT_EQ(missing.systemError, ENOENT);
    LoadResult folder = LoadWithFfmpeg(folder_.path());
    EXPECT_EQ(folder.status, FileStatus::CannotOpen);
    EXPECT_EQ(folder.systemError, EISDIR);
    EXPECT_FALSE(folder.sound.hasBlock);
}

TEST_F(FfmpegRefusalTest, EmptyFileIsDamagedAndTextOrNoiseIsNoSoundFile) {
    testing::WriteBytes(folder_.File("empty.m4a"), {});
    EXPECT_EQ(LoadWithFfmpeg(folder_.File("empty.m4a")).status, FileStatus::Damaged);

    std::string text;
    for (int i = 0; i < 200; ++i) {
        text += "Dear diary, today nothing sounded at all.\n";
    }
    testing::WriteText(folder_.File("diary.txt"), text);
    EXPECT_EQ(LoadWithFfmpeg(folder_.File("diary.txt")).status, FileStatus::NotThisFormat);

    std::vector<std::uint8_t> zeros(100000, 0);
    MemoryByteSource source(zeros);
    const LoadResult result = LoadWithFfmpegFrom(source);
    EXPECT_FALSE(result.ok());
    EXPECT_FALSE(result.sound.hasBlock);
}

// A WAV header by hand: PCM 16-bit mono at `rate`, `samples` samples of a ramp.
std::vector<std::uint8_t> PcmWav(std::uint32_t rate, std::uint32_t samples,
                                 std::uint16_t format = 1) {
    testing::Bytes file;
    file.Tag("RIFF").U32LE(36 + samples * 2).Tag("WAVE").Tag("fmt ").U32LE(16).U16LE(format);
    file.U16LE(1).U32LE(rate).U32LE(rate * 2).U16LE(2).U16LE(16);
    file.Tag("data").U32LE(samples * 2);
    for (std::uint32_t i = 0; i < samples; ++i) {
        file.U16LE(static_cast<std::uint16_t>(i * 7));
    }
    return file.data;
}

TEST_F(FfmpegRefusalTest, RatesOfZeroOrAbove768kHzAreDamagedAndUnknownCodecsUnsupported) {
    const std::vector<std::uint8_t> fine = PcmWav(768000, 4000);
    MemoryByteSource fineSource(fine);
    const LoadResult top = LoadWithFfmpegFrom(fineSource);
    ASSERT_EQ(top.status, FileStatus::Ok);
    EXPECT_EQ(top.sound.sampleRate, 768000u);
    ASSERT_EQ(top.sound.samples.size(), 4000u);
    EXPECT_EQ(top.sound.samples[3], 21);

    for (const std::uint32_t rate : {0u, 768001u, 0x80000000u}) {
        const std::vector<std::uint8_t> wav = PcmWav(rate, 4000);
        MemoryByteSource source(wav);
        EXPECT_FALSE(LoadWithFfmpegFrom(source).ok()) << rate;
    }
    const std::vector<std::uint8_t> unknown = PcmWav(22050, 4000, 0x7777);
    MemoryByteSource unknownSource(unknown);
    EXPECT_EQ(LoadWithFfmpegFrom(unknownSource).status, FileStatus::Unsupported);
}

TEST_F(FfmpegRefusalTest, MoreSamplesThanTheLimitIsNoMemoryWithTheChannelCount) {
    const std::vector<std::uint8_t> wav = PcmWav(8000, 5000);
    MemoryByteSource source(wav);
    const LoadResult result = LoadWithFfmpegFrom(source, DecodeLimits{4999});
    EXPECT_EQ(result.status, FileStatus::NoMemory);
    EXPECT_FALSE(result.sound.hasBlock);
    EXPECT_EQ(result.sound.channelCount, 1);
    MemoryByteSource again(wav);
    EXPECT_EQ(LoadWithFfmpegFrom(again, DecodeLimits{5000}).sound.samples.size(), 5000u);
}

TEST_F(FfmpegRefusalTest, PlaylistsDoNotOpenTheFilesTheyName) {
    if (!testing::HaveMediaTools()) {
        GTEST_SKIP() << "espeak-ng, sox and ffmpeg are needed";
    }
    ASSERT_TRUE(RunQuietly("espeak-ng -w " + folder_.File("voice.wav") + " 'hidden voice'"));
    testing::WriteText(folder_.File("list.m3u8"),
                       "#EXTM3U\n#EXT-X-TARGETDURATION:10\n#EXTINF:10,\nfile:" +
                           folder_.File("voice.wav") + "\n#EXT-X-ENDLIST\n");
    testing::WriteText(folder_.File("list.ffconcat"),
                       "ffconcat version 1.0\nfile '" + folder_.File("voice.wav") + "'\n");
    EXPECT_FALSE(LoadWithFfmpeg(folder_.File("list.m3u8")).ok());
    EXPECT_FALSE(LoadWithFfmpeg(folder_.File("list.ffconcat")).ok());
}

// Files cut short: a stream that breaks off keeps what decoded; an MP4 without its index
// (written at the end) cannot be read at all.
TEST_F(FfmpegRefusalTest, CutShortStreamsKeepTheirStartAndCutMp4IsDamaged) {
    if (!testing::HaveMediaTools()) {
        GTEST_SKIP() << "espeak-ng, sox and ffmpeg are needed";
    }
    const std::string voice = folder_.File("voice.wav");
    ASSERT_TRUE(
        RunQuietly("espeak-ng -w " + voice + " 'Seven fat frogs jumped over the lazy dog'"));
    for (const std::string name : {"cut.mp3", "cut.ogg", "cut.flac", "cut.m4a"}) {
        const std::string file = folder_.File(name);
        ASSERT_TRUE(RunQuietly("ffmpeg -v error -y -i " + voice + " " + file));
        const LoadResult whole = LoadWithFfmpeg(file);
        ASSERT_TRUE(whole.ok()) << name;
        std::vector<std::uint8_t> bytes = testing::ReadBytes(file);
        bytes.resize(bytes.size() / 2);
        testing::WriteBytes(file, bytes);
        const LoadResult cut = LoadWithFfmpeg(file);
        if (std::string(name) == "cut.m4a") {
            EXPECT_EQ(cut.status, FileStatus::Damaged);
            continue;
        }
        ASSERT_TRUE(cut.ok()) << name;
        EXPECT_GT(cut.sound.samples.size(), whole.sound.samples.size() / 4) << name;
        EXPECT_LT(cut.sound.samples.size(), whole.sound.samples.size()) << name;
    }
}

// Two Ogg streams one after the other at different rates: the second would play at the wrong
// speed, so the sound is the first.
TEST_F(FfmpegRefusalTest, AChainedStreamEndsWhereItsRateChanges) {
    if (!testing::HaveMediaTools()) {
        GTEST_SKIP() << "espeak-ng, sox and ffmpeg are needed";
    }
    const std::string voice = folder_.File("voice.wav");
    ASSERT_TRUE(RunQuietly("espeak-ng -w " + voice + " 'first part at its own rate'"));
    const std::string first = folder_.File("first.ogg");
    const std::string second = folder_.File("second.ogg");
    ASSERT_TRUE(RunQuietly("ffmpeg -v error -i " + voice + " -c:a libvorbis " + first));
    ASSERT_TRUE(RunQuietly("ffmpeg -v error -i " + voice + " -ar 8000 -c:a libvorbis " + second));
    const LoadResult alone = LoadWithFfmpeg(first);
    ASSERT_TRUE(alone.ok());
    std::vector<std::uint8_t> chained = testing::ReadBytes(first);
    const std::vector<std::uint8_t> more = testing::ReadBytes(second);
    chained.insert(chained.end(), more.begin(), more.end());
    testing::WriteBytes(folder_.File("chained.ogg"), chained);
    const LoadResult result = LoadWithFfmpeg(folder_.File("chained.ogg"));
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.sound.sampleRate, 22050u);
    EXPECT_EQ(result.sound.samples, alone.sound.samples);
}

}  // namespace
}  // namespace marvolin::formats
