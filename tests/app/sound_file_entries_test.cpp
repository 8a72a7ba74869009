#include "app/sound_file_entries.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "app/open_file.h"
#include "formats/sound_type.h"
#include "formats/wav.h"
#include "support/test_files.h"
#include "window_fixture.h"

namespace marvolin::app {
namespace {

using formats::FileStatus;

std::string ReadText(const std::string& path) {
    const std::vector<std::uint8_t> bytes = testing::ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

TEST(SoundFileEntriesTest, OpenStartsOnAllSoundFilesAndTheAiffEntryShowsAllItsFiles) {
    const std::vector<platform::FileFilter> filters = OpenDialogFilters();
    ASSERT_EQ(filters.size(), 7u);
    EXPECT_EQ(filters[0].name, "All sound files");
    EXPECT_EQ(filters[0].pattern, formats::AllSoundFilePatterns());
    EXPECT_EQ(filters[1].pattern, "*.wav;*.WAV");
    EXPECT_EQ(filters[2].pattern, "*.aif;*.aiff;*.aifc;*.AIF;*.AIFF;*.AIFC");
    EXPECT_EQ(SaveDialogFilters().size(), 6u);
    EXPECT_EQ(SaveFormatOfEntry(2), formats::SaveFormat::Opus);
    EXPECT_EQ(SaveFormatOfEntry(6), formats::SaveFormat::M4a);
    EXPECT_EQ(SaveFormatOfEntry(7), formats::SaveFormat::Wav);
}

// An AU file named .wav: read by content and by the AU and SND entries; the WAV entry's
// reader refuses it.
TEST(SoundFileEntriesTest, OnlyTheFirstEntryLooksAtTheContent) {
    testing::TemporaryFolder folder;
    const std::string path = folder.File("voice.wav");
    testing::WriteBytes(path, testing::Bytes()
                                  .Tag(".snd")
                                  .U32BE(24)
                                  .U32BE(2)
                                  .U32BE(3)
                                  .U32BE(8000)
                                  .U32BE(1)
                                  .U16BE(0x1234)
                                  .data);
    for (const int entry : {1, 4, 6}) {
        SCOPED_TRACE(entry);
        const formats::LoadResult loaded = LoadWithOpenEntry(path, entry);
        ASSERT_EQ(loaded.status, FileStatus::Ok);
        EXPECT_EQ(loaded.sound.samples, (std::vector<std::int16_t>{0x1234}));
    }
    EXPECT_EQ(LoadWithOpenEntry(path, 2).status, FileStatus::NotThisFormat);
}

class OpenAndSaveWindowTest : public WindowTest {
  protected:
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

// Saved through the Save entries and opened again through "All sound files".
TEST_F(OpenAndSaveWindowTest, TheChosenSaveEntryDecidesTheFormat) {
    std::vector<std::int16_t> tone(16000);
    for (std::size_t i = 0; i < tone.size(); ++i) {
        tone[i] = static_cast<std::int16_t>(12000 * std::sin(2 * M_PI * 440 * i / 16000.0));
    }
    state().sound.Install(tone);
    state().sound.sampleRate = 16000;

    SaveAs(folder.File("tone"), 4);  // FLAC: lossless, the samples come back exactly
    EXPECT_EQ(state().currentPath, folder.File("tone.flac"));
    const std::string flac = ReadText(folder.File("tone.flac"));
    EXPECT_NE(flac.find("File created by Marvolin (c) Brendale"), std::string::npos);
    SaveAs(folder.File("tone"), 2);
    EXPECT_EQ(state().currentPath, folder.File("tone.opus"));
    ASSERT_TRUE(host.messageBoxes.shown.empty());

    OpenWith(folder.File("tone.flac"), 1);
    EXPECT_EQ(state().sound.samples, tone);
    EXPECT_EQ(state().sound.sampleRate, 16000u);
    OpenWith(folder.File("tone.opus"), 1);
    EXPECT_EQ(state().sound.sampleRate, 48000u);
    EXPECT_NEAR(static_cast<double>(state().sound.sampleCount()), 48000.0, 960.0);
    EXPECT_TRUE(host.messageBoxes.shown.empty());

    // "Sound File .WAV" is the program's own writer, byte for byte; a dot in a folder's name
    // is no extension.
    std::filesystem::create_directory(folder.File("tone.d"));
    SaveAs(folder.File("tone.d/take"), 1);
    EXPECT_EQ(state().currentPath, folder.File("tone.d/take.wav"));
    ASSERT_TRUE(formats::SaveWav(state().sound, folder.File("direct.wav")).ok());
    EXPECT_EQ(ReadText(folder.File("tone.d/take.wav")), ReadText(folder.File("direct.wav")));
}

TEST_F(OpenAndSaveWindowTest, AFileOfNoKnownFormatIsNoSoundFileAndKeepsTheSound) {
    testing::WriteText(folder.File("notes.m4a"), "shopping list: milk, eggs, bread");
    const std::vector<std::int16_t> welcome = state().sound.samples;
    OpenWith(folder.File("notes.m4a"), 1);
    OpenWith(folder.File("notes.m4a"), 2);  // the WAV entry keeps its reader's words
    ASSERT_EQ(host.messageBoxes.shown.size(), 2u);
    EXPECT_EQ(host.messageBoxes.shown[0].text, "This is not a sound file Marvolin can read !");
    EXPECT_EQ(host.messageBoxes.shown[1].text, "This is not a .WAV file !");
    EXPECT_EQ(state().sound.samples, welcome);
}

TEST_F(OpenAndSaveWindowTest, OpeningByContentWaitsForPlaybackToEnd) {
    ASSERT_TRUE(formats::SaveWav(state().sound, folder.File("again.wav")).ok());
    state().playback.playing = 1;
    EXPECT_FALSE(OpenFileByContent(state(), host.services, folder.File("again.wav")));
    EXPECT_NE(state().currentPath, folder.File("again.wav"));
    state().playback.playing = 0;
    EXPECT_TRUE(OpenFileByContent(state(), host.services, folder.File("again.wav")));
    EXPECT_EQ(state().currentPath, folder.File("again.wav"));
    EXPECT_TRUE(state().playing());  // play sound after loading
}

}  // namespace
}  // namespace marvolin::app
