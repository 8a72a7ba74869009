#include "app/device_choice.h"

#include <gtest/gtest.h>

#include "app/settings_dialog.h"
#include "window_fixture.h"

namespace marvolin::app {
namespace {

using namespace platform;
using Dialogs = headless::ScriptedDialogs;

TEST(CurrentDeviceNumberTest, FollowsTheNameAndFallsBackToTheDefault) {
    const std::vector<std::string> ids{"", "usb_mic", "line_in"};
    bool gone = true;
    EXPECT_EQ(CurrentDeviceNumber(1, "line_in", ids, gone), 2);  // moved since it was stored
    EXPECT_FALSE(gone);
    EXPECT_EQ(CurrentDeviceNumber(2, "", ids, gone), 2);  // only a number was ever stored
    EXPECT_FALSE(gone);
    EXPECT_EQ(CurrentDeviceNumber(5, "line_in", {}, gone), 5);  // no names to look in
    EXPECT_FALSE(gone);
    EXPECT_EQ(CurrentDeviceNumber(1, "bluetooth_headset", ids, gone), 0);
    EXPECT_TRUE(gone);
}

class DeviceByNameTest : public WindowTest {
  protected:
    DeviceByNameTest() {
        host.audioDevices.outputs = {"Default (Speakers)", "Speakers", "Headphones"};
        host.audioDevices.outputIds = {"", "speakers", "headphones"};
        host.audioDevices.inputs = {"Default (Microphone)", "Microphone"};
        host.audioDevices.inputIds = {"", "mic"};
        host.waveInput.deviceCount = 3;
    }
    void RunOptions(std::vector<Dialogs::SettingsAction> script) {
        host.dialogs.settingsScripts.push_back(std::move(script));
        Click(kOptionsX, kOptionsY);
    }
    void PlayToTheEnd() {
        Click(kPlayX, kPlayY);
        FinishPlayback();
    }
};

TEST_F(DeviceByNameTest, TheChosenDeviceIsStoredByNameAndFoundAgainWhereverItMoves) {
    RunOptions({Dialogs::Select(kOutputDeviceList, 2), Dialogs::Select(kInputDeviceList, 1),
                Dialogs::Click(kSettingsOk)});
    const std::string written = testing::ReadText(SettingsFile());
    EXPECT_NE(written.find("Audio output=2\n"), std::string::npos);
    EXPECT_NE(written.find("Audio input name=mic\n"), std::string::npos);
    EXPECT_NE(written.find("Audio output name=headphones\n"), std::string::npos);

    // A new device comes first: the headphones are now number 3, and are still chosen.
    host.audioDevices.outputs = {"Default (Speakers)", "HDMI", "Speakers", "Headphones"};
    host.audioDevices.outputIds = {"", "hdmi", "speakers", "headphones"};
    PlayToTheEnd();
    EXPECT_EQ(host.waveOutput.deviceNumber, 3);
    RunOptions({});
    EXPECT_EQ(host.dialogs.settingsShown.back().selectedOutput, 3);
    EXPECT_TRUE(host.messageBoxes.shown.empty());
}

TEST_F(DeviceByNameTest, AGoneDeviceFallsBackToTheDefaultAndIsReportedOnce) {
    testing::WriteText(SettingsFile(), "[Marvolin]\nAudio output=2\nAudio output name=usb\n");
    RunOptions({Dialogs::Click(kSettingsOk)});
    EXPECT_EQ(host.dialogs.settingsShown.back().selectedOutput, 0);

    PlayToTheEnd();
    PlayToTheEnd();
    EXPECT_EQ(host.waveOutput.deviceNumber, 0);
    ASSERT_EQ(host.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(host.messageBoxes.shown[0].text,
              "The chosen sound device is not available: the system's default device is used.");
    EXPECT_EQ(host.messageBoxes.shown[0].caption, "Warning");
    // The name stays: the device is chosen again as soon as it is back.
    EXPECT_NE(testing::ReadText(SettingsFile()).find("Audio output name=usb\n"), std::string::npos);
    host.audioDevices.outputs.push_back("USB");
    host.audioDevices.outputIds.push_back("usb");
    PlayToTheEnd();
    EXPECT_EQ(host.waveOutput.deviceNumber, 3);
}

TEST_F(DeviceByNameTest, AFileWithoutNamesKeepsItsShapeWhileTheDefaultsAreUsed) {
    RunOptions({Dialogs::Select(kOutputDeviceList, 0), Dialogs::Click(kSettingsOk)});
    EXPECT_EQ(testing::ReadText(SettingsFile()).find("name="), std::string::npos);
    Click(kRecordX, kRecordY);
    EXPECT_EQ(host.waveInput.deviceNumber, 0);
}

}  // namespace
}  // namespace marvolin::app
