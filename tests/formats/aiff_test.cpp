#include "formats/aiff.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "iff_test_support.h"
#include "platform/allocation.h"
#include "reader_fixture.h"
#include "support/test_files.h"

namespace marvolin::formats {
namespace {

using iff_testing::ByteVector;
using iff_testing::Chunk;
using iff_testing::First;
using iff_testing::Form;
using testing::Bytes;

using Extended = std::array<std::uint8_t, 10>;

constexpr Extended k44100 = {0x40, 0x0E, 0xAC, 0x44, 0, 0, 0, 0, 0, 0};
constexpr Extended kMinus44100 = {0xC0, 0x0E, 0xAC, 0x44, 0, 0, 0, 0, 0, 0};
constexpr Extended kZero = {};
constexpr Extended kMinusZero = {0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0};
constexpr Extended kInfinity = {0x7F, 0xFF, 0x80, 0, 0, 0, 0, 0, 0, 0};
constexpr Extended kMinusInfinity = {0xFF, 0xFF, 0x80, 0, 0, 0, 0, 0, 0, 0};
constexpr Extended kNaN = {0x7F, 0xFF, 0xC0, 0, 0, 0, 0, 1, 0, 0};
constexpr Extended kAbove2To64 = {0x40, 0x45, 0x80, 0, 0, 0, 0, 0, 0, 0};  // 2^70
constexpr Extended kAboveDoubleRange = {0x7F, 0xFE, 0x80, 0, 0, 0, 0, 0, 0, 0};

ByteVector CommBody(std::uint16_t channels, std::uint32_t frames, std::uint16_t bits,
                    const Extended& rate = k44100) {
    return Bytes()
        .U16BE(channels)
        .U32BE(frames)
        .U16BE(bits)
        .Append(ByteVector(rate.begin(), rate.end()))
        .data;
}

// The longer COMM of AIFF-C: the compression type and its name as a Pascal string.
ByteVector AifcCommBody(std::uint16_t channels, std::uint32_t frames, std::uint16_t bits,
                        const std::string& compression) {
    return Bytes()
        .Append(CommBody(channels, frames, bits))
        .Tag(compression)
        .U8(3)
        .Tag("abc")  // "abc": 1 + 3 bytes, no pad needed
        .data;
}

ByteVector Ssnd(const ByteVector& data, std::uint32_t offsetField = 0) {
    return Chunk("SSND", Bytes().U32BE(offsetField).U32BE(0).Append(data).data);
}

// The usual layout: COMM announcing every frame of `data`, then SSND.
ByteVector Aiff(std::uint16_t channels, std::uint16_t bits, const ByteVector& data,
                const Extended& rate = k44100) {
    const auto frames = static_cast<std::uint32_t>(data.size() / channels / ((bits + 7) / 8));
    return Form("AIFF", {Chunk("COMM", CommBody(channels, frames, bits, rate)), Ssnd(data)});
}

ByteVector Be16(const std::vector<std::int16_t>& samples) {
    Bytes bytes;
    for (const std::int16_t sample : samples) {
        bytes.U16BE(static_cast<std::uint16_t>(sample));
    }
    return bytes.data;
}

class AiffTest : public ReaderTest {
  protected:
    void SetUp() override { Restart(); }
    void Load(const ByteVector& file) { ReaderTest::Load(&LoadAiffFrom, file); }
};

// --- The rate -------------------------------------------------------------------------------

TEST(AiffRateTest, ExtendedFloatsConvert) {
    EXPECT_EQ(ConvertExtended(k44100), 44100.0);
    EXPECT_EQ(ConvertExtended(kMinus44100), -44100.0);
    EXPECT_EQ(ConvertExtended(Extended{0x40, 0x0D, 0xAD, 0xDC}), 22254.0);
    EXPECT_EQ(ConvertExtended(kNaN), HUGE_VAL);
    EXPECT_EQ(ConvertExtended(kMinusInfinity), -HUGE_VAL);
    EXPECT_EQ(ConvertExtended({0x40, 0x0C, 0x82, 0xAE, 0, 0, 0, 0, 0, 0}), 8363.5);
    // 2^33 + 1: the low mantissa word counts too.
    EXPECT_EQ(ConvertExtended({0x40, 0x20, 0x80, 0, 0, 0, 0x40, 0, 0, 0}), 8589934593.0);
}

TEST_F(AiffTest, RatesSnapToThreeStandardOnes) {
    const struct {
        const char* name;
        Extended rate;
        std::uint32_t played;
    } cases[] = {
        {"48000", Extended{0x40, 0x0E, 0xBB, 0x80}, 44100},
        {"44100", k44100, 44100},
        {"44001", Extended{0x40, 0x0E, 0xAB, 0xE1}, 44100},
        {"44000 stays", Extended{0x40, 0x0E, 0xAB, 0xE0}, 44000},
        {"43999", Extended{0x40, 0x0E, 0xAB, 0xDF}, 22050},
        {"32000", Extended{0x40, 0x0D, 0xFA}, 22050},
        {"22254", Extended{0x40, 0x0D, 0xAD, 0xDC}, 22050},
        {"20001", Extended{0x40, 0x0D, 0x9C, 0x42}, 22050},
        {"20000 stays", Extended{0x40, 0x0D, 0x9C, 0x40}, 20000},
        {"19999", Extended{0x40, 0x0D, 0x9C, 0x3E}, 11025},
        {"16000", Extended{0x40, 0x0C, 0xFA}, 11025},
        {"11127", Extended{0x40, 0x0C, 0xAD, 0xDC}, 11025},
        {"8000", Extended{0x40, 0x0B, 0xFA}, 11025},
        {"zero", kZero, 11025},
        {"negative zero", kMinusZero, 11025},
        {"negative", kMinus44100, 44100},
        {"infinite", kInfinity, 11025},
        {"minus infinity", kMinusInfinity, 11025},
        {"not a number", kNaN, 11025},
        {"2^32 + 30000 keeps its low 32 bits", Extended{0x40, 0x1F, 0x80, 0x00, 0x3A, 0x98}, 22050},
        {"past 2^64", kAbove2To64, 11025},
        {"past the double range", kAboveDoubleRange, 11025},
        // Far above any recording's rate, but played at a standard one all the same.
        {"1000000", Extended{0x40, 0x12, 0xF4, 0x24}, 44100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        Load(Aiff(1, 16, Be16({1, -2}), c.rate));
        ExpectLoaded({1, -2}, c.played, 1);
    }
}

// --- Samples --------------------------------------------------------------------------------

TEST_F(AiffTest, SampleWidthsAreConvertedTo16Bits) {
    const struct {
        const char* name;
        std::uint16_t bits;
        ByteVector data;
        std::vector<std::int16_t> expected;
    } cases[] = {
        {"8-bit signed", 8, {0x80, 0x7F, 0x00, 0xFF, 0x01}, {-32768, 32512, 0, -256, 256}},
        {"16-bit big-endian", 16, Be16({0x1234, -32768, 32767, -1}), {0x1234, -32768, 32767, -1}},
        {"12-bit, left-justified in two bytes", 12, {0x12, 0x30, 0xFF, 0xF0}, {0x1230, -16}},
        {"24-bit keeps the top 16 bits",
         24,
         {0x12, 0x35, 0xFF, 0x80, 0x00, 0x00, 0x7F, 0xFF, 0xFF},
         {0x1235, -32768, 32767}},
        {"32-bit keeps the top 16 bits",
         32,
         {0x12, 0x35, 0xAA, 0xBB, 0xFF, 0xFF, 0xFF, 0xFF},
         {0x1235, -1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        Load(Aiff(1, c.bits, c.data));
        ExpectLoaded(c.expected, 44100, 1);
    }
}

TEST_F(AiffTest, ChannelsStayInterleaved) {
    // Two stereo frames give four samples in frame order, as one channel.
    Load(Aiff(2, 16, Be16({1, -1, 2, -2})));
    ExpectLoaded({1, -1, 2, -2}, 44100, 2);

    Restart();
    Load(Aiff(3, 8, {0x01, 0x02, 0x03, 0x81, 0x82, 0x83}));
    ExpectLoaded({256, 512, 768, -32512, -32256, -32000}, 44100, 3);
}

TEST_F(AiffTest, AifcUncompressedTypesAreRead) {
    const struct {
        const char* compression;
        std::uint16_t bits;
        ByteVector data;
        std::vector<std::int16_t> expected;
    } cases[] = {
        {"NONE", 16, Be16({0x1234, -2}), {0x1234, -2}},
        {"twos", 16, Be16({0x1234, -2}), {0x1234, -2}},
        {"twos", 8, {0x80, 0x7F}, {-32768, 32512}},
        {"sowt", 16, {0x34, 0x12, 0xFE, 0xFF}, {0x1234, -2}},
        {"sowt", 8, {0x80, 0x7F}, {-32768, 32512}},
        {"sowt", 24, {0xAA, 0x35, 0x12}, {0x1235}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.compression) + " " + std::to_string(c.bits));
        Restart();
        const auto frames = static_cast<std::uint32_t>(c.expected.size());
        Load(Form("AIFC",
                  {Chunk("FVER", Bytes().U32BE(0xA2805140).data),
                   Chunk("COMM", AifcCommBody(1, frames, c.bits, c.compression)), Ssnd(c.data)}));
        ExpectLoaded(c.expected, 44100, 1);
    }
}

TEST_F(AiffTest, CompressedAifcIsRefusedWithAWarning) {
    for (const std::string compression : {"ima4", "fl32", "ulaw", "ACE2", "raw "}) {
        SCOPED_TRACE(compression);
        Restart();
        Load(Form("AIFC",
                  {Chunk("COMM", AifcCommBody(1, 4, 16, compression)), Ssnd(Be16({1, 2, 3, 4}))}));
        ExpectRefused(FileStatus::Unsupported);
    }
}

TEST_F(AiffTest, ACompressionTypeCountsOnlyInAifcFiles) {
    // A plain AIFF whose COMM happens to be longer: its extra bytes are not a compression type.
    Load(Form("AIFF", {Chunk("COMM", AifcCommBody(1, 2, 16, "ima4")), Ssnd(Be16({7, 8}))}));
    ExpectLoaded({7, 8}, 44100, 1);

    // An AIFF-C COMM too short to name a compression is read as plain samples.
    Restart();
    Load(Form("AIFC", {Chunk("COMM", CommBody(1, 2, 16)), Ssnd(Be16({7, 8}))}));
    ExpectLoaded({7, 8}, 44100, 1);
}

// --- The chunk walk -------------------------------------------------------------------------

TEST_F(AiffTest, ChunksAreFoundWhereverTheyAre) {
    const std::vector<std::int16_t> samples = {0x1234, -5, 7};
    const ByteVector comm = Chunk("COMM", CommBody(1, 3, 16));
    const ByteVector ssnd = Ssnd(Be16(samples));
    ByteVector foreignHeader = Form("AIFF", {comm, ssnd});
    std::fill(foreignHeader.begin(), foreignHeader.begin() + 8, 0xEE);
    const struct {
        const char* name;
        ByteVector file;
    } cases[] = {
        {"NAME and ANNO around COMM", Form("AIFF", {Chunk("NAME", {'a', 'b'}), comm,
                                                    Chunk("ANNO", {'x', 'y', 'z', 'w'}), ssnd})},
        {"odd-sized chunks with their pad bytes",
         Form("AIFF", {Chunk("AUTH", {'a'}), comm, Chunk("(c) ", {'a', 'b', 'c'}), ssnd})},
        {"SSND before COMM", Form("AIFF", {ssnd, comm})},
        {"chunks after SSND", Form("AIFF", {comm, ssnd, Chunk("COMT", ByteVector(30, 0xAB))})},
        {"SSND offset field ignored",
         Form("AIFF", {comm, Chunk("SSND", Bytes().U32BE(4).U32BE(0).Append(Be16(samples)).data)})},
        {"nothing before offset 12 is examined", foreignHeader},
        {"a second COMM and SSND are not looked at",
         Form("AIFF", {comm, ssnd, Chunk("COMM", CommBody(2, 1, 8)), Ssnd({9, 9})})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        Load(c.file);
        ExpectLoaded(samples, 44100, 1);
    }
}

TEST_F(AiffTest, TheDataLengthComesFromCommButStaysInsideSsnd) {
    const ByteVector data = Be16({1, 2, 3, 4});
    const ByteVector trailer = Chunk("COMT", Be16({99, 99}));
    const struct {
        const char* name;
        ByteVector file;
        std::vector<std::int16_t> expected;
    } cases[] = {
        {"fewer frames than SSND holds",
         Form("AIFF", {Chunk("COMM", CommBody(1, 2, 16)), Ssnd(data)}),
         {1, 2}},
        {"more frames than SSND holds",
         Form("AIFF", {Chunk("COMM", CommBody(1, 1000, 16)), Ssnd(data), trailer}),
         {1, 2, 3, 4}},
        {"frames with all bits set, SSND size past the end",
         Form("AIFF", {Chunk("COMM", CommBody(1, 0xFFFFFFFF, 16)),
                       Bytes().Tag("SSND").U32BE(1000).Zeros(8).Append(data).data}),
         {1, 2, 3, 4}},
        {"SSND size with all bits set reads to the end of the file",
         Form("AIFF", {Chunk("COMM", CommBody(1, 1000, 16)),
                       Bytes().Tag("SSND").U32BE(0xFFFFFFFF).Zeros(8).Append(data).U8(0x55).data}),
         {1, 2, 3, 4}},
        {"frames whose 32-bit byte count would wrap read what SSND holds",
         Form("AIFF", {Chunk("COMM", CommBody(1, 0x10000001, 16)), Ssnd(data)}),
         {1, 2, 3, 4}},
        {"stereo 24-bit frames past 2^32 bytes",
         Form("AIFF", {Chunk("COMM", CommBody(2, 0x40000000, 24)),
                       Ssnd({0x00, 0x01, 0xAA, 0x00, 0x02, 0xBB, 0x00, 0x03, 0xCC})}),
         {1, 2, 3}},
        {"no frames", Form("AIFF", {Chunk("COMM", CommBody(2, 0, 16)), Ssnd(data)}), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        Load(c.file);
        ASSERT_EQ(status, FileStatus::Ok);
        EXPECT_TRUE(sound.hasBlock);
        EXPECT_EQ(sound.samples, c.expected);
    }
}

TEST_F(AiffTest, DamagedOrIncompleteFilesAreRefused) {
    const ByteVector comm = Chunk("COMM", CommBody(1, 2, 16));
    const ByteVector ssnd = Ssnd(Be16({1, 2}));
    const ByteVector good = Form("AIFF", {comm, ssnd});
    const struct {
        const char* name;
        ByteVector file;
    } cases[] = {
        {"empty file", {}},
        {"11 bytes", First(good, 11)},
        {"FORM header alone", Form("AIFF", {})},
        {"no COMM", Form("AIFF", {ssnd})},
        {"no SSND", Form("AIFF", {comm, Chunk("NAME", {'a', 'b'})})},
        {"a WAV file",
         Bytes().Tag("RIFF").U32LE(36).Tag("WAVE").Tag("fmt ").U32LE(16).Zeros(16).data},
        {"COMM declared shorter than 18 bytes",
         Form("AIFF", {Chunk("COMM", First(CommBody(1, 2, 16), 16)), ssnd})},
        {"COMM cut in the channel count", First(good, 12 + 8 + 1)},
        {"COMM cut in the frame count", First(good, 12 + 8 + 4)},
        {"COMM cut in the sample width", First(good, 12 + 8 + 7)},
        {"COMM cut in the rate", First(good, 12 + 8 + 17)},
        {"chunk header cut after COMM", First(good, 12 + comm.size() + 6)},
        {"SSND cut in its offset field", First(good, 12 + comm.size() + 8 + 3)},
        {"SSND declared shorter than 8 bytes", Form("AIFF", {comm, Chunk("SSND", {0, 0, 0, 0})})},
        {"AIFF-C COMM cut in the compression type",
         First(Form("AIFC", {Chunk("COMM", AifcCommBody(1, 2, 16, "NONE"))}), 12 + 8 + 20)},
        {"zero channels", Form("AIFF", {Chunk("COMM", CommBody(0, 2, 16)), ssnd})},
        {"zero bits", Form("AIFF", {Chunk("COMM", CommBody(1, 2, 0)), ssnd})},
        {"33 bits", Form("AIFF", {Chunk("COMM", CommBody(1, 2, 33)), ssnd})},
        {"chunk running past the end before COMM",
         Form("AIFF", {Chunk("NAME", {'a', 'b'}, 1000), comm, ssnd})},
        {"chunk size with all bits set before SSND",
         Form("AIFF", {comm, Chunk("NAME", {'a', 'b'}, 0xFFFFFFFF), ssnd})},
        // With 32-bit offsets, 20 + 0xFFFFFFF8 would wrap back to this very chunk.
        {"chunk size that would wrap a 32-bit offset onto itself",
         Form("AIFF", {Chunk("JUNK", {}, 0xFFFFFFF8), comm, ssnd})},
        {"odd chunk whose pad byte is missing before COMM",
         First(Form("AIFF", {Chunk("NAME", {'a'})}), 12 + 9)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        Load(c.file);
        ExpectRefused(FileStatus::Damaged);
    }
}

TEST_F(AiffTest, FailedAllocationLeavesNoSound) {
    ExpectEachAllocationFailureHandled(&LoadAiffFrom, Aiff(2, 16, Be16({1, 2, 3, 4})), 2);
    ExpectLoaded({1, 2, 3, 4}, 44100, 2);
}

TEST_F(AiffTest, FilesAreReadFromDisk) {
    testing::TemporaryFolder folder;
    Install(LoadAiff(folder.File("missing.aif")));
    ExpectRefused(FileStatus::CannotOpen);
    EXPECT_EQ(systemError, ENOENT);

    Restart();
    const std::string path = folder.File("take.aif");
    testing::WriteBytes(path, Aiff(1, 8, {0x80, 0x7F}, Extended{0x40, 0x0B, 0xFA}));
    Install(LoadAiff(path));
    ExpectLoaded({-32768, 32512}, 11025, 1);
}

}  // namespace
}  // namespace marvolin::formats
