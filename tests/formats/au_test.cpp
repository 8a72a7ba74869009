#include "formats/au.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "reader_fixture.h"
#include "support/test_files.h"

namespace marvolin::formats {
namespace {

using testing::Bytes;
using ByteVector = std::vector<std::uint8_t>;

constexpr std::uint32_t kMuLaw = 1;
constexpr std::uint32_t kLinear8 = 2;
constexpr std::uint32_t kLinear16 = 3;

// The 24-byte header, `annotation`, then the data. The size field is the data's unless given.
ByteVector Au(std::uint32_t encoding, std::uint32_t rate, std::uint32_t channels,
              const ByteVector& data, std::optional<std::uint32_t> size = std::nullopt,
              const ByteVector& annotation = {}) {
    return Bytes()
        .Tag(".snd")
        .U32BE(static_cast<std::uint32_t>(24 + annotation.size()))
        .U32BE(size.value_or(static_cast<std::uint32_t>(data.size())))
        .U32BE(encoding)
        .U32BE(rate)
        .U32BE(channels)
        .Append(annotation)
        .Append(data)
        .data;
}

class AuTest : public ReaderTest {
  protected:
    void LoadAuBytes(const ByteVector& file) { Load(&LoadAuFrom, file); }
};

TEST_F(AuTest, EveryEncodingIsConvertedTo16Bits) {
    const struct {
        const char* name;
        std::uint32_t encoding;
        ByteVector data;
        std::vector<std::int16_t> expected;
    } cases[] = {
        {"mu-law", kMuLaw, {0xFF, 0x7F, 0x80, 0x00, 0xE7}, {0, 0, 32124, -32124, 260}},
        {"8-bit signed", kLinear8, {0x80, 0x7F, 0x01, 0x00}, {-32768, 32512, 256, 0}},
        {"16-bit big-endian",
         kLinear16,
         {0x12, 0x35, 0x80, 0x00, 0xFF, 0xFF},
         {0x1235, -32768, -1}},
        {"24-bit keeps its top 16 bits", 4, {0x12, 0x35, 0xFF, 0x80, 0x00, 0x01}, {0x1235, -32768}},
        {"32-bit keeps its top 16 bits",
         5,
         {0x7F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0, 0},
         {32767, -2}},
        {"float, clamped and truncated",
         6,
         Bytes().U32BE(0x3F000000).U32BE(0xC0000000).U32BE(0x7FC00000).U32BE(0xB8D1B717).data,
         {16383, -32767, 0, -3}},  // 0.5, -2, NaN, -1e-4
        {"A-law", 27, {0xD5, 0x55, 0xAA, 0x2A, 0x80, 0x00}, {8, -8, 32256, -32256, 5504, -5504}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        LoadAuBytes(Au(c.encoding, 11025, 1, c.data));
        ExpectLoaded(c.expected, 11025, 1);
    }
}

TEST_F(AuTest, DataIsReadFromItsOffsetAndChannelsStayInterleaved) {
    Restart();
    LoadAuBytes(Au(kLinear16, 22050, 1, {0x01, 0x02}, std::nullopt, {'n', 'o', 't', 'e'}));
    ExpectLoaded({0x0102}, 22050, 1);

    Restart();
    LoadAuBytes(Au(kLinear16, 44100, 2, {0x00, 0x01, 0x00, 0x02, 0x00, 0x03, 0x00, 0x04}));
    ExpectLoaded({1, 2, 3, 4}, 44100, 2);
}

TEST_F(AuTest, DataSizesAreCutToWhatTheFileHolds) {
    const ByteVector data = {0x00, 0x01, 0x00, 0x02, 0x00, 0x03, 0x99};
    const struct {
        const char* name;
        std::uint32_t size;
        std::vector<std::int16_t> expected;
    } cases[] = {
        {"unknown size, every bit set", 0xFFFFFFFF, {1, 2, 3}},
        {"past the end of the file", 1000, {1, 2, 3}},
        {"shorter than the file", 4, {1, 2}},
        {"half a sample", 3, {1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        LoadAuBytes(Au(kLinear16, 8000, 1, data, c.size));
        ExpectLoaded(c.expected, 8000, 1);
    }
}

TEST_F(AuTest, DamagedHeadersAreRefused) {
    const ByteVector good = Au(kLinear16, 8000, 1, {0x00, 0x01});
    for (std::size_t length = 0; length < 24; ++length) {
        SCOPED_TRACE(length);
        Restart();
        LoadAuBytes(ByteVector(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length)));
        ExpectRefused(FileStatus::Damaged);
    }
    ByteVector offsetPastEnd = good;
    offsetPastEnd[7] = 27;  // the file is 26 bytes long
    ByteVector offsetAllBits = good;
    offsetAllBits[4] = offsetAllBits[5] = offsetAllBits[6] = offsetAllBits[7] = 0xFF;
    // No channels or more than 65535, or a rate of 0 or above the 768000 Hz of any recording.
    for (const ByteVector& file :
         {offsetPastEnd, offsetAllBits, Au(kLinear16, 0, 1, {0x00, 0x01}),
          Au(kLinear16, 8000, 0, {0x00, 0x01}), Au(kLinear16, 8000, 0x10000, {0x00, 0x01}),
          Au(kLinear16, 768001, 1, {0x00, 0x01}), Au(kLinear16, 0x80000000u, 1, {0x00, 0x01})}) {
        Restart();
        LoadAuBytes(file);
        ExpectRefused(FileStatus::Damaged);
    }
}

// Any encoding without a conversion is refused, whatever was loaded before it.
TEST_F(AuTest, OtherEncodingsAreRefusedWithAWarning) {
    for (const std::uint32_t encoding : {0u, 7u, 23u, 28u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(encoding);
        Restart();
        LoadAuBytes(Au(kMuLaw, 8000, 1, {0x80}));
        Restart();
        LoadAuBytes(Au(encoding, 8000, 1, {0x80, 0x00}));
        ExpectRefused(FileStatus::Unsupported);
    }
}

TEST_F(AuTest, FailedAllocationLeavesNoSound) {
    ExpectEachAllocationFailureHandled(&LoadAuFrom, Au(kLinear16, 22050, 2, {0x00, 0x01}), 2);
    ExpectLoaded({1}, 22050, 2);
}

TEST_F(AuTest, FilesAreReadFromTheirPath) {
    testing::TemporaryFolder folder;
    Restart();
    Install(LoadAu(folder.File("missing.au")));
    ExpectRefused(FileStatus::CannotOpen);
    EXPECT_EQ(systemError, ENOENT);

    const std::string path = folder.File("take.snd");
    testing::WriteBytes(path, Au(kMuLaw, 8012, 1, {0x80, 0x00}));
    Restart();
    Install(LoadAu(path));
    ExpectLoaded({32124, -32124}, 8012, 1);
}

}  // namespace
}  // namespace marvolin::formats
