#include "formats/byte_source.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <future>
#include <vector>

#include "formats/byte_reader.h"
#include "support/test_files.h"

namespace marvolin::formats {
namespace {

using testing::TemporaryFolder;

TEST(ByteReaderTest, ReadsThatDoNotFitFailWithoutMoving) {
    const std::vector<std::uint8_t> bytes = {'R', 'I', 'F', 'F', 0x34, 0x12, 0x78, 0x56, 0x9A};
    MemoryByteSource source(bytes);
    ByteReader reader(source);
    ASSERT_EQ(reader.size(), 9u);

    const auto tag = reader.ReadTag();
    ASSERT_TRUE(tag);
    EXPECT_TRUE(TagIs(*tag, "RIFF"));
    EXPECT_FALSE(TagIs(*tag, "RIF"));
    EXPECT_EQ(reader.ReadU16LE(), 0x1234);
    EXPECT_FALSE(reader.ReadU32LE());
    EXPECT_EQ(reader.position(), 6u);
    EXPECT_EQ(reader.ReadU16BE(), 0x7856);
    EXPECT_FALSE(reader.ReadU16LE());
    EXPECT_FALSE(reader.ReadTag());
    EXPECT_EQ(reader.position(), 8u);
    EXPECT_EQ(reader.ReadU8(), 0x9A);
    EXPECT_EQ(reader.remaining(), 0u);
    EXPECT_FALSE(reader.ReadU8());
    EXPECT_FALSE(reader.Skip(1));
    EXPECT_TRUE(reader.Skip(0));
    EXPECT_EQ(reader.position(), 9u);

    EXPECT_FALSE(reader.Seek(10));
    EXPECT_EQ(reader.position(), 9u);
    EXPECT_TRUE(reader.Seek(2));
    EXPECT_FALSE(reader.Skip(8));
    EXPECT_EQ(reader.position(), 2u);
    EXPECT_EQ(reader.ReadU32BE(), 0x46463412u);
    EXPECT_TRUE(reader.Seek(4));
    EXPECT_EQ(reader.ReadU32LE(), 0x56781234u);

    // ReadUpTo stops at the end and says how far it got.
    std::array<std::uint8_t, 4> target{};
    EXPECT_TRUE(reader.Seek(7));
    EXPECT_FALSE(reader.ReadBytes(target));
    EXPECT_EQ(reader.position(), 7u);
    EXPECT_EQ(reader.ReadUpTo(target), 2u);
    EXPECT_EQ(target[0], 0x56);
    EXPECT_EQ(target[1], 0x9A);
    EXPECT_EQ(reader.position(), 9u);
    EXPECT_EQ(reader.ReadUpTo(target), 0u);

    std::array<std::uint8_t, 1> one{};
    EXPECT_EQ(source.ReadAt(9, one), 0u);
    EXPECT_EQ(source.ReadAt(1000, one), 0u);
}

// An empty span may carry no storage at all; reading into it must not touch memory (the
// sanitizer build catches a copy to a null pointer).
TEST(MemoryByteSourceTest, ReadsIntoNothingReadNothing) {
    const std::vector<std::uint8_t> bytes = {1, 2, 3};
    MemoryByteSource source(bytes);
    EXPECT_EQ(source.ReadAt(0, std::span<std::uint8_t>()), 0u);
    EXPECT_EQ(source.ReadAt(3, std::span<std::uint8_t>()), 0u);
    const std::vector<std::uint8_t> none;
    MemoryByteSource empty(none);
    std::array<std::uint8_t, 2> target{9, 9};
    EXPECT_EQ(empty.ReadAt(0, target), 0u);
    EXPECT_EQ(target, (std::array<std::uint8_t, 2>{9, 9}));
}

TEST(FileByteSourceTest, ReadsMatchTheFileAtAnyOffsetAndSize) {
    TemporaryFolder folder;
    std::vector<std::uint8_t> contents(40000);
    for (std::size_t i = 0; i < contents.size(); ++i) {
        contents[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    }
    testing::WriteBytes(folder.File("data"), contents);
    const auto file = FileByteSource::Open(folder.File("data"));
    ASSERT_TRUE(file);
    ASSERT_EQ(file->size(), contents.size());

    // Offsets visited out of order, so reads land inside, across and outside the read-ahead.
    const std::uint64_t offsets[] = {0, 16383, 16384, 100, 39997, 16380, 40000, 24000, 1, 50000};
    const std::size_t sizes[] = {1, 4, 3000, 16383, 16384, 20000};
    for (const std::size_t size : sizes) {
        for (const std::uint64_t offset : offsets) {
            SCOPED_TRACE(::testing::Message() << "offset " << offset << ", size " << size);
            std::vector<std::uint8_t> target(size, 0xCC);
            const std::size_t expected =
                offset >= contents.size() ? 0
                                          : std::min<std::size_t>(size, contents.size() - offset);
            ASSERT_EQ(file->ReadAt(offset, target), expected);
            ASSERT_TRUE(std::equal(target.begin(), target.begin() + expected,
                                   contents.begin() + static_cast<std::ptrdiff_t>(offset)));
        }
    }

    // A file that shrinks under the reader: reads fail instead of inventing bytes.
    const auto shrinking = FileByteSource::Open(folder.File("data"));
    ASSERT_TRUE(shrinking);
    std::filesystem::resize_file(folder.File("data"), 10);
    ByteReader reader(*shrinking);
    ASSERT_TRUE(reader.Seek(30000));
    EXPECT_FALSE(reader.ReadU32LE());
    EXPECT_EQ(reader.position(), 30000u);
    ASSERT_TRUE(reader.Seek(8));
    EXPECT_FALSE(reader.ReadU32LE());
    EXPECT_EQ(reader.position(), 8u);
}

TEST(FileByteSourceTest, OnlyRegularFilesOpen) {
    TemporaryFolder folder;
    testing::WriteBytes(folder.File("empty"), {});
    const auto empty = FileByteSource::Open(folder.File("empty"));
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->size(), 0u);
    ByteReader reader(*empty);
    EXPECT_FALSE(reader.ReadU8());

    EXPECT_FALSE(FileByteSource::Open(folder.File("missing")));
    EXPECT_FALSE(FileByteSource::Open(folder.path()));

    // A FIFO with no writer is refused at once; were the open to block, opening the other end
    // releases it so that the test fails instead of hanging.
    const std::string fifo = folder.File("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    auto opened = std::async(std::launch::async, [&fifo] { return FileByteSource::Open(fifo); });
    if (opened.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
        const int writer = ::open(fifo.c_str(), O_WRONLY);
        opened.wait();
        ::close(writer);
        FAIL() << "opening a FIFO blocked";
    }
    EXPECT_FALSE(opened.get());
}

}  // namespace
}  // namespace marvolin::formats
