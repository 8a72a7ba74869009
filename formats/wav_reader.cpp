#include <array>
#include <cstdint>
#include <optional>

#include "formats/byte_reader.h"
#include "formats/reader_steps.h"
#include "formats/sample_decoding.h"
#include "formats/wav.h"

namespace marvolin::formats {
namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;

// The 14 bytes that follow the format tag in the sub-format GUID of an extensible header.
constexpr std::array<std::uint8_t, 14> kSubFormatTail = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                                         0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

struct FormatChunk {
    std::uint16_t formatTag = 0;
    std::uint16_t channelCount = 0;
    std::uint32_t sampleRate = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
    std::optional<std::uint16_t> subFormatTag;  // extensible headers only
};

struct DataChunk {
    std::uint64_t offset = 0;
    std::uint64_t size = 0;  // cut to what the file really holds
};

std::optional<FormatChunk> ParseFormatChunk(ByteReader& reader, std::uint32_t chunkSize) {
    if (chunkSize < 16) {
        return std::nullopt;
    }
    FormatChunk format;
    const auto tag = reader.ReadU16LE();
    const auto channels = reader.ReadU16LE();
    const auto rate = reader.ReadU32LE();
    const auto bytesPerSecond = reader.ReadU32LE();
    const auto blockAlign = reader.ReadU16LE();
    const auto bits = reader.ReadU16LE();
    if (!tag || !channels || !rate || !bytesPerSecond || !blockAlign || !bits) {
        return std::nullopt;
    }
    format.formatTag = *tag;
    format.channelCount = *channels;
    format.sampleRate = *rate;
    format.blockAlign = *blockAlign;
    format.bitsPerSample = *bits;
    if (format.formatTag == kFormatExtensible && chunkSize >= 40) {
        // cbSize, valid bits and channel mask, then the sub-format GUID.
        std::array<std::uint8_t, 8> skipped{};
        std::array<std::uint8_t, 14> tail{};
        const bool read = reader.ReadBytes(skipped);
        const auto subTag = read ? reader.ReadU16LE() : std::nullopt;
        if (!subTag || !reader.ReadBytes(tail)) {
            return std::nullopt;  // the file ends inside the header
        }
        if (tail == kSubFormatTail) {
            format.subFormatTag = *subTag;
        }
    }
    return format;
}

enum class WalkResult { Found, Damaged };

// Walks the chunks after "WAVE" for the first "fmt " and "data", stepping over each chunk by
// its size plus the pad byte of odd sizes. Never reads past the end of the file.
WalkResult WalkChunks(ByteReader& reader, std::optional<FormatChunk>& format,
                      std::optional<DataChunk>& data) {
    bool formatSeen = false;
    while (!(formatSeen && data) && reader.remaining() >= 8) {
        const auto id = reader.ReadTag();
        const auto size = reader.ReadU32LE();
        const std::uint64_t bodyStart = reader.position();
        if (TagIs(*id, "fmt ") && !formatSeen) {
            formatSeen = true;
            format = ParseFormatChunk(reader, *size);
            if (!format) {
                return WalkResult::Damaged;
            }
        } else if (TagIs(*id, "data") && !data) {
            data = DataChunk{bodyStart, std::min<std::uint64_t>(*size, reader.remaining())};
        }
        const std::uint64_t next = bodyStart + *size + (*size & 1u);
        if (!reader.Seek(next)) {
            break;
        }
    }
    return formatSeen && data ? WalkResult::Found : WalkResult::Damaged;
}

EncodingAnswer ChooseEncoding(const FormatChunk& format, SampleEncoding& encoding) {
    std::uint16_t tag = format.formatTag;
    if (tag == kFormatExtensible) {
        if (!format.subFormatTag) {
            return EncodingAnswer::Unsupported;
        }
        tag = *format.subFormatTag;
    }
    const unsigned bits = format.bitsPerSample;
    if (tag == kFormatPcm) {
        if (bits == 0) {
            return EncodingAnswer::Damaged;
        }
        if (bits <= 8) {
            encoding = SampleEncoding::Unsigned8;
        } else if (bits <= 16) {
            encoding = SampleEncoding::Signed16LE;
        } else if (bits <= 24) {
            // 24-bit samples may sit left-justified in 4-byte containers, as the block align
            // tells; their top 16 bits are then the container's.
            const bool wideContainers = format.blockAlign == std::uint32_t{format.channelCount} * 4;
            encoding = wideContainers ? SampleEncoding::Signed32LE : SampleEncoding::Signed24LE;
        } else if (bits <= 32) {
            encoding = SampleEncoding::Signed32LE;
        } else {
            return EncodingAnswer::Unsupported;
        }
        return EncodingAnswer::Supported;
    }
    if (tag == kFormatFloat && (bits == 32 || bits == 64)) {
        encoding = bits == 32 ? SampleEncoding::Float32LE : SampleEncoding::Float64LE;
        return EncodingAnswer::Supported;
    }
    return EncodingAnswer::Unsupported;
}

}  // namespace

LoadResult LoadWav(const std::string& path) {
    return LoadFromPath(path, LoadWavFrom);
}

LoadResult LoadWavFrom(ByteSource& file) {
    ByteReader reader(file);
    const auto riff = reader.ReadTag();
    const auto riffSize = reader.ReadU32LE();
    const auto wave = reader.ReadTag();
    if (!riff || !riffSize || !wave || !TagIs(*riff, "RIFF") || !TagIs(*wave, "WAVE")) {
        return Refused(FileStatus::NotThisFormat);
    }

    std::optional<FormatChunk> format;
    std::optional<DataChunk> data;
    if (WalkChunks(reader, format, data) != WalkResult::Found || format->channelCount == 0 ||
        !IsPlausibleRate(format->sampleRate)) {
        return Refused(FileStatus::Damaged);
    }
    SampleEncoding encoding = SampleEncoding::Signed16LE;
    if (const FileStatus status = StatusOf(ChooseEncoding(*format, encoding));
        status != FileStatus::Ok) {
        return Refused(status);
    }

    LoadResult result;
    SoundBuffer& sound = result.sound;
    sound.channelCount = format->channelCount;
    sound.sampleRate = format->sampleRate;

    // Two channels keep the left sample of each frame with its lowest bit cleared; any other
    // channel count stays interleaved.
    const bool stereo = format->channelCount == 2;
    const std::uint64_t storedSamples = data->size / BytesPerSample(encoding);
    const std::uint64_t kept = stereo ? storedSamples / 2 : storedSamples;

    auto block = TakeSampleBlock(kept);
    if (!block) {
        return OutOfMemory(sound);
    }
    // A file that shrinks while it is read leaves silence where its samples did not arrive.
    reader.Seek(data->offset);
    DecodeSamples(reader, encoding, *block, stereo ? 2 : 1, stereo ? 0xFFFE : 0xFFFF);
    sound.Install(std::move(*block));
    return result;
}

}  // namespace marvolin::formats
