#include "app/settings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_files.h"

namespace marvolin::app {
namespace {

TEST(SettingsTest, MissingFileGivesTheDefaults) {
    testing::TemporaryFolder folder;
    const Settings settings = ReadSettings(folder.File("marvolin.ini"));
    EXPECT_EQ(settings.defaultDirectory, ".\\waves");
    EXPECT_EQ(settings.samplingFrequency, 4);
    EXPECT_EQ(settings.playAfterLoading, 1);
    EXPECT_EQ(settings.playAfterProcessing, 1);
    EXPECT_EQ(settings.playAfterUndo, 0);
    EXPECT_EQ(settings.playAfterRecording, 1);
    EXPECT_EQ(settings.displayHelp, 1);
    EXPECT_EQ(settings.autoTruncate, 1);
    EXPECT_EQ(settings.audioInput, 0);
    EXPECT_EQ(settings.audioOutput, 0);
}

TEST(SettingsTest, ReadsEveryKeyAndKeepsDefaultsForMissingOnes) {
    testing::TemporaryFolder folder;
    const std::string path = folder.File("marvolin.ini");
    testing::WriteText(path,
                       "[marvolin]\n"
                       "default .wav directory = /home/me/voices\n"
                       "Sampling Frequency=9\n"
                       "play sound after undo=1\n"
                       "Display help=5\n"
                       "Audio output=2\n");
    const Settings settings = ReadSettings(path);
    EXPECT_EQ(settings.defaultDirectory, "/home/me/voices");
    EXPECT_EQ(settings.samplingFrequency, 9);  // taken as read, even outside 1..6
    EXPECT_EQ(settings.playAfterUndo, 1);
    EXPECT_EQ(settings.displayHelp, 5);
    EXPECT_EQ(settings.audioOutput, 2);
    EXPECT_EQ(settings.playAfterLoading, 1);
    EXPECT_EQ(settings.audioInput, 0);
}

TEST(SettingsTest, WritesAllTenKeysInOrderAndKeepsForeignLines) {
    testing::TemporaryFolder folder;
    const std::string path = folder.File("config/marvolin.ini");  // the folder is created
    Settings settings;
    settings.defaultDirectory = "/data/sounds";
    settings.samplingFrequency = 6;
    settings.displayHelp = 0;
    settings.audioInput = 3;
    ASSERT_TRUE(WriteSettings(path, settings));
    EXPECT_EQ(testing::ReadText(path),
              "[Marvolin]\n"
              "Sampling Frequency=6\n"
              "Default .WAV directory=/data/sounds\n"
              "play sound after loading=1\n"
              "play sound after processing=1\n"
              "play sound after undo=0\n"
              "play sound after recording=1\n"
              "Auto-truncate recorded sample=1\n"
              "Display help=0\n"
              "Audio input=3\n"
              "Audio output=0\n");

    testing::WriteText(path,
                       "[Other program]\nx=1\n\n[Marvolin]\n; note\nDisplay help=1\nextra=yes\n");
    ASSERT_TRUE(WriteSettings(path, settings));
    const std::string text = testing::ReadText(path);
    EXPECT_NE(text.find("[Other program]\nx=1\n\n[Marvolin]\n; note\nDisplay help=0\nextra=yes\n"),
              std::string::npos)
        << text;

    const Settings back = ReadSettings(path);
    EXPECT_EQ(back.defaultDirectory, "/data/sounds");
    EXPECT_EQ(back.samplingFrequency, 6);
    EXPECT_EQ(back.displayHelp, 0);
    EXPECT_EQ(back.audioInput, 3);
}

TEST(SettingsTest, LongDirectoriesAreNeverCut) {
    testing::TemporaryFolder folder;
    const std::string path = folder.File("marvolin.ini");
    Settings settings;
    settings.defaultDirectory = "/" + std::string(600, 'd');
    ASSERT_TRUE(WriteSettings(path, settings));
    EXPECT_EQ(ReadSettings(path).defaultDirectory, settings.defaultDirectory);
}

TEST(SettingsTest, RelativeDirectoriesAreTakenFromTheDataFolder) {
    EXPECT_EQ(ResolveDefaultDirectory(".\\waves", "/usr/share/marvolin"),
              "/usr/share/marvolin/waves");
    EXPECT_EQ(ResolveDefaultDirectory("./waves", "/d"), "/d/waves");
    EXPECT_EQ(ResolveDefaultDirectory("sub\\dir", "/d"), "/d/sub/dir");
    EXPECT_EQ(ResolveDefaultDirectory("/home/me", "/d"), "/home/me");
    EXPECT_EQ(ResolveDefaultDirectory("", "/d"), "/d");
}

}  // namespace
}  // namespace marvolin::app

namespace marvolin::app {
namespace {

TEST(DialogStartFolderTest, AnInstalledProgramStartsInTheUserFolder) {
    testing::TemporaryFolder folder;
    std::filesystem::create_directories(folder.File("data/waves"));
    // A data folder that can be written: the waves folder, as in a build tree.
    EXPECT_EQ(DialogStartFolder(".\\waves", folder.File("data"), "/home/me/Music"),
              folder.File("data") + "/waves");
    // An installed one, read-only (or not there at all): the user's folder.
    EXPECT_EQ(DialogStartFolder(".\\waves", "/nonexistent/share/marvolin", "/home/me/Music"),
              "/home/me/Music");
    // A folder the user set keeps its meaning.
    EXPECT_EQ(DialogStartFolder("/srv/sounds", "/nonexistent", "/home/me/Music"), "/srv/sounds");
    EXPECT_EQ(DialogStartFolder("mine", "/nonexistent", "/home/me/Music"), "/nonexistent/mine");
}

}  // namespace
}  // namespace marvolin::app
