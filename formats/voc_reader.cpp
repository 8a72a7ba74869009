#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "formats/byte_reader.h"
#include "formats/reader_steps.h"
#include "formats/sample_decoding.h"
#include "formats/voc.h"

namespace marvolin::formats {
namespace {

// The header's signature, version and checksum are not examined; only the position of the
// first block, at offset 20, is read.
constexpr std::uint64_t kFirstBlockField = 20;

enum BlockType : std::uint8_t {
    kTerminator = 0,
    kSoundData = 1,
    kContinuation = 2,
    kExtended = 8,
    kTypedSoundData = 9,
};

// Codes of the typed sound-data block's own header.
constexpr std::uint16_t kCodecUnsigned8 = 0;
constexpr std::uint16_t kCodecSigned16 = 4;
constexpr std::uint32_t kTypedHeaderSize = 12;

// One stretch of samples in the file, in file order.
struct SampleRun {
    std::uint64_t offset = 0;
    std::uint64_t sampleCount = 0;
    SampleEncoding encoding = SampleEncoding::Unsigned8;
};

// What the block walk gathered. Nothing reaches the sound buffer before the whole file is
// accepted.
struct VocSound {
    std::vector<SampleRun> runs;
    bool foundSampleRun = false;
    std::uint64_t sampleCount = 0;
    std::optional<std::uint32_t> sampleRate;  // stays unset without a sound-data block
    std::uint16_t channelCount = 1;
    SampleEncoding lastEncoding = SampleEncoding::Unsigned8;  // continuation blocks carry on in it
};

enum class WalkResult { Complete, Damaged, Unsupported };

std::optional<std::uint32_t> ReadU24LE(ByteReader& reader) {
    std::array<std::uint8_t, 3> b{};
    if (!reader.ReadBytes(b)) {
        return std::nullopt;
    }
    return std::uint32_t{b[0]} | (std::uint32_t{b[1]} << 8) | (std::uint32_t{b[2]} << 16);
}

// Notes the run of `declaredBytes` at the reader's position, cut to what the file holds.
void AddRun(ByteReader& reader, VocSound& voc, std::uint64_t declaredBytes,
            SampleEncoding encoding) {
    const std::uint64_t bytes = std::min(declaredBytes, reader.remaining());
    const std::uint64_t samples = bytes / BytesPerSample(encoding);
    voc.foundSampleRun = true;
    voc.lastEncoding = encoding;
    if (samples > 0) {
        voc.runs.push_back({reader.position(), samples, encoding});
        voc.sampleCount += samples;
    }
}

// Type 1: time constant, pack code, then unsigned 8-bit samples. A file that ends inside the
// block's header simply ends there.
WalkResult ReadSoundData(ByteReader& reader, VocSound& voc, std::uint32_t length) {
    if (length < 2) {
        return WalkResult::Damaged;
    }
    const auto timeConstant = reader.ReadU8();
    const auto pack = reader.ReadU8();
    if (!timeConstant || !pack) {
        return WalkResult::Complete;
    }
    if (*pack != 0) {
        return WalkResult::Unsupported;
    }
    voc.sampleRate = 1000000u / (256u - *timeConstant);
    AddRun(reader, voc, length - 2, SampleEncoding::Unsigned8);
    return WalkResult::Complete;
}

// Type 9: its own rate, width, channel count and codec, then the samples.
WalkResult ReadTypedSoundData(ByteReader& reader, VocSound& voc, std::uint32_t length) {
    if (length < kTypedHeaderSize) {
        return WalkResult::Damaged;
    }
    const auto rate = reader.ReadU32LE();
    const auto bits = reader.ReadU8();
    const auto channels = reader.ReadU8();
    const auto codec = reader.ReadU16LE();
    const auto reserved = reader.ReadU32LE();
    if (!rate || !bits || !channels || !codec || !reserved) {
        return WalkResult::Complete;
    }
    if (*rate == 0 || *channels == 0) {
        return WalkResult::Damaged;
    }
    SampleEncoding encoding = SampleEncoding::Unsigned8;
    if (*codec == kCodecUnsigned8 && *bits == 8) {
        encoding = SampleEncoding::Unsigned8;
    } else if (*codec == kCodecSigned16 && *bits == 16) {
        encoding = SampleEncoding::Signed16LE;
    } else {
        return WalkResult::Unsupported;
    }
    voc.sampleRate = *rate;
    voc.channelCount = *channels;
    AddRun(reader, voc, length - kTypedHeaderSize, encoding);
    return WalkResult::Complete;
}

// Type 8: extended time constant and pack code (unused), then the mode: 1 is stereo.
void ReadExtended(ByteReader& reader, VocSound& voc, std::uint32_t length) {
    if (length < 4 || !reader.Skip(3)) {
        return;
    }
    if (const auto mode = reader.ReadU8()) {
        voc.channelCount = *mode == 1 ? 2 : 1;
    }
}

// Walks the blocks up to the terminator or the end of the file. Every block is left by its
// declared length, so the walk only moves forward and never reads past the end.
WalkResult WalkBlocks(ByteReader& reader, VocSound& voc) {
    while (true) {
        const auto type = reader.ReadU8();
        if (!type || *type == kTerminator) {
            return WalkResult::Complete;
        }
        const auto length = ReadU24LE(reader);
        if (!length) {
            return WalkResult::Complete;
        }
        const std::uint64_t next = reader.position() + *length;
        WalkResult result = WalkResult::Complete;
        switch (*type) {
            case kSoundData:
                result = ReadSoundData(reader, voc, *length);
                break;
            case kContinuation:
                AddRun(reader, voc, *length, voc.lastEncoding);
                break;
            case kExtended:
                ReadExtended(reader, voc, *length);
                break;
            case kTypedSoundData:
                result = ReadTypedSoundData(reader, voc, *length);
                break;
            default:
                // Silence, markers, text and repeats produce no samples; newer types are skipped.
                break;
        }
        if (result != WalkResult::Complete || !reader.Seek(next)) {
            return result;
        }
    }
}

// Reads every run, one after the other, into `block`.
void ReadRuns(ByteReader& reader, const std::vector<SampleRun>& runs,
              std::span<std::int16_t> block) {
    std::size_t done = 0;
    for (const SampleRun& run : runs) {
        const std::size_t count =
            static_cast<std::size_t>(std::min<std::uint64_t>(run.sampleCount, block.size() - done));
        reader.Seek(run.offset);
        // A file that shrinks while it is read leaves silence where its samples did not arrive.
        DecodeSamples(reader, run.encoding, block.subspan(done, count));
        done += count;
    }
}

}  // namespace

LoadResult LoadVoc(const std::string& path) {
    return LoadFromPath(path, &LoadVocFrom);
}

LoadResult LoadVocFrom(ByteSource& file) {
    ByteReader reader(file);
    const auto firstBlock = reader.Seek(kFirstBlockField) ? reader.ReadU16LE() : std::nullopt;
    if (!firstBlock || !reader.Seek(*firstBlock)) {
        return Refused(FileStatus::Damaged);
    }
    VocSound voc;
    switch (WalkBlocks(reader, voc)) {
        case WalkResult::Complete:
            break;
        case WalkResult::Unsupported:
            return Refused(FileStatus::Unsupported);
        case WalkResult::Damaged:
            return Refused(FileStatus::Damaged);
    }
    if (!voc.foundSampleRun || (voc.sampleRate && !IsPlausibleRate(*voc.sampleRate))) {
        return Refused(FileStatus::Damaged);
    }

    LoadResult result;
    SoundBuffer& sound = result.sound;
    // The last sound-data block's rate applies to the whole sound; without one the current
    // sound's rate stays.
    if (voc.sampleRate) {
        sound.sampleRate = *voc.sampleRate;
    } else {
        result.keepsCurrentRate = true;
    }
    sound.channelCount = voc.channelCount;
    auto block = TakeSampleBlock(voc.sampleCount);
    if (!block) {
        return OutOfMemory(sound);
    }
    ReadRuns(reader, voc.runs, *block);
    sound.Install(std::move(*block));
    return result;
}

}  // namespace marvolin::formats
