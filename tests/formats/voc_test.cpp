#include "formats/voc.h"

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

// A block: type, 24-bit length (the body's unless given), body.
ByteVector Block(std::uint8_t type, const ByteVector& body,
                 std::optional<std::uint32_t> length = std::nullopt) {
    const std::uint32_t n = length.value_or(static_cast<std::uint32_t>(body.size()));
    return Bytes()
        .U8(type)
        .U8(static_cast<std::uint8_t>(n))
        .U16LE(static_cast<std::uint16_t>(n >> 8))
        .Append(body)
        .data;
}

ByteVector Sound(std::uint8_t timeConstant, const ByteVector& samples, std::uint8_t pack = 0) {
    return Block(1, Bytes().U8(timeConstant).U8(pack).Append(samples).data);
}

ByteVector Typed(std::uint32_t rate, std::uint8_t bits, std::uint8_t channels, std::uint16_t codec,
                 const ByteVector& samples) {
    return Block(
        9, Bytes().U32LE(rate).U8(bits).U8(channels).U16LE(codec).U32LE(0).Append(samples).data);
}

// The 26-byte header (its signature is not examined), the blocks, and the terminator.
ByteVector Voc(const std::vector<ByteVector>& blocks, bool terminated = true) {
    Bytes file;
    file.Zeros(20).U16LE(26).U16LE(0x010A).U16LE(0x1129);
    for (const ByteVector& block : blocks) {
        file.Append(block);
    }
    if (terminated) {
        file.U8(0);
    }
    return file.data;
}

ByteVector First(const ByteVector& bytes, std::size_t count) {
    return ByteVector(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count));
}

const ByteVector kBytes = {128, 255, 0};
const std::vector<std::int16_t> kSamples = {0, 32512, -32768};

class VocTest : public ReaderTest {
  protected:
    void LoadVocBytes(const ByteVector& file) { Load(&LoadVocFrom, file); }
};

TEST_F(VocTest, TheRateComesFromTheLastTimeConstant) {
    const struct {
        std::uint8_t timeConstant;
        std::uint32_t rate;
    } cases[] = {{165, 10989}, {156, 10000}, {0, 3906}, {254, 500000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int{c.timeConstant});
        Restart();
        LoadVocBytes(Voc({Sound(c.timeConstant, kBytes)}));
        ExpectLoaded(kSamples, c.rate, 1);
    }
    Restart();
    LoadVocBytes(Voc({Sound(156, {128}), Sound(165, {255})}));
    ExpectLoaded({0, 32512}, 10989, 1);
}

TEST_F(VocTest, SampleRunsAreJoinedAndOtherBlocksAddNothing) {
    Restart();
    LoadVocBytes(Voc({Sound(156, ByteVector(1000, 129)), Block(2, ByteVector(500, 127))}));
    ASSERT_EQ(sound.samples.size(), 1500u);
    EXPECT_EQ(sound.samples[999], 256);
    EXPECT_EQ(sound.samples[1000], -256);

    // Silence, marker, text, repeats and types above 8, some holding what looks like blocks.
    const ByteVector fake = Block(2, {255, 255});
    Restart();
    LoadVocBytes(Voc({Sound(156, {128}), Block(3, {0x10, 0x00, 156}), Block(4, {1, 0}),
                      Block(5, {'h', 'i', 0}), Block(6, {0xFF, 0xFF}), Sound(156, {255}),
                      Block(7, {}), Block(10, fake), Block(0xFF, fake), Block(2, {0})}));
    ExpectLoaded({0, 32512, -32768}, 10000, 1);

    // Far more runs than a fixed table would hold.
    std::vector<ByteVector> blocks = {Sound(156, {128})};
    for (int i = 0; i < 99; ++i) {
        blocks.push_back(Block(2, {static_cast<std::uint8_t>(129 + i)}));
    }
    Restart();
    LoadVocBytes(Voc(blocks));
    ASSERT_EQ(sound.samples.size(), 100u);
    EXPECT_EQ(sound.samples[99], 99 * 256);
}

TEST_F(VocTest, ChannelsComeFromTheExtendedAndTypedBlocks) {
    Restart();
    LoadVocBytes(Voc({Block(8, {0x00, 0xD3, 0x00, 1}), Sound(165, {128, 255, 0, 1})}));
    ExpectLoaded({0, 32512, -32768, -32512}, 10989, 2);

    // Each run is converted by its own encoding; continuations carry on in the one before.
    Restart();
    LoadVocBytes(Voc({Sound(156, {255}), Typed(44100, 16, 2, 4, {0x34, 0x12, 0x00, 0x80, 0x77}),
                      Block(2, {0xFF, 0xFF}), Typed(48000, 8, 1, 0, {0})}));
    ExpectLoaded({32512, 0x1234, -32768, -1, -32768}, 48000, 1);
}

