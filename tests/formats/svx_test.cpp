#include "formats/svx.h"

#include <gtest/gtest.h>

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

ByteVector VhdrBody(std::uint16_t rate, std::uint8_t compression = 0) {
    return Bytes()
        .U32BE(1000)  // one-shot samples
        .U32BE(0)     // repeat samples
        .U32BE(32)    // samples per cycle
        .U16BE(rate)
        .U8(1)  // octaves
        .U8(compression)
        .U32BE(0x10000)  // full volume
        .data;
}

ByteVector Svx(std::uint16_t rate, const ByteVector& body, std::uint8_t compression = 0) {
    return Form("8SVX", {Chunk("VHDR", VhdrBody(rate, compression)), Chunk("BODY", body)});
}

class SvxTest : public ReaderTest {
  protected:
    void SetUp() override { Restart(); }
    void Load(const ByteVector& file) { ReaderTest::Load(&Load8svxFrom, file); }
};

TEST_F(SvxTest, SignedBytesAreReadAtTheHeaderRate) {
    Load(Svx(8363, {0x80, 0x7F, 0x00, 0xFF, 0x01}));
    ExpectLoaded({-32768, 32512, 0, -256, 256}, 8363, 1);

    Restart();
    ByteVector body(10000);
    std::vector<std::int16_t> expected(10000);
    for (std::size_t i = 0; i < body.size(); ++i) {
        body[i] = static_cast<std::uint8_t>(i * 7);
        expected[i] = static_cast<std::int16_t>(static_cast<std::int8_t>(body[i]) * 256);
    }
    Load(Svx(65535, body));
    ExpectLoaded(expected, 65535, 1);
}

