#include <algorithm>
#include <cstdint>
#include <optional>

#include "formats/au.h"
#include "formats/byte_reader.h"
#include "formats/reader_steps.h"
#include "formats/sample_decoding.h"

namespace marvolin::formats {
namespace {

// A data size with every bit set means the writer did not know it: the data runs to the end.
constexpr std::uint32_t kUnknownDataSize = 0xFFFFFFFF;

struct AuHeader {
    std::uint32_t dataOffset = 0;
    std::uint32_t dataSize = 0;
    std::uint32_t encoding = 0;
    std::uint32_t sampleRate = 0;
    std::uint32_t channelCount = 0;
};

// The five big-endian fields after the magic number, which is not examined.
std::optional<AuHeader> ReadHeader(ByteReader& reader) {
    if (!reader.Skip(4)) {
        return std::nullopt;
    }
    const auto offset = reader.ReadU32BE();
    const auto size = reader.ReadU32BE();
    const auto encoding = reader.ReadU32BE();
    const auto rate = reader.ReadU32BE();
    const auto channels = reader.ReadU32BE();
    if (!offset || !size || !encoding || !rate || !channels) {
        return std::nullopt;
    }
    return AuHeader{*offset, *size, *encoding, *rate, *channels};
}

std::optional<SampleEncoding> EncodingOf(std::uint32_t code) {
    switch (code) {
        case 1:
            return SampleEncoding::MuLaw8;
        case 2:
            return SampleEncoding::Signed8;
        case 3:
            return SampleEncoding::Signed16BE;
        case 4:
            return SampleEncoding::Signed24BE;
        case 5:
            return SampleEncoding::Signed32BE;
        case 6:
            return SampleEncoding::Float32BE;
        case 27:
            return SampleEncoding::ALaw8;
        default:
            return std::nullopt;
    }
}

}  // namespace

LoadResult LoadAu(const std::string& path) {
    return LoadFromPath(path, &LoadAuFrom);
}

LoadResult LoadAuFrom(ByteSource& file) {
    ByteReader reader(file);
    const auto header = ReadHeader(reader);
    // The channel count must fit the sound's 16-bit field: 65536 would become 0 channels.
    if (!header || !IsPlausibleRate(header->sampleRate) || header->channelCount == 0 ||
        header->channelCount > 0xFFFF || !reader.Seek(header->dataOffset)) {
        return Refused(FileStatus::Damaged);
    }
    const auto encoding = EncodingOf(header->encoding);
    if (!encoding) {
        return Refused(FileStatus::Unsupported);
    }

    // Whatever the size field says, only the bytes the file holds are read. Several channels
    // stay interleaved, one sample after the other.
    const std::uint64_t available = reader.remaining();
    const std::uint64_t dataBytes = header->dataSize == kUnknownDataSize
                                        ? available
                                        : std::min<std::uint64_t>(header->dataSize, available);
    LoadResult result;
    SoundBuffer& sound = result.sound;
    sound.channelCount = static_cast<std::uint16_t>(header->channelCount);
    sound.sampleRate = header->sampleRate;
    auto block = TakeSampleBlock(dataBytes / BytesPerSample(*encoding));
    if (!block) {
        return OutOfMemory(sound);
    }
    // A file that shrinks while it is read leaves silence where its samples did not arrive.
    DecodeSamples(reader, *encoding, *block);
    sound.Install(std::move(*block));
    return result;
}

}  // namespace marvolin::formats
