#include "formats/sample_decoding.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "formats/byte_reader.h"
#include "formats/byte_source.h"

namespace marvolin::formats {
namespace {

TEST(SampleDecodingTest, EachEncodingGivesItsTop16Bits) {
    const struct {
        SampleEncoding encoding;
        std::vector<std::uint8_t> bytes;
        std::int16_t expected;
    } cases[] = {
        {SampleEncoding::Unsigned8, {0x00}, -32768},
        {SampleEncoding::Unsigned8, {0xFF}, 32512},
        {SampleEncoding::Signed8, {0x80}, -32768},
        {SampleEncoding::Signed8, {0x7F}, 32512},
        {SampleEncoding::MuLaw8, {0xFF}, 0},
        {SampleEncoding::MuLaw8, {0x80}, 32124},
        {SampleEncoding::MuLaw8, {0x00}, -32124},
        {SampleEncoding::MuLaw8, {0xE7}, 260},
        {SampleEncoding::ALaw8, {0xD5}, 8},
        {SampleEncoding::ALaw8, {0xAA}, 32256},
        {SampleEncoding::ALaw8, {0x01}, -5248},
        {SampleEncoding::Signed16LE, {0x35, 0x12}, 0x1235},
        {SampleEncoding::Signed16BE, {0x12, 0x35}, 0x1235},
        {SampleEncoding::Signed16BE, {0x80, 0x00}, -32768},
        {SampleEncoding::Signed24LE, {0xFF, 0x35, 0x12}, 0x1235},
        {SampleEncoding::Signed24BE, {0x12, 0x35, 0xFF}, 0x1235},
        {SampleEncoding::Signed24BE, {0xFF, 0xFF, 0x01}, -1},
        {SampleEncoding::Signed32LE, {0xAA, 0xBB, 0x35, 0x12}, 0x1235},
        {SampleEncoding::Signed32BE, {0x12, 0x35, 0xBB, 0xAA}, 0x1235},
        {SampleEncoding::Signed32BE, {0x80, 0x00, 0xFF, 0xFF}, -32768},
        {SampleEncoding::Float32LE, {0x00, 0x00, 0x00, 0x3F}, 16383},                       // 0.5
        {SampleEncoding::Float32BE, {0xBE, 0x80, 0x00, 0x00}, -8191},                       // -0.25
        {SampleEncoding::Float64LE, {0, 0, 0, 0, 0, 0, 0xF8, 0x3F}, 32767},                 // 1.5
        {SampleEncoding::Float64BE, {0xBF, 0x1A, 0x36, 0xE2, 0xEB, 0x1C, 0x43, 0x2D}, -3},  // -1e-4
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "encoding " << static_cast<int>(c.encoding));
        ASSERT_EQ(BytesPerSample(c.encoding), c.bytes.size());
        EXPECT_EQ(DecodeSample(c.bytes.data(), c.encoding), c.expected);
    }
}

TEST(SampleDecodingTest, DecodingManyFramesKeepsTheFirstOfEachAndStopsAtTheEnd) {
    // 24-bit stereo, long enough to be read in several pieces.
    constexpr std::size_t kFrames = 30000;
    std::vector<std::uint8_t> bytes;
    std::vector<std::int16_t> expected;
    for (std::size_t i = 0; i < kFrames; ++i) {
        const auto left = static_cast<std::uint16_t>(i * 7 + 1);
        const auto right = static_cast<std::uint16_t>(~left);
        bytes.insert(
            bytes.end(),
            {0xAB, static_cast<std::uint8_t>(left), static_cast<std::uint8_t>(left >> 8), 0xCD,
             static_cast<std::uint8_t>(right), static_cast<std::uint8_t>(right >> 8)});
        expected.push_back(static_cast<std::int16_t>(left & 0xFFFE));
    }
    MemoryByteSource source(bytes);

    ByteReader whole(source);
    std::vector<std::int16_t> out(kFrames);
    EXPECT_TRUE(DecodeSamples(whole, SampleEncoding::Signed24LE, out, 2, 0xFFFE));
    EXPECT_EQ(out, expected);

    // One frame more than the source holds: false, with every whole frame decoded.
    ByteReader past(source);
    std::vector<std::int16_t> more(kFrames + 1, 0x7777);
    EXPECT_FALSE(DecodeSamples(past, SampleEncoding::Signed24LE, more, 2, 0xFFFE));
    EXPECT_EQ(std::vector<std::int16_t>(more.begin(), more.end() - 1), expected);
}

// Both G.711 laws: every code is symmetric to the one with the sign bit flipped, and the
// magnitudes grow strictly with the code's lower seven bits (taken as the line carries them).
TEST(SampleDecodingTest, G711ExpansionsAreSymmetricAndMonotonic) {
    for (unsigned code = 1; code < 128; ++code) {
        SCOPED_TRACE(code);
        const auto mu = static_cast<std::uint8_t>(0xFF - code);
        EXPECT_EQ(MuLawToLinear(mu), -MuLawToLinear(mu & 0x7F));
        EXPECT_GT(MuLawToLinear(mu), MuLawToLinear(static_cast<std::uint8_t>(mu + 1)));
        const auto a = static_cast<std::uint8_t>((0x80 | code) ^ 0x55);
        const auto below = static_cast<std::uint8_t>((0x80 | (code - 1)) ^ 0x55);
        EXPECT_EQ(ALawToLinear(a), -ALawToLinear(a ^ 0x80));
        EXPECT_GT(ALawToLinear(a), ALawToLinear(below));
    }
}

}  // namespace
}  // namespace marvolin::formats
