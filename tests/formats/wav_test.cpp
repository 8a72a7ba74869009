#include "formats/wav.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/allocation.h"
#include "support/test_files.h"

namespace marvolin::formats {
namespace {

using testing::Bytes;
using testing::ReadBytes;
using testing::TemporaryFolder;
using testing::WriteBytes;
using ByteVector = std::vector<std::uint8_t>;

constexpr std::uint16_t kPcm = 1;
constexpr std::uint16_t kFloat = 3;
constexpr std::uint16_t kExtensible = 0xFFFE;

// --- Hand-made WAV files ---------------------------------------------------------------------

// A chunk: id, size (the body's unless `declaredSize` is given), body, and the pad byte that
// follows an odd body.
ByteVector Chunk(const std::string& id, const ByteVector& body,
                 std::optional<std::uint32_t> declaredSize = std::nullopt) {
    Bytes bytes;
    bytes.Tag(id).U32LE(declaredSize.value_or(static_cast<std::uint32_t>(body.size())));
    bytes.Append(body);
    if (body.size() % 2 != 0) {
        bytes.U8(0);
    }
    return bytes.data;
}

ByteVector FmtBody(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate,
                   std::uint16_t bits) {
    const auto align = static_cast<std::uint16_t>(channels * ((bits + 7) / 8));
    return Bytes()
        .U16LE(tag)
        .U16LE(channels)
        .U32LE(rate)
        .U32LE(rate * align)
        .U16LE(align)
        .U16LE(bits)
        .data;
}

// A 40-byte extensible fmt body whose sub-format GUID starts with `subTag`; `lastGuidByte`
// lets a test spoil the GUID.
ByteVector ExtensibleFmtBody(std::uint16_t subTag, std::uint16_t channels, std::uint32_t rate,
                             std::uint16_t bits, std::uint8_t lastGuidByte = 0x71) {
    return Bytes()
        .Append(FmtBody(kExtensible, channels, rate, bits))
        .U16LE(22)    // size of the extension
        .U16LE(bits)  // valid bits
        .U32LE(0x4)   // channel mask
        .U16LE(subTag)
        .Append({0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B,
                 lastGuidByte})
        .data;
}

ByteVector Riff(const std::vector<ByteVector>& chunks, const std::string& form = "WAVE") {
    Bytes body;
    body.Tag(form);
    for (const ByteVector& chunk : chunks) {
        body.Append(chunk);
    }
    return Bytes()
        .Tag("RIFF")
        .U32LE(static_cast<std::uint32_t>(body.data.size()))
        .Append(body.data)
        .data;
}

// The usual layout: any `before` chunks, then "fmt " and "data".
ByteVector Wav(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
               const ByteVector& data, std::vector<ByteVector> before = {}) {
    before.push_back(Chunk("fmt ", FmtBody(tag, channels, rate, bits)));
    before.push_back(Chunk("data", data));
    return Riff(before);
}

ByteVector Pcm16(const std::vector<std::int16_t>& samples) {
    Bytes bytes;
    for (const std::int16_t sample : samples) {
        bytes.U16LE(static_cast<std::uint16_t>(sample));
    }
    return bytes.data;
}

ByteVector Float32(const std::vector<float>& values) {
    Bytes bytes;
    for (const float value : values) {
        bytes.U32LE(std::bit_cast<std::uint32_t>(value));
    }
    return bytes.data;
}

ByteVector Float64(const std::vector<double>& values) {
    Bytes bytes;
    for (const double value : values) {
        const auto bits = std::bit_cast<std::uint64_t>(value);
        bytes.U32LE(static_cast<std::uint32_t>(bits)).U32LE(static_cast<std::uint32_t>(bits >> 32));
    }
    return bytes.data;
}

ByteVector First(const ByteVector& bytes, std::size_t count) {
    return ByteVector(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count));
}

ByteVector ToBytes(std::string_view text) {
    return ByteVector(text.begin(), text.end());
}

std::set<std::string> FolderContents(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

// --- Fixture -----------------------------------------------------------------------------

class WavTest : public ::testing::Test {
  protected:
    void TearDown() override { platform::AllocationFailures::Reset(); }

    // Back to a loaded sound that failed loads must leave alone.
    void Restart() {
        status = FileStatus::Ok;
        systemError = 0;
        sound = SoundBuffer{};
        sound.Install({5, -6, 7});
        sound.sampleRate = 8000;
        sound.channelCount = 1;
    }

    // Loads `path` into `target` the way the window does.
    void LoadInto(SoundBuffer& target, const std::string& path) {
        LoadResult result = LoadWav(path);
        status = result.status;
        systemError = result.systemError;
        InstallLoaded(target, std::move(result));
    }

    void LoadBytes(const ByteVector& file) {
        const std::string path = folder.File("in.wav");
        WriteBytes(path, file);
        LoadInto(sound, path);
    }

    // Saves `saved` at `path`, which becomes the path really written.
    void Save(const SoundBuffer& saved, std::string& path) {
        const SaveResult result = SaveWav(saved, path);
        status = result.status;
        systemError = result.systemError;
        path = result.path;
    }

    void ExpectSoundUnchanged() {
        EXPECT_TRUE(sound.hasBlock);
        EXPECT_EQ(sound.samples, (std::vector<std::int16_t>{5, -6, 7}));
        EXPECT_EQ(sound.sampleRate, 8000u);
        EXPECT_EQ(sound.channelCount, 1u);
    }

    void ExpectLoaded(const std::vector<std::int16_t>& samples, std::uint32_t rate,
                      std::uint16_t channels) {
        EXPECT_EQ(status, FileStatus::Ok);
        EXPECT_TRUE(sound.hasBlock);
        EXPECT_EQ(sound.samples, samples);
        EXPECT_EQ(sound.sampleRate, rate);
        EXPECT_EQ(sound.channelCount, channels);
    }

    TemporaryFolder folder;
    FileStatus status = FileStatus::Ok;
    int systemError = 0;
    SoundBuffer sound;
};

// --- Reading -------------------------------------------------------------------------------

TEST_F(WavTest, FilesThatCannotBeOpenedLeaveTheSoundAlone) {
    const std::string fifo = folder.File("fifo.wav");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::string path;
        int systemError;
    } cases[] = {{folder.File("missing.wav"), ENOENT}, {folder.path(), EISDIR}, {fifo, EINVAL}};
    for (const auto& [path, error] : cases) {
        SCOPED_TRACE(path);
        Restart();
        ::alarm(10);  // a FIFO that blocked the open would end the test instead of hanging it
        LoadInto(sound, path);
        ::alarm(0);
        EXPECT_EQ(status, FileStatus::CannotOpen);
        EXPECT_EQ(systemError, error);
        ExpectSoundUnchanged();
    }
}

TEST_F(WavTest, FilesWithoutARiffWaveHeaderAreRefused) {
    const ByteVector good = Wav(kPcm, 1, 22050, 16, Pcm16({1, 2}));
    auto replaced = [&good](std::size_t offset, std::string_view tag) {
        ByteVector bytes = good;
        std::copy(tag.begin(), tag.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
        return bytes;
    };
    const struct {
        const char* name;
        ByteVector file;
    } cases[] = {
        {"empty file", {}},
        {"11 bytes", First(good, 11)},
        {"RIFX", replaced(0, "RIFX")},
        {"lower-case riff", replaced(0, "riff")},
        {"AVI form", Riff({Chunk("avih", ByteVector(56))}, "AVI ")},
        {"lower-case wave", replaced(8, "wave")},
        {"no size field", ToBytes("RIFFWAVEfmt ")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        LoadBytes(c.file);
        EXPECT_EQ(status, FileStatus::NotThisFormat);
        ExpectSoundUnchanged();
    }
}

TEST_F(WavTest, DamagedOrIncompleteHeadersAreRefused) {
    const ByteVector fmt = Chunk("fmt ", FmtBody(kPcm, 1, 22050, 16));
    const ByteVector data = Chunk("data", Pcm16({1, 2}));
    const struct {
        const char* name;
        ByteVector file;
    } cases[] = {
        {"RIFF/WAVE header alone", Riff({})},
        {"no data chunk", Riff({fmt})},
        {"no fmt chunk", Riff({data})},
        {"no fmt chunk, junk after data", Riff({data, Chunk("JUNK", ByteVector(9))})},
        {"fmt body of 14 bytes",
         Riff({Chunk("fmt ", First(FmtBody(kPcm, 1, 22050, 16), 14)), data})},
        {"fmt body cut by the end of the file",
         First(Riff({data, fmt}), 12 + data.size() + 8 + 10)},
        {"chunk header cut by the end of the file", First(Riff({data, fmt}), 12 + data.size() + 6)},
        {"chunk running past the end before fmt",
         Riff({Chunk("JUNK", ByteVector(4), 1000), fmt, data})},
        {"no channels", Wav(kPcm, 0, 22050, 16, Pcm16({1, 2}))},
        {"sample rate 0", Wav(kPcm, 1, 0, 16, Pcm16({1, 2}))},
        {"sample rate 768001 Hz", Wav(kPcm, 1, 768001, 16, Pcm16({1, 2}))},
        {"sample rate 2^31 Hz", Wav(kPcm, 1, 0x80000000u, 16, Pcm16({1, 2}))},
        {"extensible fmt cut by the end of the file",
         First(Riff({data, Chunk("fmt ", ExtensibleFmtBody(kPcm, 1, 22050, 16))}),
               12 + data.size() + 8 + 30)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        LoadBytes(c.file);
        EXPECT_EQ(status, FileStatus::Damaged);
        ExpectSoundUnchanged();
    }
}

TEST_F(WavTest, UnsupportedCompressionIsRefusedWithAWarning) {
    const ByteVector data = Chunk("data", ByteVector(8, 0x11));
    const struct {
        const char* name;
        ByteVector fmtBody;
    } cases[] = {
        {"ADPCM", FmtBody(2, 1, 22050, 4)},
        {"MPEG layer 3", FmtBody(0x55, 1, 22050, 0)},
        {"extensible ADPCM", ExtensibleFmtBody(2, 1, 22050, 4)},
        {"extensible with a foreign GUID", ExtensibleFmtBody(kPcm, 1, 22050, 16, 0x72)},
        {"extensible with a short fmt body", First(ExtensibleFmtBody(kPcm, 1, 22050, 16), 18)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        LoadBytes(Riff({Chunk("fmt ", c.fmtBody), data}));
        EXPECT_EQ(status, FileStatus::Unsupported);
        ExpectSoundUnchanged();
    }
}

TEST_F(WavTest, SampleEncodingsAreConvertedTo16Bits) {
    const std::vector<float> floats = {0.5f,     -1.5f,    kNaN,      1.0f,       -1.0f,
                                       0.99999f, -0.0001f, kInfinity, -kInfinity, 0.0f};
    const std::vector<std::int16_t> fromFloats = {16383, -32767, 0,     32767,  -32767,
                                                  32766, -3,     32767, -32767, 0};
    const std::vector<double> doubles(floats.begin(), floats.end());
    const struct {
        const char* name;
        ByteVector fmtBody;
        ByteVector data;
        std::vector<std::int16_t> expected;
    } cases[] = {
        {"8-bit unsigned",
         FmtBody(kPcm, 1, 10989, 8),
         {128, 255, 0, 1, 127},
         {0, 32512, -32768, -32512, -256}},
        {"16-bit",
         FmtBody(kPcm, 1, 10989, 16),
         Pcm16({0x1235, -32768, 32767, -1, 0}),
         {0x1235, -32768, 32767, -1, 0}},
        {"24-bit keeps the top 16 bits",
         FmtBody(kPcm, 1, 10989, 24),
         {0xFF, 0x35, 0x12, 0x00, 0x00, 0x80, 0xFF, 0xFF, 0x7F, 0x00, 0xFF, 0xFF},
         {0x1235, -32768, 32767, -1}},
        {"32-bit keeps the top 16 bits",
         FmtBody(kPcm, 1, 10989, 32),
         {0xAA, 0xBB, 0x35, 0x12, 0, 0, 0, 0x80, 0xFF, 0xFF, 0xFF, 0x7F},
         {0x1235, -32768, 32767}},
        {"32-bit float", FmtBody(kFloat, 1, 10989, 32), Float32(floats), fromFloats},
        {"64-bit float", FmtBody(kFloat, 1, 10989, 64), Float64(doubles), fromFloats},
        {"extensible 16-bit",
         ExtensibleFmtBody(kPcm, 1, 10989, 16),
         Pcm16({0x1235, -32768}),
         {0x1235, -32768}},
        {"extensible 24-bit", ExtensibleFmtBody(kPcm, 1, 10989, 24), {0x00, 0x35, 0x12}, {0x1235}},
        {"extensible 32-bit float", ExtensibleFmtBody(kFloat, 1, 10989, 32), Float32(floats),
         fromFloats},
        {"extensible 64-bit float", ExtensibleFmtBody(kFloat, 1, 10989, 64), Float64(doubles),
         fromFloats},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        LoadBytes(Riff({Chunk("fmt ", c.fmtBody), Chunk("data", c.data)}));
        ExpectLoaded(c.expected, 10989, 1);
    }
}

// 24-bit samples whose block align gives each one a 4-byte container: the sample fills the
// container's top three bytes.
TEST_F(WavTest, TwentyFourBitSamplesInFourByteContainersAreReadByTheirContainer) {
    const ByteVector containers = {0x00, 0xFF, 0x35, 0x12, 0x00, 0x00, 0x00, 0x80,
                                   0x00, 0xFF, 0xFF, 0x7F, 0x00, 0x01, 0xFF, 0xFF};
    const auto withAlign = [](ByteVector body, std::uint16_t channels) {
        body[8] = static_cast<std::uint8_t>(4 * 22050 * channels);  // bytes a second
        body[9] = static_cast<std::uint8_t>((4 * 22050 * channels) >> 8);
        body[10] = static_cast<std::uint8_t>((4 * 22050 * channels) >> 16);
        body[12] = static_cast<std::uint8_t>(4 * channels);  // block align
        return body;
    };
    Restart();
    LoadBytes(Riff(
        {Chunk("fmt ", withAlign(FmtBody(kPcm, 1, 22050, 24), 1)), Chunk("data", containers)}));
    ExpectLoaded({0x1235, -32768, 32767, -1}, 22050, 1);

    Restart();
    LoadBytes(Riff({Chunk("fmt ", withAlign(ExtensibleFmtBody(kPcm, 1, 22050, 24), 1)),
                    Chunk("data", containers)}));
    ExpectLoaded({0x1235, -32768, 32767, -1}, 22050, 1);

    // Stereo keeps each frame's left container.
    Restart();
    LoadBytes(Riff(
        {Chunk("fmt ", withAlign(FmtBody(kPcm, 2, 22050, 24), 2)), Chunk("data", containers)}));
    ExpectLoaded({0x1234, 32766}, 22050, 2);
}

TEST_F(WavTest, StereoKeepsTheLeftSampleWithItsLowestBitCleared) {
    const struct {
        const char* name;
        std::uint16_t tag;
        std::uint16_t channels;
        std::uint16_t bits;
        ByteVector data;
        std::vector<std::int16_t> expected;
    } cases[] = {
        {"16-bit stereo",
         kPcm,
         2,
         16,
         Pcm16({0x1235, 0x7FFF, -1, 5, 0x0100, -32768}),
         {0x1234, -2, 0x0100}},
        {"16-bit stereo, half a frame at the end",
         kPcm,
         2,
         16,
         Pcm16({0x1235, 0x7FFF, 0x2223}),
         {0x1234}},
        {"8-bit stereo", kPcm, 2, 8, {200, 50, 129, 255, 0, 128}, {18432, 256, -32768}},
        {"24-bit stereo", kPcm, 2, 24, {0x00, 0x35, 0x12, 0xFF, 0xFF, 0x7F}, {0x1234}},
        {"float stereo", kFloat, 2, 32, Float32({0.5f, -1.0f, -1.0f, 0.5f}), {16382, -32768}},
        {"three channels stay interleaved",
         kPcm,
         3,
         16,
         Pcm16({0x1235, 2, 3, -1, 5, 0x7FFF}),
         {0x1235, 2, 3, -1, 5, 0x7FFF}},
        {"four channels stay interleaved", kPcm, 4, 8, {129, 130, 131, 132}, {256, 512, 768, 1024}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        LoadBytes(Wav(c.tag, c.channels, 44100, c.bits, c.data));
        ExpectLoaded(c.expected, 44100, c.channels);
    }
}

TEST_F(WavTest, ChunksAreFoundWhereverTheyAre) {
    const std::vector<std::int16_t> samples = {0x1234, -5, 7};
    const ByteVector fmt = Chunk("fmt ", FmtBody(kPcm, 1, 22050, 16));
    const ByteVector data = Chunk("data", Pcm16(samples));
    // "LIST" body of 15 bytes: followed by a pad byte.
    const ByteVector list =
        Chunk("LIST", Bytes().Tag("INFO").Tag("ICOP").U32LE(3).Tag("ab").U8(0).data);
    ByteVector wrongRiffSize = Riff({fmt, data});
    wrongRiffSize[4] = wrongRiffSize[5] = wrongRiffSize[6] = wrongRiffSize[7] = 0;
    const struct {
        const char* name;
        ByteVector file;
    } cases[] = {
        {"LIST chunk of odd size first", Riff({list, fmt, data})},
        {"JUNK chunk first", Riff({Chunk("JUNK", ByteVector(28, 0xEE)), fmt, data})},
        {"18-byte fmt body",
         Riff({Chunk("fmt ", Bytes().Append(FmtBody(kPcm, 1, 22050, 16)).U16LE(0).data), data})},
        {"40-byte fmt body",
         Riff({Chunk("fmt ", Bytes().Append(FmtBody(kPcm, 1, 22050, 16)).Zeros(24).data), data})},
        {"data before fmt", Riff({data, fmt})},
        {"odd chunks between fmt and data",
         Riff({fmt, Chunk("odd1", {1}), Chunk("odd3", {'d', 'a', 't'}), data})},
        {"chunks after data", Riff({fmt, data, list, Chunk("JUNK", ByteVector(4096))})},
        {"data running past the end of the file",
         Riff({fmt, Bytes().Tag("data").U32LE(1000).Append(Pcm16(samples)).data})},
        {"data running past the end, half a sample last",
         Riff({fmt, Bytes().Tag("data").U32LE(0xFFFFFFFF).Append(Pcm16(samples)).U8(0x99).data})},
        {"RIFF size field of zero", wrongRiffSize},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        LoadBytes(c.file);
        ExpectLoaded(samples, 22050, 1);
    }
}

TEST_F(WavTest, AnEmptyDataChunkGivesABlockOfNoSamples) {
    Restart();
    LoadBytes(Wav(kPcm, 2, 11025, 16, {}));
    ExpectLoaded({}, 11025, 2);
}

// The sample block is the reader's one allocation: failing it, and then any allocation after
// it, shows which one the load depends on.
TEST_F(WavTest, FailedAllocationLeavesNoSound) {
    for (int successesFirst = 0; successesFirst < 3; ++successesFirst) {
        SCOPED_TRACE(successesFirst);
        Restart();
        platform::AllocationFailures::FailNext(1, successesFirst);
        LoadBytes(Wav(kPcm, 2, 22050, 16, Pcm16({1, 2, 3, 4})));
        platform::AllocationFailures::Reset();
        if (successesFirst == 0) {
            EXPECT_EQ(status, FileStatus::NoMemory);
            EXPECT_FALSE(sound.hasBlock);
            EXPECT_TRUE(sound.samples.empty());
            EXPECT_EQ(sound.sampleRate, 44100u);
            EXPECT_EQ(sound.channelCount, 2u);
        } else {
            ExpectLoaded({0, 2}, 22050, 2);
        }
    }
}

// --- Writing -------------------------------------------------------------------------------

using namespace std::string_view_literals;

// clang-format off
// The INFO list after the samples of every file written.
constexpr auto kInfoList =
    "LIST" "\x32\0\0\0" "INFO"
    "ICOP" "\x26\0\0\0" "File created by Marvolin (c) Brendale" "\0"sv;
// clang-format on

TEST_F(WavTest, SavedFilesAreByteExact) {
    sound.Install({1, -2, 0x1234});
    sound.sampleRate = 11025;
    std::string path = folder.File("take.wav");
    Save(sound, path);
    EXPECT_EQ(status, FileStatus::Ok);
    // clang-format off
    constexpr auto header =
        "RIFF" "\x64\0\0\0" "WAVE"
        "fmt " "\x10\0\0\0"
        "\x01\0" "\x01\0" "\x11\x2B\0\0" "\x22\x56\0\0" "\x02\0" "\x10\0"  // 11025 Hz
        "data" "\x06\0\0\0"sv;
    // clang-format on
    EXPECT_EQ(ReadBytes(path), Bytes()
                                   .Append(ToBytes(header))
                                   .Append({0x01, 0x00, 0xFE, 0xFF, 0x34, 0x12})
                                   .Append(ToBytes(kInfoList))
                                   .data);

    // No block at all: a file of 102 bytes with an empty data chunk.
    SoundBuffer nothing;
    nothing.sampleRate = 8000;
    Save(nothing, path);
    EXPECT_EQ(status, FileStatus::Ok);
    // clang-format off
    constexpr auto emptyHeader =
        "RIFF" "\x5E\0\0\0" "WAVE"
        "fmt " "\x10\0\0\0"
        "\x01\0" "\x01\0" "\x40\x1F\0\0" "\x80\x3E\0\0" "\x02\0" "\x10\0"  // 8000 Hz
        "data" "\0\0\0\0"sv;
    // clang-format on
    EXPECT_EQ(ReadBytes(path),
              Bytes().Append(ToBytes(emptyHeader)).Append(ToBytes(kInfoList)).data);
    EXPECT_EQ(FolderContents(folder.path()), std::set<std::string>{"take.wav"});
}

// The bytes-a-second field of the header, at offset 28.
std::uint32_t SavedByteRate(const ByteVector& file) {
    return file[28] | (file[29] << 8) | (file[30] << 16) | (std::uint32_t{file[31]} << 24);
}

TEST_F(WavTest, ARateOfTwoToTheThirtyFirstDoesNotWrapTheSavedByteRate) {
    sound.Install({1});
    std::string path = folder.File("fast.wav");
    for (const std::uint32_t rate : {0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(rate);
        sound.sampleRate = rate;
        Save(sound, path);
        ASSERT_EQ(status, FileStatus::Ok);
        const std::uint32_t expected = rate < 0x80000000u ? rate * 2 : 0xFFFFFFFFu;
        EXPECT_EQ(SavedByteRate(ReadBytes(path)), expected);
    }
}

TEST_F(WavTest, SavingAddsWavOnlyWhenTheFileNameHasNoDot) {
    std::filesystem::create_directory(folder.File("x.d"));
    const struct {
        std::string given;
        std::string written;
    } cases[] = {
        {"take", "take.wav"},         {"take.aif", "take.aif"},         {"take.", "take."},
        {"x.d/take", "x.d/take.wav"}, {"x.d/take.aif", "x.d/take.aif"},
    };
    sound.Install({1, 2});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.given);
        std::string path = folder.File(c.given);
        Save(sound, path);
        EXPECT_EQ(status, FileStatus::Ok);
        EXPECT_EQ(path, folder.File(c.written));
        EXPECT_EQ(std::filesystem::file_size(path), 2 * 2 + 102u);
    }
}

TEST_F(WavTest, SavedSoundsLoadBackUnchanged) {
    std::vector<std::int16_t> noise(100003);
    std::uint32_t state = 12345;
    for (std::int16_t& sample : noise) {
        state = state * 1103515245u + 12345u;
        sample = static_cast<std::int16_t>(state >> 16);
    }
    const struct {
        std::uint32_t rate;
        std::vector<std::int16_t> samples;
    } cases[] = {
        {10989, {-32768, 32767, 0, -1, 1, 0x1235}},
        {1, {-32768}},
        {96000, {}},
        {44100, noise},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rate);
        SoundBuffer original;
        original.Install(c.samples);
        original.sampleRate = c.rate;
        std::string path = folder.File("round.wav");
        Save(original, path);
        SoundBuffer loaded;
        LoadInto(loaded, path);
        EXPECT_EQ(status, FileStatus::Ok);
        EXPECT_TRUE(loaded.hasBlock);
        EXPECT_EQ(loaded.samples, c.samples);
        EXPECT_EQ(loaded.sampleRate, c.rate);
        EXPECT_EQ(loaded.channelCount, 1u);
    }
}

TEST_F(WavTest, SavingWhereNoFileCanBeMadeFails) {
    testing::WriteText(folder.File("plain"), "not a folder");
    sound.Install({1, 2, 3});
    const struct {
        std::string target;
        int systemError;
    } cases[] = {{folder.File("missing/take.wav"), ENOENT}, {folder.File("plain/x.wav"), ENOTDIR}};
    for (const auto& [target, error] : cases) {
        SCOPED_TRACE(target);
        std::string path = target;
        Save(sound, path);
        EXPECT_EQ(status, FileStatus::CannotSave);
        EXPECT_EQ(systemError, error);
        EXPECT_EQ(FolderContents(folder.path()), std::set<std::string>{"plain"});
    }
}

// Caps the size of the files this process may write, while in scope.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
        // Writes past the limit then fail with EFBIG instead of killing the process.
        savedHandler_ = ::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        ::signal(SIGXFSZ, savedHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit saved_{};
    sighandler_t savedHandler_ = SIG_DFL;
};

TEST_F(WavTest, AFailedSaveLeavesTheOldFileIntact) {
    std::string path = folder.File("take.wav");
    const ByteVector old = Wav(kPcm, 1, 8000, 16, Pcm16({9, 8, 7}));
    WriteBytes(path, old);
    sound.Install(std::vector<std::int16_t>(20000, 0x0101));
    {
        const FileSizeLimit limit(4096);
        Save(sound, path);
    }
    EXPECT_EQ(status, FileStatus::CannotSave);
    EXPECT_EQ(systemError, EFBIG);
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(FolderContents(folder.path()), std::set<std::string>{"take.wav"});

    // A successful save over a longer file leaves nothing of it behind, and no stray files.
    sound.Install({1});
    Save(sound, path);
    EXPECT_EQ(status, FileStatus::Ok);
    EXPECT_EQ(std::filesystem::file_size(path), 104u);
    EXPECT_EQ(FolderContents(folder.path()), std::set<std::string>{"take.wav"});
}

TEST_F(WavTest, LongPathsLoadAndSave) {
    std::string deep = folder.path();
    while (deep.size() <= 260) {
        deep += "/a-folder-with-a-rather-long-name-for-its-sound-files";
    }
    std::filesystem::create_directories(deep);
    std::string path = deep + "/take";
    sound.Install({3, -4, 5});
    sound.sampleRate = 22050;
    Save(sound, path);
    EXPECT_EQ(path, deep + "/take.wav");
    SoundBuffer loaded;
    LoadInto(loaded, path);
    EXPECT_EQ(status, FileStatus::Ok);
    EXPECT_EQ(loaded.samples, sound.samples);
    EXPECT_EQ(loaded.sampleRate, 22050u);

    // A file name at the file system's 255-character limit saves too.
    std::string longName = folder.File(std::string(251, 'n') + ".wav");
    Save(sound, longName);
    EXPECT_EQ(status, FileStatus::Ok);
    EXPECT_EQ(std::filesystem::file_size(longName), 108u);
}

}  // namespace
}  // namespace marvolin::formats