TEST_F(SvxTest, OtherChunksAreSkipped) {
    const ByteVector vhdr = Chunk("VHDR", VhdrBody(16000));
    const ByteVector body = Chunk("BODY", {1, 2, 0x81});
    const std::vector<std::int16_t> samples = {256, 512, -32512};
    const struct {
        const char* name;
        ByteVector file;
    } cases[] = {
        {"ANNO, (c) and NAME",
         Form("8SVX", {vhdr, Chunk("ANNO", {'h', 'i'}), Chunk("(c) ", {'1', '9', '9', '1'}),
                       Chunk("NAME", {'x', 'y'}), body})},
        {"odd-sized chunks with their pad bytes",
         Form("8SVX", {Chunk("NAME", {'a'}), vhdr, Chunk("AUTH", {'a', 'b', 'c'}), body})},
        {"unknown chunks", Form("8SVX", {Chunk("FVER", ByteVector(12, 'B')), vhdr, body})},
        {"ATAK and RLSE envelopes", Form("8SVX", {vhdr, Chunk("ATAK", ByteVector(6, 1)),
                                                  Chunk("RLSE", ByteVector(6, 2)), body})},
        {"VHDR longer than 20 bytes",
         Form("8SVX", {Chunk("VHDR", Bytes().Append(VhdrBody(16000)).Tag("more").data), body})},
        {"a second VHDR is not looked at",
         Form("8SVX", {vhdr, Chunk("VHDR", VhdrBody(0, 9)), body})},
        {"chunks after BODY are not looked at",
         Form("8SVX", {vhdr, body, Chunk("VHDR", VhdrBody(0, 9)), Chunk("JUNK", {}, 0xFFFFFFFF)})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        Load(c.file);
        ExpectLoaded(samples, 16000, 1);
    }
}

TEST_F(SvxTest, TwoChannelsGiveAllLeftSamplesThenAllRight) {
    Load(Form("8SVX", {Chunk("VHDR", VhdrBody(11025)), Chunk("CHAN", Bytes().U32BE(6).data),
                       Chunk("BODY", {1, 2, 0xFF, 0xFE})}));
    ExpectLoaded({256, 512, -256, -512}, 11025, 1);
}

TEST_F(SvxTest, BodySizesPastTheEndReadUpToTheEnd) {
    const ByteVector vhdr = Chunk("VHDR", VhdrBody(8000));
    for (const std::uint32_t size : {1000u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(size);
        Restart();
        Load(Form("8SVX", {vhdr, Bytes().Tag("BODY").U32BE(size).U8(1).U8(0x80).U8(3).data}));
        ExpectLoaded({256, -32768, 768}, 8000, 1);
    }
    Restart();
    Load(Svx(8000, {}));
    ExpectLoaded({}, 8000, 1);
}

TEST_F(SvxTest, FibonacciDeltaIsExpanded) {
    const struct {
        const char* name;
        ByteVector body;
        std::vector<std::int16_t> expected;
    } cases[] = {
        // Codes 8 and 15 (0, +21), 0 and 7 (-34, -1), 15 and 0 (+21, -34) from 10.
        {"high nibble first",
         {0x00, 10, 0x8F, 0x07, 0xF0},
         {10 * 256, 31 * 256, -3 * 256, -4 * 256, 17 * 256, -17 * 256}},
        {"every code once",
         {0x00, 0, 0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF},
         {-34 * 256, -55 * 256, -68 * 256, -76 * 256, -81 * 256, -84 * 256, -86 * 256, -87 * 256,
          -87 * 256, -86 * 256, -84 * 256, -81 * 256, -76 * 256, -68 * 256, -55 * 256, -34 * 256}},
        {"the value wraps around as a byte", {0x00, 120, 0xFF}, {-115 * 256, -94 * 256}},
        {"a negative start wraps the other way", {0x00, 0x80, 0x00}, {94 * 256, 60 * 256}},
        {"the pad byte is not decoded", {0xFF, 0, 0x88}, {0, 0}},
        {"no codes", {0x00, 5}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        Load(Svx(22050, c.body, 1));
        ExpectLoaded(c.expected, 22050, 1);
    }

    // A BODY running past the end decodes the codes the file holds.
    Restart();
    Load(Form("8SVX", {Chunk("VHDR", VhdrBody(22050, 1)),
                       Bytes().Tag("BODY").U32BE(0xFFFFFFFF).U8(0).U8(1).U8(0x9A).data}));
    ExpectLoaded({2 * 256, 4 * 256}, 22050, 1);
}

TEST_F(SvxTest, OtherCompressionsAreRefusedWithAWarning) {
    for (const std::uint8_t compression : {2, 3, 255}) {
        SCOPED_TRACE(compression);
        Restart();
        Load(Svx(8000, {1, 2, 3, 4}, compression));
        ExpectRefused(FileStatus::Unsupported);
    }
}

TEST_F(SvxTest, DamagedOrIncompleteFilesAreRefused) {
    const ByteVector vhdr = Chunk("VHDR", VhdrBody(8000));
    const ByteVector body = Chunk("BODY", {1, 2});
    const ByteVector good = Form("8SVX", {vhdr, body});
    const struct {
        const char* name;
        ByteVector file;
    } cases[] = {
        {"empty file", {}},
        {"11 bytes", First(good, 11)},
        {"FORM header alone", Form("8SVX", {})},
        {"no BODY", Form("8SVX", {vhdr, Chunk("NAME", {'a', 'b'})})},
        {"no VHDR", Form("8SVX", {Chunk("NAME", {'a', 'b'}), body})},
        {"VHDR after BODY", Form("8SVX", {body, vhdr})},
        {"VHDR declared shorter than 20 bytes",
         Form("8SVX", {Chunk("VHDR", First(VhdrBody(8000), 18)), body})},
        {"VHDR cut in the one-shot count", First(good, 12 + 8 + 2)},
        {"VHDR cut in the repeat count", First(good, 12 + 8 + 6)},
        {"VHDR cut in the cycle count", First(good, 12 + 8 + 10)},
        {"VHDR cut in the rate", First(good, 12 + 8 + 13)},
        {"VHDR cut before the octave count", First(good, 12 + 8 + 14)},
        {"VHDR cut before the compression", First(good, 12 + 8 + 15)},
        {"VHDR cut in the volume", First(good, 12 + 8 + 18)},
        {"BODY header cut", First(good, 12 + vhdr.size() + 6)},
        {"rate 0", Svx(0, {1, 2})},
        {"compressed BODY without its initial value", Svx(8000, {0}, 1)},
        {"chunk running past the end before BODY",
         Form("8SVX", {vhdr, Chunk("ANNO", {'a', 'b'}, 1000), body})},
        {"chunk size with all bits set before VHDR",
         Form("8SVX", {Chunk("NAME", {}, 0xFFFFFFFF), vhdr, body})},
        // With 32-bit offsets, 20 + 0xFFFFFFF8 would wrap back to this very chunk.
        {"chunk size that would wrap a 32-bit offset onto itself",
         Form("8SVX", {Chunk("JUNK", {}, 0xFFFFFFF8), vhdr, body})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        Load(c.file);
        ExpectRefused(FileStatus::Damaged);
    }
}

TEST_F(SvxTest, FailedAllocationLeavesNoSound) {
    for (const std::uint8_t compression : {0, 1}) {
        SCOPED_TRACE(compression);
        ExpectEachAllocationFailureHandled(&Load8svxFrom, Svx(8000, {0, 1, 2, 3}, compression), 1);
        EXPECT_EQ(status, FileStatus::Ok);
    }
}

TEST_F(SvxTest, FilesAreReadFromDisk) {
    testing::TemporaryFolder folder;
    Install(Load8svx(folder.File("missing.iff")));
    ExpectRefused(FileStatus::CannotOpen);
    EXPECT_EQ(systemError, ENOENT);

    Restart();
    const std::string path = folder.File("voice.iff");
    testing::WriteBytes(path, Svx(8363, {0x80, 0x7F}));
    Install(Load8svx(path));
    ExpectLoaded({-32768, 32512}, 8363, 1);
}

}  // namespace
}  // namespace marvolin::formats
