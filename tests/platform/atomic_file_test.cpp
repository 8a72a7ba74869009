#include "platform/atomic_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "support/test_files.h"

namespace marvolin::platform {
namespace {

using marvolin::testing::ReadText;
using marvolin::testing::TemporaryFolder;

std::size_t EntriesIn(const std::string& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

const std::vector<std::uint8_t> kBytes = {'n', 'e', 'w'};

TEST(AtomicFileWriterTest, ReplacesTheTargetOnlyOnCommit) {
    TemporaryFolder folder;
    marvolin::testing::WriteText(folder.File("out.wav"), "old");
    {
        AtomicFileWriter abandoned(folder.File("out.wav"));
        abandoned.Write(kBytes);
        EXPECT_EQ(EntriesIn(folder.path()), 2u);  // the target and the hidden temporary file
    }
    EXPECT_EQ(ReadText(folder.File("out.wav")), "old");
    EXPECT_EQ(EntriesIn(folder.path()), 1u);

    AtomicFileWriter file(folder.File("out.wav"));
    file.Write(kBytes);
    EXPECT_TRUE(file.Commit());
    EXPECT_EQ(ReadText(folder.File("out.wav")), "new");
    EXPECT_EQ(EntriesIn(folder.path()), 1u);
}

// A stop removes what is unfinished and lets nothing be renamed afterwards; it runs in a child
// process because it keeps the writers' lock for good.
TEST(AtomicFileWriterDeathTest, AStopRemovesUnfinishedFilesAndKeepsTheTargets) {
    TemporaryFolder folder;
    marvolin::testing::WriteText(folder.File("kept.wav"), "old");
    EXPECT_EXIT(
        {
            AtomicFileWriter first(folder.File("kept.wav"));
            first.Write(kBytes);
            AtomicFileWriter second(folder.File("other.wav"));
            second.Write(kBytes);
            RemoveUnfinishedFilesForGood();
            std::_Exit(EntriesIn(folder.path()) == 1 ? 3 : 4);
        },
        ::testing::ExitedWithCode(3), "");
    EXPECT_EQ(ReadText(folder.File("kept.wav")), "old");
    EXPECT_EQ(EntriesIn(folder.path()), 1u);
}

TEST(AtomicFileWriterTest, FailuresKeepTheSystemsReason) {
    TemporaryFolder folder;
    AtomicFileWriter file(folder.File("missing/out.wav"));
    file.Write(kBytes);
    EXPECT_FALSE(file.Commit());
    EXPECT_EQ(file.systemError(), ENOENT);
}

}  // namespace
}  // namespace marvolin::platform