TEST_F(VocTest, AFileEndingEarlyKeepsTheRunsBeforeTheEnd) {
    const ByteVector whole = Voc({Sound(156, {128, 255}), Block(2, {0})});
    const struct {
        const char* name;
        ByteVector file;
        std::vector<std::int16_t> expected;
    } cases[] = {
        {"no terminator", First(whole, whole.size() - 1), kSamples},
        {"in a block header", First(whole, whole.size() - 4), {0, 32512}},
        {"in a typed block header",
         Voc({Sound(156, {128}), First(Typed(8000, 8, 1, 0, {}), 9)}, false),
         {0}},
        {"run longer than the file", Voc({Sound(156, {128}), Block(2, {255, 0}, 5000)}, false),
         kSamples},
        {"length with every bit set",
         Voc({Sound(156, kBytes, 0), Block(2, {1}, 0xFFFFFF)}),
         {0, 32512, -32768, -32512, -32768}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        LoadVocBytes(c.file);
        ExpectLoaded(c.expected, 10000, 1);
    }

    // Continuations alone keep the previous rate.
    Restart();
    LoadVocBytes(Voc({Block(2, {255})}));
    ExpectLoaded({32512}, 8000, 1);
}

TEST_F(VocTest, DamagedFilesAreRefused) {
    const ByteVector header = Voc({}, false);
    const struct {
        const char* name;
        ByteVector file;
    } cases[] = {
        {"cut in the first block's offset", First(header, 21)},
        {"first block past the end", Bytes().Zeros(20).U16LE(200).Append(Sound(156, kBytes)).data},
        {"header alone", header},
        {"terminator only", Voc({})},
        {"blocks without samples", Voc({Block(5, {'x', 0}), Block(3, {1, 0, 156})})},
        {"sound block shorter than its header", Voc({Block(1, {156}), Sound(156, {128})})},
        {"typed block shorter than its header", Voc({Block(9, ByteVector(11))})},
        {"typed block at 0 Hz", Voc({Sound(156, {128}), Typed(0, 8, 1, 0, {128})})},
        {"typed block of no channels", Voc({Typed(8000, 8, 0, 0, {128})})},
        // No recording is made at more than 768000 Hz.
        {"time constant of 1000000 Hz", Voc({Sound(255, kBytes)})},
        {"typed block at 768001 Hz", Voc({Typed(768001, 8, 1, 0, {128})})},
        {"typed block at 2^31 Hz", Voc({Sound(156, {128}), Typed(0x80000000u, 8, 1, 0, {128})})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        LoadVocBytes(c.file);
        ExpectRefused(FileStatus::Damaged);
    }
}

TEST_F(VocTest, CompressedSamplesAreRefusedWithAWarning) {
    const struct {
        const char* name;
        ByteVector block;
    } cases[] = {
        {"packed 4-bit", Sound(165, kBytes, 1)},
        {"unknown pack code", Sound(165, kBytes, 0x80)},
        {"typed ADPCM", Typed(22050, 4, 1, 1, kBytes)},
        {"typed mu-law", Typed(22050, 8, 1, 7, kBytes)},
        {"typed 16-bit as codec 0", Typed(22050, 16, 1, 0, kBytes)},
        {"typed 8-bit as codec 4", Typed(22050, 8, 1, 4, kBytes)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        LoadVocBytes(Voc({Sound(156, kBytes), c.block, Sound(156, kBytes)}));
        ExpectRefused(FileStatus::Unsupported);
    }
}

TEST_F(VocTest, FailedAllocationLeavesNoSound) {
    ExpectEachAllocationFailureHandled(&LoadVocFrom, Voc({Sound(156, kBytes)}), 1);
    EXPECT_EQ(status, FileStatus::Ok);
}

TEST_F(VocTest, FilesAreReadFromTheirPath) {
    testing::TemporaryFolder folder;
    Restart();
    Install(LoadVoc(folder.File("missing.voc")));
    ExpectRefused(FileStatus::CannotOpen);
    EXPECT_EQ(systemError, ENOENT);

    const std::string path = folder.File("take.voc");
    testing::WriteBytes(path, Voc({Sound(165, kBytes)}));
    Restart();
    Install(LoadVoc(path));
    ExpectLoaded(kSamples, 10989, 1);
}

}  // namespace
}  // namespace marvolin::formats
