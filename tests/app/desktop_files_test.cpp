#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "app/desktop_files.h"
#include "app/drag_out.h"
#include "formats/wav.h"
#include "window_fixture.h"

namespace marvolin::app {
namespace {

using platform::Message;
using platform::MessageKind;

class DesktopFilesTest : public WindowTest {
  protected:
    // A WAV file of `samples` at 11025 Hz under `name`, whatever the name says.
    std::string WavFile(const std::string& name, const std::vector<std::int16_t>& samples) {
        formats::SoundBuffer sound;
        sound.Install(samples);
        sound.sampleRate = 11025;
        const std::string path = folder.File(name);
        formats::SaveWav(sound, folder.File("made.wav"));
        std::filesystem::rename(folder.File("made.wav"), path);
        return path;
    }
    void Drop(const std::string& path) {
        Message message{MessageKind::FileDropped};
        message.path = path;
        window->Handle(message);
    }
};

TEST_F(DesktopFilesTest, ADroppedFileOpensByItsContentAndNamesTheWindow) {
    const std::string path = WavFile("voice.aiff", {10, -20, 30});
    Drop(path);
    EXPECT_EQ(state().sound.samples, (std::vector<std::int16_t>{10, -20, 30}));
    EXPECT_EQ(state().sound.sampleRate, 11025u);
    EXPECT_EQ(state().currentPath, path);
    EXPECT_EQ(host.window.title, "voice.aiff - Marvolin");
    EXPECT_TRUE(state().playing());  // play sound after loading
    EXPECT_TRUE(host.messageBoxes.shown.empty());
}

TEST_F(DesktopFilesTest, DropsAreRefusedWhilePlayingOrRecording) {
    const std::string path = WavFile("voice.wav", {1, 2, 3});
    const std::vector<std::int16_t> welcome = state().sound.samples;
    Click(kPlayX, kPlayY);
    ASSERT_TRUE(state().playing());
    Drop(path);
    EXPECT_EQ(state().sound.samples, welcome);
    FinishPlayback();
    Click(kRecordX, kRecordY);
    ASSERT_TRUE(state().recording());
    Drop(path);
    EXPECT_TRUE(state().recording());
    EXPECT_TRUE(host.messageBoxes.shown.empty());
    EXPECT_EQ(host.window.title, "");
}

TEST_F(DesktopFilesTest, ADroppedFileThatCannotBeReadKeepsTheSoundAndTheTitle) {
    const std::vector<std::int16_t> welcome = state().sound.samples;
    testing::WriteBytes(folder.File("broken.wav"),
                        testing::Bytes().Tag("RIFF").U32LE(100).Tag("WAVE").data);
    Drop(folder.File("broken.wav"));
    EXPECT_EQ(state().sound.samples, welcome);
    ASSERT_EQ(host.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(host.messageBoxes.shown[0].text, "This file is damaged or incomplete !");
    EXPECT_EQ(host.window.title, "");
    FinishPlayback();  // like Open, a refused file still plays the sound there is
    Drop(folder.File("missing.wav"));
    EXPECT_EQ(host.messageBoxes.shown.size(), 2u);
    EXPECT_EQ(state().sound.samples, welcome);
}

TEST_F(DesktopFilesTest, AFolderOrATextFileDroppedIsRefusedWithAMessage) {
    const std::vector<std::int16_t> welcome = state().sound.samples;
    std::filesystem::create_directories(folder.File("a folder"));
    Drop(folder.File("a folder"));
    EXPECT_EQ(state().sound.samples, welcome);
    EXPECT_EQ(host.messageBoxes.shown.size(), 1u);
    FinishPlayback();
    testing::WriteText(folder.File("notes.wav"), "just some words, not a sound at all\n");
    Drop(folder.File("notes.wav"));
    EXPECT_EQ(state().sound.samples, welcome);
    EXPECT_EQ(host.messageBoxes.shown.size(), 2u);
    EXPECT_EQ(host.window.title, "");
}

TEST_F(DesktopFilesTest, AFileOnTheCommandLineOpensInsteadOfTheWelcomeSound) {
    const std::string path = WavFile("named.voc.wav", {5, 6, 7, 8});
    platform::headless::HeadlessPlatform other;
    state().settings.playAfterLoading = 0;
    testing::WriteText(SettingsFile(), "[Marvolin]\nplay sound after loading=0\n");
    MainWindow named(other.services, {folder.File("data"), SettingsFile(), path});
    named.Handle({MessageKind::Initialize});
    EXPECT_EQ(named.state().sound.samples, (std::vector<std::int16_t>{5, 6, 7, 8}));
    EXPECT_EQ(other.window.title, "named.voc.wav - Marvolin");
    EXPECT_EQ(other.waveOutput.opens, 0);  // like Open: the setting says not to play
    EXPECT_TRUE(named.state().initialized);

    platform::headless::HeadlessPlatform third;
    MainWindow missing(third.services, {folder.File("data"), SettingsFile(), folder.File("no")});
    missing.Handle({MessageKind::Initialize});
    EXPECT_EQ(third.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(missing.state().sound.sampleCount(), 0u);
    EXPECT_EQ(third.window.title, "Marvolin");
    EXPECT_FALSE(third.window.closed);
}

TEST_F(DesktopFilesTest, OpenAndSaveNameTheWindowToo) {
    host.fileDialogs.saveAnswers = {folder.File("kept")};
    Click(kSaveX, kSaveY);
    EXPECT_EQ(host.window.title, "kept.wav - Marvolin");
}

TEST_F(DesktopFilesTest, DraggingTheWaveformHandsOverTheSoundAsAWavFile) {
    Drop(WavFile("my voice.aiff", {100, 200, 300}));
    FinishPlayback();
    Send(MessageKind::LeftButtonDown, 300, 105);
    ASSERT_TRUE(host.window.dragOffer);
    EXPECT_EQ(host.window.movesBegun, 0);
    const std::optional<std::string> dragged = host.window.dragOffer();
    ASSERT_TRUE(dragged);
    EXPECT_EQ(std::filesystem::path(*dragged).filename(), "my voice.wav");
    const formats::LoadResult back = formats::LoadWav(*dragged);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back.sound.samples, (std::vector<std::int16_t>{100, 200, 300}));
    EXPECT_EQ(back.sound.sampleRate, 11025u);
    const auto folderOfDrags = std::filesystem::path(*dragged).parent_path();
    EXPECT_EQ(std::filesystem::status(folderOfDrags).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_all);
    Send(MessageKind::LeftButtonUp, 300, 105);

    window.reset();  // the program ends: the private folder goes with it
    EXPECT_FALSE(std::filesystem::exists(folderOfDrags));
}

TEST_F(DesktopFilesTest, PressingWhereNothingIsMovesTheWindow) {
    Send(MessageKind::LeftButtonDown, 5, 5);
    Send(MessageKind::LeftButtonUp, 5, 5);
    EXPECT_EQ(host.window.movesBegun, 1);
    EXPECT_FALSE(host.window.dragOffer);
    Click(kOpenX, kOpenY);  // a button does not move it
    EXPECT_EQ(host.window.movesBegun, 1);

    // Without a sound, or while recording, the waveform moves the window as well.
    Click(kRecordX, kRecordY);
    Send(MessageKind::LeftButtonDown, 300, 105);
    EXPECT_EQ(host.window.movesBegun, 2);
    EXPECT_FALSE(host.window.dragOffer);
}

TEST(DragOutTest, FileNamesComeFromTheSound) {
    EXPECT_EQ(DragFileName("/home/me/voice.aiff"), "voice.wav");
    EXPECT_EQ(DragFileName("/home/me/archive.tar.gz"), "archive.tar.wav");
    EXPECT_EQ(DragFileName("/home/me/noext"), "noext.wav");
    EXPECT_EQ(DragFileName("/home/me/.hidden"), ".hidden.wav");
    EXPECT_EQ(DragFileName(""), "Marvolin.wav");
    EXPECT_EQ(DragFileName("/home/me/"), "Marvolin.wav");
    EXPECT_EQ(DragFileName("/home/me/.."), "Marvolin.wav");
}

TEST(DragOutTest, AnEmptySoundIsNotHandedOver) {
    DragOutFolder folder;
    EXPECT_FALSE(folder.WriteSound(formats::SoundBuffer{}, "x.wav"));
}

TEST(DesktopTitleTest, TitlesNameTheFile) {
    EXPECT_EQ(WindowTitleFor("/a/b/voice.wav"), "voice.wav - Marvolin");
    EXPECT_EQ(WindowTitleFor("voice.wav"), "voice.wav - Marvolin");
    EXPECT_EQ(WindowTitleFor(""), "Marvolin");
}

}  // namespace
}  // namespace marvolin::app
