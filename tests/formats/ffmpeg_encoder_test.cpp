// Saving in every shared format: the file reopens with the voice still there, tagged, at the
// rate its encoder takes, and a failed save leaves nothing behind.
#include "formats/ffmpeg_encoder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "ffmpeg_test_support.h"
#include "formats/copyright_note.h"
#include "formats/ffmpeg_decoder.h"
#include "support/test_files.h"

namespace marvolin::formats {
namespace {

TEST(SaveFormatsTest, EntriesKeepWavFirstAndNameTheirPatterns) {
    std::vector<std::string> texts;
    for (const SaveFormatEntry& entry : SaveFormatEntries()) {
        texts.push_back(EntryText(entry.format));
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"Sound File .WAV", "Ogg Opus voice message (*.opus)",
                                               "MP3 (*.mp3)", "FLAC (*.flac)", "Ogg Vorbis (*.ogg)",
                                               "M4A/AAC (*.m4a)"}));
    EXPECT_EQ(EntryOf(SaveFormat::Wav).pattern, "*.wav");
    EXPECT_EQ(SaveFormatForExtension("OPUS"), SaveFormat::Opus);
    EXPECT_EQ(SaveFormatForExtension(".mp3"), SaveFormat::Mp3);
    EXPECT_EQ(SaveFormatForExtension("Flac"), SaveFormat::Flac);
    EXPECT_EQ(SaveFormatForExtension("ogg"), SaveFormat::Vorbis);
    EXPECT_EQ(SaveFormatForExtension("m4a"), SaveFormat::M4a);
    EXPECT_EQ(SaveFormatForExtension("wav"), SaveFormat::Wav);
    EXPECT_EQ(SaveFormatForExtension("aiff"), std::nullopt);
    EXPECT_EQ(SaveFormatForExtension(""), std::nullopt);
}

TEST(SaveFormatsTest, EachEncoderGetsARateItTakes) {
    EXPECT_EQ(EncodedRate(SaveFormat::Opus, 8000), 48000u);
    EXPECT_EQ(EncodedRate(SaveFormat::Opus, 96000), 48000u);
    EXPECT_EQ(EncodedRate(SaveFormat::Mp3, 22050), 22050u);
    EXPECT_EQ(EncodedRate(SaveFormat::Mp3, 11000), 11025u);
    EXPECT_EQ(EncodedRate(SaveFormat::Mp3, 5000), 8000u);
    EXPECT_EQ(EncodedRate(SaveFormat::Mp3, 96000), 48000u);
    EXPECT_EQ(EncodedRate(SaveFormat::M4a, 7000), 7350u);
    EXPECT_EQ(EncodedRate(SaveFormat::M4a, 50000), 64000u);
    EXPECT_EQ(EncodedRate(SaveFormat::M4a, 200000), 96000u);
    EXPECT_EQ(EncodedRate(SaveFormat::Flac, 12345), 12345u);
    EXPECT_EQ(EncodedRate(SaveFormat::Flac, 96000), 96000u);
    EXPECT_EQ(EncodedRate(SaveFormat::Flac, 96001), 96000u);
    EXPECT_EQ(EncodedRate(SaveFormat::Flac, 768000), 655340u);
    EXPECT_EQ(EncodedRate(SaveFormat::Vorbis, 11025), 11025u);
    EXPECT_EQ(EncodedRate(SaveFormat::Vorbis, 384000), 192000u);
}

struct Case {
    SaveFormat format;
    int frameSamples;  // one encoder frame at 48 kHz: the allowed difference in length
};

class RoundTripTest : public ::testing::TestWithParam<Case> {
  protected:
    static void SetUpTestSuite() {
        if (!testing::HaveMediaTools()) {
            return;
        }
        folder_ = new testing::TemporaryFolder;
        const std::string voice = folder_->File("voice.wav");
        const std::string voice48 = folder_->File("voice48.wav");
        if (!testing::RunQuietly("espeak-ng -w " + voice +
                                 " 'Seven fat frogs jumped over the lazy marvolin.'") ||
            !testing::RunQuietly("sox " + voice + " -r 48000 " + voice48)) {
            delete folder_;
            folder_ = nullptr;
            return;
        }
        voice_ = new SoundBuffer(LoadWithFfmpeg(voice).sound);
        voice48_ = new SoundBuffer(LoadWithFfmpeg(voice48).sound);
    }
    static void TearDownTestSuite() {
        delete folder_;
        delete voice_;
        delete voice48_;
        folder_ = nullptr;
    }
    static testing::TemporaryFolder* folder_;
    static SoundBuffer* voice_;
    static SoundBuffer* voice48_;
};

testing::TemporaryFolder* RoundTripTest::folder_ = nullptr;
SoundBuffer* RoundTripTest::voice_ = nullptr;
SoundBuffer* RoundTripTest::voice48_ = nullptr;

