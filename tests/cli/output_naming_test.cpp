#include "cli/output_naming.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/test_files.h"

namespace marvolin::cli {
namespace {

using formats::SaveFormat;
using testing::TemporaryFolder;

TEST(OutputNamingTest, TheExtensionIsAddedOnlyToALastComponentWithoutOne) {
    struct Case {
        std::string name;
        std::optional<SaveFormat> forced;
        std::string path;
        SaveFormat format;
    };
    const Case cases[] = {
        {"out", std::nullopt, "out.wav", SaveFormat::Wav},
        {"sub.d/out", std::nullopt, "sub.d/out.wav", SaveFormat::Wav},
        {"sub.d/out", SaveFormat::Mp3, "sub.d/out.mp3", SaveFormat::Mp3},
        {".hidden", std::nullopt, ".hidden.wav", SaveFormat::Wav},
        {"voice.OPUS", std::nullopt, "voice.OPUS", SaveFormat::Opus},
        {"a.b.flac", std::nullopt, "a.b.flac", SaveFormat::Flac},
        {"memo.ogg", std::nullopt, "memo.ogg", SaveFormat::Vorbis},
        {"memo.m4a", std::nullopt, "memo.m4a", SaveFormat::M4a},
        {"raw.data", SaveFormat::Flac, "raw.data", SaveFormat::Flac},  // -t forces the type
        {"-", std::nullopt, "-", SaveFormat::Wav},
        {"-", SaveFormat::Opus, "-", SaveFormat::Opus},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const OutputNaming naming = NameOutput(c.name, c.forced);
        ASSERT_TRUE(naming.target) << naming.problem;
        EXPECT_EQ(naming.target->path, c.path);
        EXPECT_EQ(naming.target->format, c.format);
    }
}

TEST(OutputNamingTest, NamesThatCannotBeWrittenAreRefused) {
    TemporaryFolder folder;
    std::filesystem::create_directory(folder.File("taken.wav"));
    ASSERT_EQ(::mkfifo(folder.File("pipe.wav").c_str(), 0600), 0);
    struct Case {
        std::string name;
        std::string problem;
    };
    const Case cases[] = {
        {"", "empty"},
        {"out.txt", "cannot write \".txt\" files"},
        {"out.", "cannot write \".\" files"},
        {"sound.aiff", "cannot write \".aiff\" files"},
        {folder.File(""), "is a folder"},
        {folder.path(), "is a folder"},
        {folder.File("."), "is a folder"},
        {folder.File("taken"), "taken.wav: is a folder"},  // once ".wav" is added
        {folder.File("pipe.wav"), "is not a regular file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const OutputNaming naming = NameOutput(c.name, std::nullopt);
        EXPECT_FALSE(naming.target);
        EXPECT_NE(naming.problem.find(c.problem), std::string::npos) << naming.problem;
    }
    // A device named as such is not replaced by a file either.
    EXPECT_NE(NameOutput("/dev/null", SaveFormat::Wav).target->path, "/dev/null");
}

TEST(OutputNamingTest, AFolderGetsTheInputsNameWithTheTypesExtension) {
    EXPECT_EQ(NameInFolder("out", "in/voice.aiff", std::nullopt).target->path, "out/voice.wav");
    EXPECT_EQ(NameInFolder("out/", "a.b.c", SaveFormat::Opus).target->path, "out/a.b.opus");
    EXPECT_EQ(NameInFolder("out", "memo", SaveFormat::M4a).target->path, "out/memo.m4a");
    EXPECT_EQ(NameInFolder("out", "memo", SaveFormat::M4a).target->format, SaveFormat::M4a);
}

}  // namespace
}  // namespace marvolin::cli
