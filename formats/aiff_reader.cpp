#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "formats/aiff.h"
#include "formats/byte_reader.h"
#include "formats/iff_chunks.h"
#include "formats/reader_steps.h"
#include "formats/sample_decoding.h"

namespace marvolin::formats {
namespace {

struct CommonChunk {
    std::uint16_t channelCount = 0;
    std::uint32_t frameCount = 0;
    std::uint16_t bitsPerSample = 0;
    std::uint32_t sampleRate = 0;  // truncated, not yet snapped
    std::array<char, 4> compression = {'N', 'O', 'N', 'E'};
};

struct SoundData {
    std::uint64_t offset = 0;
    std::uint64_t size = 0;  // cut at the end of the file
};

// COMM: channels, frames, bits and the 80-bit rate; an AIFF-C file adds the compression type.
std::optional<CommonChunk> ParseCommonChunk(ByteReader& reader, const IffChunk& chunk,
                                            bool compressedForm) {
    if (chunk.size < 18) {
        return std::nullopt;
    }
    const auto channels = reader.ReadU16BE();
    const auto frames = reader.ReadU32BE();
    const auto bits = reader.ReadU16BE();
    std::array<std::uint8_t, 10> rate{};
    if (!channels || !frames || !bits || !reader.ReadBytes(rate)) {
        return std::nullopt;
    }
    CommonChunk common;
    common.channelCount = *channels;
    common.frameCount = *frames;
    common.bitsPerSample = *bits;
    common.sampleRate = TruncateAiffRate(ConvertExtended(rate));
    if (compressedForm && chunk.size >= 22) {
        const auto compression = reader.ReadTag();
        if (!compression) {
            return std::nullopt;
        }
        common.compression = *compression;
    }
    return common;
}

enum class WalkResult { Found, Damaged };

// Walks the chunks from offset 12 for the first COMM and SSND, stepping over each chunk by its
// size and pad byte. The 8-byte offset and block size fields that open SSND are not used: the
// samples always start right after them.
WalkResult WalkChunks(ByteReader& reader, bool compressedForm, std::optional<CommonChunk>& common,
                      std::optional<SoundData>& data) {
    if (!reader.Seek(12)) {
        return WalkResult::Damaged;
    }
    while (!(common && data)) {
        const auto chunk = ReadIffChunkHeader(reader);
        if (!chunk) {
            break;
        }
        if (TagIs(chunk->id, "COMM") && !common) {
            common = ParseCommonChunk(reader, *chunk, compressedForm);
            if (!common) {
                return WalkResult::Damaged;
            }
        } else if (TagIs(chunk->id, "SSND") && !data) {
            const std::uint64_t body = chunk->BodyBytesIn(reader);
            if (body < 8) {
                return WalkResult::Damaged;
            }
            data = SoundData{chunk->bodyStart + 8, body - 8};
        }
        if (!MoveToNextIffChunk(reader, *chunk)) {
            break;
        }
    }
    return common && data ? WalkResult::Found : WalkResult::Damaged;
}

// Samples lie left-justified in whole bytes, so the top 16 bits of any width are its first two
// bytes (in big-endian order).
EncodingAnswer ChooseEncoding(const CommonChunk& common, SampleEncoding& encoding) {
    bool littleEndian = false;
    if (TagIs(common.compression, "sowt")) {
        littleEndian = true;
    } else if (!TagIs(common.compression, "NONE") && !TagIs(common.compression, "twos")) {
        return EncodingAnswer::Unsupported;
    }
    const unsigned bits = common.bitsPerSample;
    if (bits == 0 || bits > 32) {
        return EncodingAnswer::Damaged;
    }
    switch ((bits + 7) / 8) {
        case 1:
            encoding = SampleEncoding::Signed8;
            break;
        case 2:
            encoding = littleEndian ? SampleEncoding::Signed16LE : SampleEncoding::Signed16BE;
            break;
        case 3:
            encoding = littleEndian ? SampleEncoding::Signed24LE : SampleEncoding::Signed24BE;
            break;
        default:
            encoding = littleEndian ? SampleEncoding::Signed32LE : SampleEncoding::Signed32BE;
            break;
    }
    return EncodingAnswer::Supported;
}

// Bytes of sound data COMM announces: channels x stored bits x frames / 8. Worked out in 64
// bits, so that a frame count whose product overflows 32 bits still means the frames that are
// there rather than a wrapped, tiny count.
std::uint64_t AnnouncedDataBytes(const CommonChunk& common, SampleEncoding encoding) {
    const std::uint64_t storedBits = 8 * BytesPerSample(encoding);
    return std::uint64_t{common.channelCount} * storedBits * common.frameCount / 8;
}

}  // namespace

LoadResult LoadAiff(const std::string& path) {
    return LoadFromPath(path, LoadAiffFrom);
}

LoadResult LoadAiffFrom(ByteSource& file) {
    ByteReader reader(file);
    // Only the form type is looked at before the walk: it tells whether COMM carries a
    // compression type.
    bool compressedForm = false;
    if (reader.Seek(8)) {
        const auto form = reader.ReadTag();
        compressedForm = form && TagIs(*form, "AIFC");
    }

    std::optional<CommonChunk> common;
    std::optional<SoundData> data;
    if (WalkChunks(reader, compressedForm, common, data) != WalkResult::Found ||
        common->channelCount == 0) {
        return Refused(FileStatus::Damaged);
    }
    SampleEncoding encoding = SampleEncoding::Signed16BE;
    if (const FileStatus status = StatusOf(ChooseEncoding(*common, encoding));
        status != FileStatus::Ok) {
        return Refused(status);
    }

    LoadResult result;
    SoundBuffer& sound = result.sound;
    sound.channelCount = common->channelCount;
    sound.sampleRate = SnapAiffRate(common->sampleRate);

    // Never more than the SSND chunk holds within the file.
    const std::uint64_t dataBytes =
        std::min<std::uint64_t>(AnnouncedDataBytes(*common, encoding), data->size);
    const std::uint64_t sampleCount = dataBytes / BytesPerSample(encoding);

    auto block = TakeSampleBlock(sampleCount);
    if (!block) {
        return OutOfMemory(sound);
    }
    // Frames stay interleaved: a stereo file gives left, right, left, ... as one channel.
    reader.Seek(data->offset);
    DecodeSamples(reader, encoding, *block);
    sound.Install(std::move(*block));
    return result;
}

}  // namespace marvolin::formats