TEST_P(RoundTripTest, TheVoiceComesBackTaggedAndAsLong) {
    if (folder_ == nullptr) {
        GTEST_SKIP() << "espeak-ng, sox and ffmpeg are needed";
    }
    const Case& c = GetParam();
    const std::string extension(EntryOf(c.format).extension);
    const SaveResult saved =
        SaveEncoded(*voice48_, folder_->File("bare"), c.format, "Frogs \"and\" marvolins");
    ASSERT_EQ(saved.status, FileStatus::Ok);
    EXPECT_EQ(saved.path, folder_->File("bare." + extension));

    const LoadResult back = LoadWithFfmpeg(saved.path);
    ASSERT_EQ(back.status, FileStatus::Ok);
    EXPECT_EQ(back.sound.sampleRate, 48000u);
    const auto length = static_cast<long>(voice48_->samples.size());
    EXPECT_NEAR(static_cast<long>(back.sound.samples.size()), length, c.frameSamples);
    if (c.format == SaveFormat::Flac) {
        EXPECT_EQ(back.sound.samples, voice48_->samples);
    }
    int lag = 0;
    EXPECT_GT(testing::BestCorrelation(voice48_->samples, back.sound.samples, 1500, &lag), 0.9);

    const std::string tags = testing::CommandOutput(
        "ffprobe -v error -show_entries format_tags:stream_tags -of default=nw=1 " + saved.path);
    EXPECT_NE(tags.find("Frogs \"and\" marvolins"), std::string::npos) << tags;
    EXPECT_NE(tags.find(std::string(kCopyrightNote)), std::string::npos) << tags;

    // At the voice's own 22050 Hz: the rate the format takes, the same duration.
    const SaveResult low = SaveEncoded(*voice_, folder_->File("low." + extension), c.format, "");
    ASSERT_EQ(low.status, FileStatus::Ok);
    const LoadResult lowBack = LoadWithFfmpeg(low.path);
    ASSERT_EQ(lowBack.status, FileStatus::Ok);
    EXPECT_EQ(lowBack.sound.sampleRate, EncodedRate(c.format, 22050));
    const double seconds = static_cast<double>(voice_->samples.size()) / 22050;
    EXPECT_NEAR(static_cast<double>(lowBack.sound.samples.size()) / lowBack.sound.sampleRate,
                seconds, c.frameSamples / 48000.0);
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, RoundTripTest,
                         ::testing::Values(Case{SaveFormat::Opus, 960}, Case{SaveFormat::Mp3, 1152},
                                           Case{SaveFormat::Flac, 0},
                                           Case{SaveFormat::Vorbis, 2048},
                                           Case{SaveFormat::M4a, 1024}),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return std::string(EntryOf(info.param.format).extension);
                         });

class SaveFailureTest : public ::testing::Test {
  protected:
    testing::TemporaryFolder folder_;
};

TEST_F(SaveFailureTest, AMissingFolderIsCannotSaveWithTheSystemErrorAndLeavesNothing) {
    SoundBuffer sound;
    sound.Install(std::vector<std::int16_t>(22050, 1000));
    const SaveResult result =
        SaveEncoded(sound, folder_.File("gone/voice.opus"), SaveFormat::Opus, "t");
    EXPECT_EQ(result.status, FileStatus::CannotSave);
    EXPECT_EQ(result.systemError, ENOENT);
    EXPECT_TRUE(std::filesystem::is_empty(folder_.path()));
}

TEST_F(SaveFailureTest, WavIsLeftToTheWavWriterAndADotInAFolderIsNoExtension) {
    SoundBuffer sound;
    sound.Install(std::vector<std::int16_t>(8000, 0));
    sound.sampleRate = 8000;
    EXPECT_EQ(SaveEncoded(sound, folder_.File("x"), SaveFormat::Wav, "").status,
              FileStatus::Unsupported);
    std::filesystem::create_directory(folder_.File("my.sounds"));
    const SaveResult flac =
        SaveEncoded(sound, folder_.File("my.sounds/quiet"), SaveFormat::Flac, "");
    ASSERT_EQ(flac.status, FileStatus::Ok);
    EXPECT_EQ(flac.path, folder_.File("my.sounds/quiet.flac"));
    // Only the file itself: no temporary file stays beside it.
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder_.File("my.sounds"))) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1);
    const LoadResult back = LoadWithFfmpeg(flac.path);
    EXPECT_EQ(back.sound.sampleRate, 8000u);
    EXPECT_EQ(back.sound.samples.size(), 8000u);
}

TEST_F(SaveFailureTest, AnExistingFileIsReplacedWhole) {
    SoundBuffer sound;
    sound.Install(std::vector<std::int16_t>(16000, 500));
    sound.sampleRate = 16000;
    const std::string path = folder_.File("memo.m4a");
    testing::WriteText(path, std::string(1000000, 'x'));
    ASSERT_TRUE(SaveEncoded(sound, path, SaveFormat::M4a, "memo").ok());
    const LoadResult back = LoadWithFfmpeg(path);
    ASSERT_TRUE(back.ok());
    EXPECT_LT(std::filesystem::file_size(path), 100000u);
}

TEST_F(SaveFailureTest, EmptyAndOneSampleSoundsSaveInEveryFormat) {
    for (const SaveFormatEntry& entry : SaveFormatEntries()) {
        if (entry.format == SaveFormat::Wav) {
            continue;
        }
        for (const std::size_t count : {std::size_t{0}, std::size_t{1}}) {
            SoundBuffer sound;
            sound.Install(std::vector<std::int16_t>(count, 12000));
            sound.sampleRate = 11025;
            const std::string name =
                "s" + std::to_string(count) + "." + std::string(entry.extension);
            const SaveResult result = SaveEncoded(sound, folder_.File(name), entry.format, "");
            EXPECT_EQ(result.status, FileStatus::Ok) << name;
            EXPECT_TRUE(std::filesystem::exists(folder_.File(name))) << name;
        }
    }
}

}  // namespace
}  // namespace marvolin::formats
