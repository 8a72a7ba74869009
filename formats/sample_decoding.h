#pragma once

#include <cstdint>
#include <span>

#include "formats/byte_reader.h"

namespace marvolin::formats {

// How one sample is stored in a file.
enum class SampleEncoding {
    Unsigned8,  // (byte - 128) x 256
    Signed8,    // byte x 256
    MuLaw8,     // G.711 mu-law, expanded by MuLawToLinear
    ALaw8,      // G.711 A-law, expanded by ALawToLinear
    Signed16LE,
    Signed16BE,
    Signed24LE,  // integer samples wider than 16 bits keep their top 16 bits
    Signed24BE,
    Signed32LE,
    Signed32BE,
    Float32LE,  // clamped to -1..1, scaled by 32767, truncated toward zero
    Float32BE,
    Float64LE,
    Float64BE,
};

unsigned BytesPerSample(SampleEncoding encoding);

// G.711 expansions of one byte; mu-law gives -32124..32124, A-law -32256..32256.
std::int16_t MuLawToLinear(std::uint8_t byte);
std::int16_t ALawToLinear(std::uint8_t byte);

std::int16_t DecodeSample(const std::uint8_t* bytes, SampleEncoding encoding);

// Float to 16 bits: NaN is silence, the rest is clamped to -1..1, times 32767, truncated.
std::int16_t FloatToSample(double value);

// Decodes out.size() x stride samples from the reader's position, keeping the first of
// every `stride` samples ANDed with `keptMask` in `out`. False when the source ends early
// (the samples decoded so far stay in `out`).
bool DecodeSamples(ByteReader& reader, SampleEncoding encoding, std::span<std::int16_t> out,
                   unsigned stride = 1, std::uint16_t keptMask = 0xFFFF);

}  // namespace marvolin::formats
