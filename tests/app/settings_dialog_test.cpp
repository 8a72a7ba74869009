#include "app/settings_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "window_fixture.h"

namespace marvolin::app {
namespace {

using namespace platform;
using Dialogs = headless::ScriptedDialogs;

class SettingsDialogTest : public WindowTest {
  protected:
    void RunOptions(std::vector<Dialogs::SettingsAction> script) {
        host.dialogs.settingsScripts.push_back(std::move(script));
        Click(kOptionsX, kOptionsY);
    }
};

TEST_F(SettingsDialogTest, OpensWithTheFilesValuesAndTheDevicesInOrder) {
    testing::WriteText(SettingsFile(),
                       "[Marvolin]\nSampling Frequency=9\nplay sound after undo=5\n"
                       "Display help=0\nAudio input=1\nAudio output=4\n"
                       "Default .WAV directory=/home/me/voices\n");
    host.audioDevices.inputs = {"Microphone", "Line in"};
    host.audioDevices.outputs = {"Speakers", "Headphones"};
    state().settings.playAfterLoading = 0;  // changed since the last OK: reloaded

    RunOptions({});

    ASSERT_EQ(host.dialogs.settingsShown.size(), 1u);
    const SettingsDialogContents& shown = host.dialogs.settingsShown[0];
    EXPECT_EQ(shown.inputDevices, (std::vector<std::string>{"Microphone", "Line in"}));
    EXPECT_EQ(shown.outputDevices, (std::vector<std::string>{"Speakers", "Headphones"}));
    EXPECT_EQ(shown.selectedInput, 1);
    EXPECT_EQ(shown.selectedOutput, -1);  // beyond the list: nothing selected
    EXPECT_EQ(shown.directory, "/home/me/voices");
    EXPECT_EQ(shown.checkedBoxes,
              (std::vector<int>{kPlayAfterLoadingBox, kPlayAfterProcessingBox, kPlayAfterUndoBox,
                                kPlayAfterRecordingBox, kAutoTruncateBox}));
    EXPECT_EQ(shown.checkedRateButton, 0);  // 9 selects no rate
    EXPECT_EQ(state().settings.playAfterLoading, 1);
    EXPECT_EQ(state().settings.audioOutput, 4);  // kept although beyond the list
}

TEST_F(SettingsDialogTest, OkWritesTheTenKeysInOrder) {
    host.audioDevices.outputs = {"Speakers", "Headphones"};
    RunOptions({Dialogs::Select(kOutputDeviceList, 1), Dialogs::Click(kRate8000Button),
                Dialogs::Click(kRate44100Button), Dialogs::Type(kDirectoryField, ""),
                Dialogs::Click(kPlayAfterUndoBox), Dialogs::Click(kDisplayHelpBox),
                Dialogs::Click(kSettingsOk)});

    EXPECT_EQ(testing::ReadText(SettingsFile()),
              "[Marvolin]\n"
              "Sampling Frequency=6\n"
              "Default .WAV directory=\n"
              "play sound after loading=1\n"
              "play sound after processing=1\n"
              "play sound after undo=1\n"
              "play sound after recording=1\n"
              "Auto-truncate recorded sample=1\n"
              "Display help=0\n"
              "Audio input=0\n"
              "Audio output=1\n");
    EXPECT_EQ(state().settings.audioOutput, 1);
    EXPECT_TRUE(host.messageBoxes.shown.empty());

    // Playback now opens the second output device.
    Click(kPlayX, kPlayY);
    EXPECT_EQ(host.waveOutput.deviceNumber, 1);
}

TEST_F(SettingsDialogTest, SwitchesFlipToZeroOrOneWhateverTheyHeld) {
    testing::WriteText(SettingsFile(), "[Marvolin]\nplay sound after undo=5\n");
    RunOptions({Dialogs::Click(kPlayAfterUndoBox)});
    EXPECT_EQ(state().settings.playAfterUndo, 0);
    RunOptions({Dialogs::Click(kPlayAfterUndoBox), Dialogs::Click(kPlayAfterUndoBox),
                Dialogs::Click(kPlayAfterUndoBox)});
    EXPECT_EQ(state().settings.playAfterUndo, 0);  // 5 again on opening, then 0, 1, 0
}

TEST_F(SettingsDialogTest, CancelKeepsTheChangesInForceUntilTheDialogOpensAgain) {
    testing::WriteText(SettingsFile(), "[Marvolin]\nSampling Frequency=9\n");
    RunOptions({Dialogs::Click(kRate8000Button), Dialogs::Click(kSettingsCancel)});

    EXPECT_EQ(testing::ReadText(SettingsFile()), "[Marvolin]\nSampling Frequency=9\n");
    EXPECT_EQ(state().settings.samplingFrequency, 1);
    Click(kRecordX, kRecordY);  // the next recording runs at 8000 Hz
    EXPECT_EQ(host.waveInput.sampleRate, 8000u);
    Click(kRecordX, kRecordY);
    FinishPlayback();

    // Reopening reloads the file; OK then writes the 9 back untouched.
    RunOptions({Dialogs::Click(kSettingsOk)});
    EXPECT_EQ(state().settings.samplingFrequency, 9);
    EXPECT_NE(testing::ReadText(SettingsFile()).find("Sampling Frequency=9\n"), std::string::npos);
}

TEST_F(SettingsDialogTest, ClosingTheDialogClearsTheHelpArea) {
    Send(MessageKind::MouseMove, kOptionsX, kOptionsY);
    ASSERT_NE(state().screen.window.Pixel(30, 455), 0u);  // the help line is up
    RunOptions({});
    for (int x = 20; x < 300; x += 7) {
        ASSERT_EQ(state().screen.window.Pixel(x, 455), 0u);
    }
}

TEST_F(SettingsDialogTest, AFileThatCannotBeWrittenIsReported) {
    std::filesystem::create_directories(SettingsFile());  // a folder where the file should be
    RunOptions({Dialogs::Click(kRate8000Button), Dialogs::Click(kSettingsOk)});
    ASSERT_EQ(host.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(host.messageBoxes.shown[0].text, "Unable to save the settings !");
    EXPECT_EQ(state().settings.samplingFrequency, 1);  // in force all the same
}

TEST_F(SettingsDialogTest, OptionsAndAboutAreRefusedWhilePlaying) {
    Click(kPlayX, kPlayY);
    Click(kOptionsX, kOptionsY);
    Click(kLogoX, kLogoY);
    EXPECT_TRUE(host.dialogs.settingsShown.empty());
    EXPECT_TRUE(host.dialogs.aboutShown.empty());
}

TEST_F(SettingsDialogTest, TheLogoOpensTheAboutBox) {
    Click(kLogoX, kLogoY);
    ASSERT_EQ(host.dialogs.aboutShown.size(), 1u);
    const AboutBoxContents& about = host.dialogs.aboutShown[0];
    EXPECT_EQ(about.title, "About us...");
    EXPECT_EQ(about.logoBitmap, 123);
    ASSERT_EQ(about.lines.size(), 6u);
    EXPECT_EQ(about.lines[0].rfind("Marvolin ", 0), 0u);
    EXPECT_NE(about.lines[0].find('.'), std::string::npos);  // a version number
}

}  // namespace
}  // namespace marvolin::app
