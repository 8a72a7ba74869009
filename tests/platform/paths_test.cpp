#include "platform/paths.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "support/test_files.h"

namespace marvolin::platform {
namespace {

class ScopedEnvironment {
  public:
    ScopedEnvironment(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        if (value) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }
    ~ScopedEnvironment() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(PathsTest, SettingsFileFollowsXdgConfigHome) {
    ScopedEnvironment home("HOME", "/home/someone");
    {
        ScopedEnvironment config("XDG_CONFIG_HOME", "/tmp/config");
        EXPECT_EQ(SettingsFilePath(), "/tmp/config/marvolin.ini");
    }
    for (const char* ignored : {static_cast<const char*>(nullptr), "", "relative/dir"}) {
        ScopedEnvironment config("XDG_CONFIG_HOME", ignored);
        EXPECT_EQ(SettingsFilePath(), "/home/someone/.config/marvolin.ini");
    }
}

TEST(PathsTest, DataFolderIsFoundBesideTheExecutableOrInShare) {
    testing::TemporaryFolder root;
    namespace fs = std::filesystem;
    const fs::path buildTree = fs::path(root.path()) / "build" / "bin";
    fs::create_directories(buildTree / "waves");
    testing::WriteText((buildTree / "waves" / "welcome.wav").string(), "x");
    EXPECT_EQ(DataFolderFor(buildTree.string()), buildTree.string());

    const fs::path prefix = fs::path(root.path()) / "usr";
    fs::create_directories(prefix / "bin");
    fs::create_directories(prefix / "share" / "marvolin");
    testing::WriteText((prefix / "share" / "marvolin" / "marvolin.bmp").string(), "x");
    EXPECT_EQ(DataFolderFor((prefix / "bin").string()), (prefix / "share" / "marvolin").string());

    // Without data files anywhere, the executable's own folder.
    const fs::path bare = fs::path(root.path()) / "elsewhere" / "bin";
    EXPECT_EQ(DataFolderFor(bare.string()), bare.string());

    ScopedEnvironment overridden("MARVOLIN_DATA_DIR", "/opt/marvolin-data");
    EXPECT_EQ(DataFolder(), "/opt/marvolin-data");
}

TEST(PathsTest, JoinPathUsesOneSlash) {
    EXPECT_EQ(JoinPath("/a", "b"), "/a/b");
    EXPECT_EQ(JoinPath("/a/", "b"), "/a/b");
    EXPECT_EQ(JoinPath("", "b"), "b");
}

}  // namespace
}  // namespace marvolin::platform
