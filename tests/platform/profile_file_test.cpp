#include "platform/profile_file.h"

#include <gtest/gtest.h>

#include "support/test_files.h"

namespace marvolin::platform {
namespace {

TEST(ProfileFileTest, FindsSectionsAndKeysWithoutRegardToCaseOrBlanks) {
    const auto profile = ProfileFile::FromText(
        "; comment\n"
        "key=outside any section\n"
        "[Other]\n"
        "Audio input=7\n"
        "  [ marvolin ]  \n"
        "  AUDIO INPUT  =  3  \n"
        "Audio input=9\n"
        "Default .WAV directory=\"/home/me/sounds\"\n"
        "quoted='a'\n"
        "lopsided=\"a'\n"
        "[Marvolin]\n"
        "late=1\n");
    EXPECT_EQ(profile.GetString("Marvolin", "audio input"), "3");
    EXPECT_EQ(profile.GetString("Other", "Audio input"), "7");
    EXPECT_EQ(profile.GetString("Marvolin", "Default .WAV directory"), "/home/me/sounds");
    EXPECT_EQ(profile.GetString("Marvolin", "quoted"), "a");
    EXPECT_EQ(profile.GetString("Marvolin", "lopsided"), "\"a'");
    // Only the first section of a name counts.
    EXPECT_EQ(profile.GetString("Marvolin", "late"), std::nullopt);
    EXPECT_EQ(profile.GetString("Marvolin", "key"), std::nullopt);
    EXPECT_EQ(profile.GetString("Missing", "key"), std::nullopt);
}

TEST(ProfileFileTest, IntegersAreParsedLikeThePrivateProfileFunctions) {
    struct Case {
        const char* value;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"4", 4},
        {"  12abc", 12},
        {"-3", -3},
        {"+8", 8},
        {"0x1F", 31},
        {"0X10", 16},
        {"0o17", 15},
        {"0b101", 5},
        {"abc", 0},
        {"-", 0},
        {"0x", 0},
        {"3.9", 3},
        {"4294967295", -1},
        {"4294967296", 0},
        // Only the first 29 characters are read.
        {"00000000000000000000000000000001", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseProfileInteger(c.value), c.expected) << c.value;
    }
    const auto profile = ProfileFile::FromText("[S]\nempty=\nblank=   \nset=5\n");
    EXPECT_EQ(profile.GetInt("S", "empty", 77), 77);
    EXPECT_EQ(profile.GetInt("S", "blank", 77), 77);
    EXPECT_EQ(profile.GetInt("S", "missing", 77), 77);
    EXPECT_EQ(profile.GetInt("S", "set", 77), 5);
}

TEST(ProfileFileTest, WritingKeepsEveryOtherLine) {
    auto profile = ProfileFile::FromText(
        "; my settings\n"
        "[First]\n"
        "a=1\n"
        "\n"
        "[Marvolin]\n"
        "Display help=1\n"
        "unknown = keep me\n"
        "\n"
        "[Last]\n"
        "z=26\n");
    profile.SetString("marvolin", "DISPLAY HELP", "0");
    profile.SetString("Marvolin", "Audio input", "2");
    profile.SetString("Fresh", "k", "v");
    EXPECT_EQ(profile.Text(),
              "; my settings\n"
              "[First]\n"
              "a=1\n"
              "\n"
              "[Marvolin]\n"
              "DISPLAY HELP=0\n"
              "unknown = keep me\n"
              "Audio input=2\n"
              "\n"
              "[Last]\n"
              "z=26\n"
              "\n"
              "[Fresh]\n"
              "k=v\n");
}

TEST(ProfileFileTest, KeepsWindowsLineEndingsAndAMissingFinalNewline) {
    auto crlf = ProfileFile::FromText("[S]\r\na=1\r\n");
    crlf.SetString("S", "b", "2");
    EXPECT_EQ(crlf.Text(), "[S]\r\na=1\r\nb=2\r\n");

    auto unterminated = ProfileFile::FromText("x=1\n[S]\na=1");
    unterminated.SetString("S", "a", "3");
    EXPECT_EQ(unterminated.Text(), "x=1\n[S]\na=3");

    auto empty = ProfileFile::FromText("");
    empty.SetString("S", "a", "1");
    EXPECT_EQ(empty.Text(), "[S]\na=1\n");
}

TEST(ProfileFileTest, SavesAtomicallyAndLoadsBack) {
    testing::TemporaryFolder folder;
    const std::string path = folder.File("settings.ini");
    EXPECT_EQ(ProfileFile::Load(path).Text(), "");  // a missing file is an empty profile

    auto profile = ProfileFile::FromText("[S]\na=1\n");
    ASSERT_TRUE(profile.Save(path));
    EXPECT_EQ(testing::ReadText(path), "[S]\na=1\n");
    EXPECT_EQ(ProfileFile::Load(path).GetString("S", "a"), "1");

    // A folder that cannot hold the file: nothing is written and the failure is reported.
    EXPECT_FALSE(profile.Save(folder.File("missing/settings.ini")));
    EXPECT_FALSE(profile.Save(path + "/below-a-file.ini"));
    EXPECT_EQ(testing::ReadText(path), "[S]\na=1\n");
}

TEST(ProfileFileTest, AValueCannotAddLinesToTheFile) {
    auto profile = ProfileFile::FromText("[S]\na=1\n");
    profile.SetString("S", "dir", "/home/me\n[S]\na=2\r\n");
    EXPECT_EQ(profile.Text(), "[S]\na=1\ndir=/home/me\n");
}

TEST(ProfileFileTest, AFolderOrADeviceInTheFilesPlaceIsAnEmptyProfile) {
    testing::TemporaryFolder folder;
    EXPECT_EQ(ProfileFile::Load(folder.path()).Text(), "");
    EXPECT_FALSE(ProfileFile::FromText("[S]\na=1\n").Save(folder.path()));
    EXPECT_EQ(ProfileFile::Load("/dev/zero").Text(), "");
}

}  // namespace
}  // namespace marvolin::platform
