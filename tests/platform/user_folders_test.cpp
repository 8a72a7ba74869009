#include "platform/user_folders.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "support/test_files.h"

namespace marvolin::platform {
namespace {

TEST(UserFoldersTest, TheMusicFolderComesFromUserDirs) {
    const std::string text =
        "# written by xdg-user-dirs-update\n"
        "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
        "XDG_MUSIC_DIR=\"$HOME/Musik\"\n";
    EXPECT_EQ(MusicFolderFromUserDirs(text, "/home/me"), "/home/me/Musik");
    EXPECT_EQ(MusicFolderFromUserDirs("XDG_MUSIC_DIR=\"/srv/sounds\"\n", "/home/me"),
              "/srv/sounds");
    EXPECT_EQ(MusicFolderFromUserDirs("# XDG_MUSIC_DIR=\"$HOME/x\"\n", "/home/me"), "");
    EXPECT_EQ(MusicFolderFromUserDirs("", "/home/me"), "");
}

class MusicFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_MUSIC_DIR"}) {
            const char* value = std::getenv(name);
            saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
        }
        std::filesystem::create_directories(folder.File("home/.config"));
        ::setenv("HOME", folder.File("home").c_str(), 1);
        ::unsetenv("XDG_CONFIG_HOME");
        ::unsetenv("XDG_MUSIC_DIR");
    }
    void TearDown() override {
        for (const auto& [name, value] : saved) {
            if (value) {
                ::setenv(name, value->c_str(), 1);
            } else {
                ::unsetenv(name);
            }
        }
    }
    testing::TemporaryFolder folder;
    std::vector<std::pair<const char*, std::optional<std::string>>> saved;
};

TEST_F(MusicFolderTest, HomeUnlessTheMusicFolderExists) {
    testing::WriteText(folder.File("home/.config/user-dirs.dirs"),
                       "XDG_MUSIC_DIR=\"$HOME/Music\"\n");
    EXPECT_EQ(MusicFolder(), folder.File("home"));  // named but not there
    std::filesystem::create_directories(folder.File("home/Music"));
    EXPECT_EQ(MusicFolder(), folder.File("home/Music"));
    std::filesystem::create_directories(folder.File("elsewhere"));
    ::setenv("XDG_MUSIC_DIR", folder.File("elsewhere").c_str(), 1);
    EXPECT_EQ(MusicFolder(), folder.File("elsewhere"));
}

TEST_F(MusicFolderTest, WritableFolders) {
    EXPECT_TRUE(IsWritableFolder(folder.path()));
    EXPECT_FALSE(IsWritableFolder(folder.File("missing")));
    testing::WriteText(folder.File("file"), "x");
    EXPECT_FALSE(IsWritableFolder(folder.File("file")));
}

}  // namespace
}  // namespace marvolin::platform
