#include "app/main_window.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/startup.h"
#include "platform/headless/headless_platform.h"
#include "support/test_files.h"

namespace marvolin::app {
namespace {

using platform::Message;
using platform::MessageAnswer;
using platform::MessageKind;

class MainWindowTest : public ::testing::Test {
  protected:
    MainWindowTest() { testing::CopyProgramData(folder.File("data")); }

    MainWindow& Start() {
        window = std::make_unique<MainWindow>(
            host.services, ProgramFiles{folder.File("data"), folder.File("config/marvolin.ini")});
        window->Handle({MessageKind::Initialize});
        return *window;
    }

    void Click(int x, int y) {
        window->Handle({MessageKind::LeftButtonDown, x, y});
        window->Handle({MessageKind::LeftButtonUp, x, y});
    }

    testing::TemporaryFolder folder;
    platform::headless::HeadlessPlatform host;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, StartUpReadsSettingsPlacesTheWindowAndLoadsTheWelcomeSound) {
    std::filesystem::create_directories(folder.File("config"));
    testing::WriteText(folder.File("config/marvolin.ini"), "[Marvolin]\nDisplay help=0\n");
    host.window.desktop = {0, 0, 1280, 1024};

    const MainWindowState& state = Start().state();

    EXPECT_EQ(state.settings.displayHelp, 0);
    EXPECT_EQ(state.settings.samplingFrequency, 4);
    ASSERT_TRUE(host.window.placement);
    EXPECT_EQ(host.window.placement->left, 320);
    EXPECT_EQ(host.window.placement->top, 272);
    EXPECT_EQ(host.window.placement->right - host.window.placement->left, 640);
    EXPECT_EQ(host.window.placement->bottom - host.window.placement->top, 480);
    EXPECT_FALSE(host.window.invalidated.empty());
    EXPECT_EQ(state.category, kRobots);
    EXPECT_EQ(state.hotspots[kExitHotspot].left, 471);
    EXPECT_EQ(state.categoryLabels[kRobots].labelX, 195 + 33);
    EXPECT_EQ(state.pressedHotspot, NO_HOTSPOT);

    EXPECT_TRUE(host.messageBoxes.shown.empty());
    EXPECT_TRUE(state.sound.hasBlock);
    EXPECT_GT(state.sound.sampleCount(), 10000u);
    EXPECT_EQ(state.sound.sampleRate, 11025u);
    EXPECT_EQ(state.currentPath, folder.File("data") + "/waves/welcome.wav");
    EXPECT_FALSE(state.undo.hasBlock);
    EXPECT_EQ(host.cursor.waitDepth, 0);
    EXPECT_FALSE(host.window.closed);
}

TEST_F(MainWindowTest, MissingWelcomeSoundIsReportedAndTheProgramGoesOn) {
    std::filesystem::remove(folder.File("data/waves/welcome.wav"));
    const MainWindowState& state = Start().state();
    ASSERT_EQ(host.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(host.messageBoxes.shown[0].text, "Marvolin is unable to open this file !");
    EXPECT_EQ(host.messageBoxes.shown[0].caption, "Error");
    EXPECT_FALSE(state.sound.hasBlock);
    EXPECT_FALSE(host.window.closed);
}

TEST_F(MainWindowTest, CentringNarrowsEachOffsetToSixteenBits) {
    EXPECT_EQ(CenteredPosition({0, 0, 1920, 1080}, 640, 480).x, 640);
    EXPECT_EQ(CenteredPosition({0, 0, 641, 481}, 640, 480).x, 0);  // halves truncate
    EXPECT_EQ(CenteredPosition({0, 0, 500, 400}, 640, 480).x, -70);
    EXPECT_EQ(CenteredPosition({0, 0, 131712, 480}, 640, 480).x, 0);  // 65536 wraps to 0
}

TEST_F(MainWindowTest, ExitAsksFirstAndCancelKeepsEverything) {
    Start();
    host.messageBoxes.answers = {MessageAnswer::Cancel};
    Click(500, 400);
    ASSERT_EQ(host.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(host.messageBoxes.shown[0].text, "Do you really want to exit ?");
    EXPECT_EQ(host.messageBoxes.shown[0].caption, "Are you sure ?");
    EXPECT_EQ(host.messageBoxes.shown[0].icon, platform::MessageIcon::Question);
    EXPECT_EQ(host.messageBoxes.shown[0].buttons, platform::MessageButtons::OkCancel);
    EXPECT_FALSE(host.window.closed);
    EXPECT_EQ(window->state().pressedHotspot, NO_HOTSPOT);

    // The release acts on the pressed hotspot wherever the pointer is now.
    window->Handle({MessageKind::LeftButtonDown, 500, 400});
    window->Handle({MessageKind::LeftButtonUp, 5, 5});
    EXPECT_TRUE(host.window.closed);
}

TEST_F(MainWindowTest, ExitIsIgnoredWhileRecordingButTheCloseCommandIsNot) {
    Start();
    window->state().recorder.recording = 1;
    Click(500, 400);
    EXPECT_TRUE(host.messageBoxes.shown.empty());
    EXPECT_FALSE(host.window.closed);

    window->Handle({MessageKind::Close});
    EXPECT_TRUE(host.messageBoxes.shown.empty());
    EXPECT_TRUE(host.window.closed);
}

TEST_F(MainWindowTest, ExitIsAskedWhilePlaying) {
    Start();
    window->state().playback.playing = 1;
    Click(471, 363);
    EXPECT_EQ(host.messageBoxes.shown.size(), 1u);
    EXPECT_TRUE(host.window.closed);
}

}  // namespace
}  // namespace marvolin::app
