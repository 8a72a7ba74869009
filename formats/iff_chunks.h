#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "formats/byte_reader.h"

namespace marvolin::formats {

// One chunk of a big-endian IFF file (AIFF, 8SVX): id, declared size, where its body starts.
struct IffChunk {
    std::array<char, 4> id{};
    std::uint32_t size = 0;
    std::uint64_t bodyStart = 0;

    // Bytes of the body the file really holds: the declared size, cut at the end of the file.
    std::uint64_t BodyBytesIn(const ByteReader& reader) const;
};

// Reads the chunk header at the reader's position, leaving the reader at the body; nullopt when
// fewer than 8 bytes are left.
std::optional<IffChunk> ReadIffChunkHeader(ByteReader& reader);

// Moves to the chunk that follows `chunk`: its declared size plus the pad byte after an odd size.
// False when that lies past the end of the file, which ends a walk. The next position always lies
// beyond the header just read, so a walk advances on every step.
bool MoveToNextIffChunk(ByteReader& reader, const IffChunk& chunk);

}  // namespace marvolin::formats
