#include "formats/iff_chunks.h"

namespace marvolin::formats {

std::uint64_t IffChunk::BodyBytesIn(const ByteReader& reader) const {
    const std::uint64_t inFile = reader.size() > bodyStart ? reader.size() - bodyStart : 0;
    return size < inFile ? size : inFile;
}

std::optional<IffChunk> ReadIffChunkHeader(ByteReader& reader) {
    if (reader.remaining() < 8) {
        return std::nullopt;
    }
    IffChunk chunk;
    chunk.id = *reader.ReadTag();
    chunk.size = *reader.ReadU32BE();
    chunk.bodyStart = reader.position();
    return chunk;
}

bool MoveToNextIffChunk(ByteReader& reader, const IffChunk& chunk) {
    // 64-bit arithmetic: a size with all bits set cannot wrap the offset around.
    const std::uint64_t next = chunk.bodyStart + chunk.size + (chunk.size & 1u);
    return reader.Seek(next);
}

}  // namespace marvolin::formats
