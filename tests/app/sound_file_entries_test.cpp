#include "app/sound_file_entries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "app/open_file.h"
#include "formats/au.h"
#include "formats/sound_type.h"
#include "formats/wav.h"
#include "support/test_files.h"
#include "window_fixture.h"

namespace marvolin::app {
namespace {

using formats::FileStatus;
using formats::SaveFormat;

std::string ReadText(const std::string& path) {
    const std::vector<std::uint8_t> bytes = testing::ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

TEST(SoundFileEntriesTest, OpenStartsWithAllSoundFilesThenTheSixEntriesInBothCases) {
    const std::vector<platform::FileFilter> filters = OpenDialogFilters();
    ASSERT_EQ(filters.size(), 7u);
    EXPECT_EQ(filters[0].name, "All sound files");
    EXPECT_EQ(filters[0].pattern, formats::AllSoundFilePatterns());
    const std::vector<platform::FileFilter> six = {
        {"Microsoft .WAV", "*.wav;*.WAV"},
        {"Audio Interchange File Format .AIFF", "*.aif;*.aiff;*.aifc;*.AIF;*.AIFF;*.AIFC"},
        {"Sun and Next .AU", "*.au;*.AU"},
        {"Amiga 8SVX .IFF", "*.iff;*.IFF"},
        {"Others .SND", "*.snd;*.SND"},
        {"Creative Labs .VOC", "*.voc;*.VOC"},
    };
    for (std::size_t i = 0; i < six.size(); ++i) {
        SCOPED_TRACE(six[i].name);
        EXPECT_EQ(filters[i + 1].name, six[i].name);
        EXPECT_EQ(filters[i + 1].pattern, six[i].pattern);
    }
}

TEST(SoundFileEntriesTest, SaveEntriesNameTheirFormats) {
    const std::vector<platform::FileFilter> filters = SaveDialogFilters();
    ASSERT_EQ(filters.size(), 6u);
    const std::vector<platform::FileFilter> expected = {
        {"Sound File .WAV", "*.wav"},
        {"Ogg Opus voice message", "*.opus"},
        {"MP3", "*.mp3"},
        {"FLAC", "*.flac"},
        {"Ogg Vorbis", "*.ogg"},
        {"M4A/AAC", "*.m4a"},
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(filters[i].name, expected[i].name);
        EXPECT_EQ(filters[i].pattern, expected[i].pattern);
    }
    const SaveFormat formats[] = {SaveFormat::Wav,  SaveFormat::Opus,   SaveFormat::Mp3,
                                  SaveFormat::Flac, SaveFormat::Vorbis, SaveFormat::M4a};
    for (int index = 1; index <= 6; ++index) {
        EXPECT_EQ(SaveFormatOfEntry(index), formats[index - 1]);
    }
    EXPECT_EQ(SaveFormatOfEntry(0), SaveFormat::Wav);
    EXPECT_EQ(SaveFormatOfEntry(7), SaveFormat::Wav);
}

// An AU file and the entries: read by content, by the AU and SND entries' reader; the WAV and
// 8SVX entries run their own readers on it and refuse it.
TEST(SoundFileEntriesTest, OnlyTheFirstEntryLooksAtTheContent) {
    testing::TemporaryFolder folder;
    const std::string path = folder.File("voice.wav");  // the name plays no part
    testing::WriteBytes(path, testing::Bytes()
                                  .Tag(".snd")
                                  .U32BE(24)
                                  .U32BE(4)
                                  .U32BE(3)  // 16-bit linear
                                  .U32BE(8000)
                                  .U32BE(1)
                                  .U16BE(0x1234)
                                  .U16BE(0x8000)
                                  .data);
    for (const int entry : {1, 4, 6}) {
        SCOPED_TRACE(entry);
        const formats::LoadResult loaded = LoadWithOpenEntry(path, entry);
        ASSERT_EQ(loaded.status, FileStatus::Ok);
        EXPECT_EQ(loaded.sound.samples, (std::vector<std::int16_t>{0x1234, -32768}));
        EXPECT_EQ(loaded.sound.sampleRate, 8000u);
    }
    EXPECT_EQ(LoadWithOpenEntry(path, 2).status, FileStatus::NotThisFormat);
    EXPECT_NE(LoadWithOpenEntry(path, 5).status, FileStatus::Ok);
}

class OpenAndSaveWindowTest : public WindowTest {
  protected:
    // A second of a 440 Hz tone at 16000 Hz as the current sound.
    void UseTone() {
        std::vector<std::int16_t> tone(16000);
        for (std::size_t i = 0; i < tone.size(); ++i) {
            tone[i] = static_cast<std::int16_t>(12000 * std::sin(2 * M_PI * 440 * i / 16000.0));
        }
        state().sound.Install(tone);
        state().sound.sampleRate = 16000;
    }
    void SaveAs(const std::string& path, int entry) {
        host.fileDialogs.saveAnswers = {platform::FileChoice{path, entry}};
        Click(kSaveX, kSaveY);
    }
    void OpenWith(const std::string& path, int entry) {
        host.fileDialogs.openAnswers = {platform::FileChoice{path, entry}};
        Click(kOpenX, kOpenY);
        FinishPlayback();
    }
};

TEST_F(OpenAndSaveWindowTest, TheChosenSaveEntryDecidesTheFormatAndABareNameGetsItsExtension) {
    UseTone();
    const std::vector<std::int16_t> tone = state().sound.samples;
    SaveAs(folder.File("tone"), 4);  // FLAC: lossless, so the samples come back exactly
    ASSERT_TRUE(host.messageBoxes.shown.empty());
    EXPECT_EQ(state().currentPath, folder.File("tone.flac"));
    const std::string written = ReadText(folder.File("tone.flac"));
    EXPECT_EQ(written.rfind("fLaC", 0), 0u);
    // The file's base name is its title; the copyright note goes with it.
    EXPECT_NE(written.find("tone"), std::string::npos);
    EXPECT_NE(written.find("File created by Marvolin (c) Brendale"), std::string::npos);

    state().sound.Install({1, 2, 3});
    OpenWith(folder.File("tone.flac"), 1);
    EXPECT_TRUE(host.messageBoxes.shown.empty());
    EXPECT_EQ(state().sound.samples, tone);
    EXPECT_EQ(state().sound.sampleRate, 16000u);

    // "Sound File .WAV" stays the program's own writer, byte for byte.
    SaveAs(folder.File("tone.d/take"), 1);  // no such folder yet: refused
    ASSERT_EQ(host.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(host.messageBoxes.shown[0].text, "Unable to save this file !");
    std::filesystem::create_directory(folder.File("tone.d"));
    SaveAs(folder.File("tone.d/take"), 1);
    EXPECT_EQ(state().currentPath, folder.File("tone.d/take.wav"));
    ASSERT_TRUE(formats::SaveWav(state().sound, folder.File("direct.wav")).ok());
    EXPECT_EQ(ReadText(folder.File("tone.d/take.wav")), ReadText(folder.File("direct.wav")));
}

TEST_F(OpenAndSaveWindowTest, AnOpusVoiceMessageOpensThroughAllSoundFiles) {
    UseTone();
    SaveAs(folder.File("message"), 2);
    ASSERT_TRUE(host.messageBoxes.shown.empty());
    EXPECT_EQ(state().currentPath, folder.File("message.opus"));

    state().sound.Install({1, 2, 3});
    OpenWith(folder.File("message.opus"), 1);
    EXPECT_TRUE(host.messageBoxes.shown.empty());
    EXPECT_EQ(state().sound.sampleRate, 48000u);
    // A second at 48 kHz, within an encoder frame.
    EXPECT_NEAR(static_cast<double>(state().sound.sampleCount()), 48000.0, 960.0);
    const auto loudest =
        std::max_element(state().sound.samples.begin(), state().sound.samples.end());
    EXPECT_GT(*loudest, 8000);
}

TEST_F(OpenAndSaveWindowTest, AFileOfNoKnownFormatIsNoSoundFileAndKeepsTheSound) {
    testing::WriteText(folder.File("notes.m4a"), "shopping list: milk, eggs, bread");
    const std::vector<std::int16_t> welcome = state().sound.samples;
    OpenWith(folder.File("notes.m4a"), 1);
    ASSERT_EQ(host.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(host.messageBoxes.shown[0].text, "This is not a sound file Marvolin can read !");
    EXPECT_EQ(host.messageBoxes.shown[0].caption, "Error");
    EXPECT_EQ(state().sound.samples, welcome);
    EXPECT_EQ(state().currentPath, folder.File("notes.m4a"));

    // The WAV entry keeps its reader's own words.
    host.messageBoxes.shown.clear();
    OpenWith(folder.File("notes.m4a"), 2);
    ASSERT_EQ(host.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(host.messageBoxes.shown[0].text, "This is not a .WAV file !");
    EXPECT_EQ(state().sound.samples, welcome);
}

TEST_F(OpenAndSaveWindowTest, OpeningByContentWaitsForPlaybackToEnd) {
    ASSERT_TRUE(formats::SaveWav(state().sound, folder.File("again.wav")).ok());
    state().playback.playing = 1;
    EXPECT_FALSE(OpenFileByContent(state(), host.services, folder.File("again.wav")));
    EXPECT_NE(state().currentPath, folder.File("again.wav"));
    state().playback.playing = 0;

    state().settings.playAfterLoading = true;
    EXPECT_TRUE(OpenFileByContent(state(), host.services, folder.File("again.wav")));
    EXPECT_EQ(state().currentPath, folder.File("again.wav"));
    EXPECT_TRUE(state().playing());
}

}  // namespace
}  // namespace marvolin::app
