#include <cstdint>
#include <optional>

#include "formats/byte_reader.h"
#include "formats/fibonacci_delta.h"
#include "formats/iff_chunks.h"
#include "formats/reader_steps.h"
#include "formats/sample_decoding.h"
#include "formats/svx.h"

namespace marvolin::formats {
namespace {

constexpr std::uint8_t kUncompressed = 0;
constexpr std::uint8_t kFibonacciDelta = 1;

struct VoiceHeader {
    std::uint16_t sampleRate = 0;
    std::uint8_t compression = 0;
};

struct Body {
    std::uint64_t offset = 0;
    std::uint64_t size = 0;  // cut at the end of the file
};

// VHDR: one-shot, repeat and per-cycle sample counts, the rate, the octave count, the
// compression and the volume. Only the rate and the compression matter here.
std::optional<VoiceHeader> ParseVoiceHeader(ByteReader& reader, const IffChunk& chunk) {
    if (chunk.size < 20) {
        return std::nullopt;
    }
    const auto oneShot = reader.ReadU32BE();
    const auto repeat = reader.ReadU32BE();
    const auto perCycle = reader.ReadU32BE();
    const auto rate = reader.ReadU16BE();
    const auto octaves = reader.ReadU8();
    const auto compression = reader.ReadU8();
    const auto volume = reader.ReadU32BE();
    if (!oneShot || !repeat || !perCycle || !rate || !octaves || !compression || !volume) {
        return std::nullopt;
    }
    return VoiceHeader{*rate, *compression};
}

enum class WalkResult { Found, Damaged };

// Walks the chunks from offset 12 up to BODY, stepping over every chunk but VHDR by its size
// and pad byte.
WalkResult WalkChunks(ByteReader& reader, std::optional<VoiceHeader>& header,
                      std::optional<Body>& body) {
    if (!reader.Seek(12)) {
        return WalkResult::Damaged;
    }
    while (const auto chunk = ReadIffChunkHeader(reader)) {
        if (TagIs(chunk->id, "BODY")) {
            body = Body{chunk->bodyStart, chunk->BodyBytesIn(reader)};
            break;
        }
        if (TagIs(chunk->id, "VHDR") && !header) {
            header = ParseVoiceHeader(reader, *chunk);
            if (!header) {
                return WalkResult::Damaged;
            }
        }
        if (!MoveToNextIffChunk(reader, *chunk)) {
            break;
        }
    }
    // Without a VHDR before it, a BODY has neither rate nor compression.
    return header && body ? WalkResult::Found : WalkResult::Damaged;
}

}  // namespace

LoadResult Load8svx(const std::string& path) {
    return LoadFromPath(path, Load8svxFrom);
}

LoadResult Load8svxFrom(ByteSource& file) {
    ByteReader reader(file);
    std::optional<VoiceHeader> header;
    std::optional<Body> body;
    if (WalkChunks(reader, header, body) != WalkResult::Found || header->sampleRate == 0) {
        return Refused(FileStatus::Damaged);
    }
    std::uint64_t sampleCount = body->size;
    if (header->compression == kFibonacciDelta) {
        // A pad byte and the initial value, then two samples a byte.
        if (body->size < 2) {
            return Refused(FileStatus::Damaged);
        }
        sampleCount = 2 * (body->size - 2);
    } else if (header->compression != kUncompressed) {
        return Refused(FileStatus::Unsupported);
    }

    LoadResult result;
    SoundBuffer& sound = result.sound;
    sound.channelCount = 1;
    sound.sampleRate = header->sampleRate;

    auto block = TakeSampleBlock(sampleCount);
    if (!block) {
        return OutOfMemory(sound);
    }
    // A two-channel file keeps its BODY as it lies: all left samples, then all right ones.
    reader.Seek(body->offset);
    if (header->compression == kFibonacciDelta) {
        reader.Skip(1);  // pad byte
        const auto initial = reader.ReadU8();
        DecodeFibonacciDelta(reader, static_cast<std::int8_t>(initial.value_or(0)), *block);
    } else {
        DecodeSamples(reader, SampleEncoding::Signed8, *block);
    }
    sound.Install(std::move(*block));
    return result;
}

}  // namespace marvolin::formats
