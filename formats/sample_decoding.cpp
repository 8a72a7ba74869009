#include "formats/sample_decoding.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <vector>

namespace marvolin::formats {
namespace {

std::int16_t FromBytes(std::uint8_t low, std::uint8_t high) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(low | (high << 8)));
}

template <typename Float, typename Bits>
Float FloatFromBytes(const std::uint8_t* bytes, bool bigEndian) {
    Bits bits = 0;
    for (unsigned i = 0; i < sizeof(Bits); ++i) {
        const unsigned index = bigEndian ? i : static_cast<unsigned>(sizeof(Bits)) - 1 - i;
        bits = static_cast<Bits>((bits << 8) | bytes[index]);
    }
    return std::bit_cast<Float>(bits);
}

}  // namespace

unsigned BytesPerSample(SampleEncoding encoding) {
    switch (encoding) {
        case SampleEncoding::Unsigned8:
        case SampleEncoding::Signed8:
        case SampleEncoding::MuLaw8:
        case SampleEncoding::ALaw8:
            return 1;
        case SampleEncoding::Signed16LE:
        case SampleEncoding::Signed16BE:
            return 2;
        case SampleEncoding::Signed24LE:
        case SampleEncoding::Signed24BE:
            return 3;
        case SampleEncoding::Signed32LE:
        case SampleEncoding::Signed32BE:
        case SampleEncoding::Float32LE:
        case SampleEncoding::Float32BE:
            return 4;
        case SampleEncoding::Float64LE:
        case SampleEncoding::Float64BE:
            return 8;
    }
    return 1;
}

std::int16_t MuLawToLinear(std::uint8_t byte) {
    const unsigned v = ~byte & 0xFFu;
    const unsigned exponent = (v >> 4) & 0x07u;
    const unsigned mantissa = v & 0x0Fu;
    // 132 x 2^exponent - 132 is the bias that makes the segments join up.
    const int magnitude =
        static_cast<int>((mantissa << (exponent + 3)) + (132u << exponent) - 132u);
    return static_cast<std::int16_t>((v & 0x80u) != 0 ? -magnitude : magnitude);
}

std::int16_t ALawToLinear(std::uint8_t byte) {
    // Every other bit is inverted on the line; a set top bit means positive.
    const unsigned v = byte ^ 0x55u;
    const unsigned segment = (v >> 4) & 0x07u;
    unsigned magnitude = (v & 0x0Fu) << 4;
    if (segment == 0) {
        magnitude += 8;
    } else {
        magnitude = (magnitude + 0x108u) << (segment - 1);
    }
    const int value = static_cast<int>(magnitude);
    return static_cast<std::int16_t>((v & 0x80u) != 0 ? value : -value);
}

std::int16_t FloatToSample(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value > 1.0) {
        value = 1.0;
    } else if (value < -1.0) {
        value = -1.0;
    }
    return static_cast<std::int16_t>(value * 32767.0);
}

std::int16_t DecodeSample(const std::uint8_t* b, SampleEncoding encoding) {
    switch (encoding) {
        case SampleEncoding::Unsigned8:
            return static_cast<std::int16_t>((b[0] - 128) * 256);
        case SampleEncoding::Signed8:
            return static_cast<std::int16_t>(static_cast<std::int8_t>(b[0]) * 256);
        case SampleEncoding::MuLaw8:
            return MuLawToLinear(b[0]);
        case SampleEncoding::ALaw8:
            return ALawToLinear(b[0]);
        case SampleEncoding::Signed16LE:
            return FromBytes(b[0], b[1]);
        case SampleEncoding::Signed16BE:
            return FromBytes(b[1], b[0]);
        case SampleEncoding::Signed24LE:
            return FromBytes(b[1], b[2]);
        case SampleEncoding::Signed24BE:
            return FromBytes(b[1], b[0]);
        case SampleEncoding::Signed32LE:
            return FromBytes(b[2], b[3]);
        case SampleEncoding::Signed32BE:
            return FromBytes(b[1], b[0]);
        case SampleEncoding::Float32LE:
            return FloatToSample(FloatFromBytes<float, std::uint32_t>(b, false));
        case SampleEncoding::Float32BE:
            return FloatToSample(FloatFromBytes<float, std::uint32_t>(b, true));
        case SampleEncoding::Float64LE:
            return FloatToSample(FloatFromBytes<double, std::uint64_t>(b, false));
        case SampleEncoding::Float64BE:
            return FloatToSample(FloatFromBytes<double, std::uint64_t>(b, true));
    }
    return 0;
}

bool DecodeSamples(ByteReader& reader, SampleEncoding encoding, std::span<std::int16_t> out,
                   unsigned stride, std::uint16_t keptMask) {
    const unsigned width = BytesPerSample(encoding);
    const std::size_t groupBytes = std::size_t{width} * stride;
    // Pieces of whole groups, so a group never straddles two reads; no larger than needed,
    // since a reader may decode many short runs.
    const std::size_t groupsPerPiece = std::min((64 * 1024) / groupBytes + 1, out.size());
    std::vector<std::uint8_t> piece(groupsPerPiece * groupBytes);

    std::size_t done = 0;
    while (done < out.size()) {
        const std::size_t groups = std::min(groupsPerPiece, out.size() - done);
        const std::size_t got = reader.ReadUpTo(std::span(piece).first(groups * groupBytes));
        const std::size_t whole = got / groupBytes;
        for (std::size_t g = 0; g < whole; ++g) {
            const std::int16_t sample = DecodeSample(piece.data() + g * groupBytes, encoding);
            out[done + g] = static_cast<std::int16_t>(sample & keptMask);
        }
        done += whole;
        if (whole < groups) {
            return false;
        }
    }
    return true;
}

}  // namespace marvolin::formats
