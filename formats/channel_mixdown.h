#pragma once

#include <cstddef>
#include <cstdint>

namespace marvolin::formats {

// How a decoder hands over its samples.
enum class MixSampleType : std::uint8_t {
    Unsigned8,
    Signed16,
    Signed32,
    Signed64,
    Float32,
    Float64
};

struct MixInput {
    MixSampleType type = MixSampleType::Signed16;
    bool planar = false;  // one plane per channel, else frames of interleaved channels
    int channels = 1;
    std::size_t frames = 0;
    const std::uint8_t* const* planes = nullptr;  // `channels` planes, or one when interleaved
};

// Writes one 16-bit sample per frame: the mean of the frame's channels on the 16-bit scale,
// rounded to the nearest value with ties to even. Integer samples are summed exactly (wider
// ones keep their fraction of a 16-bit step until the one rounding), float samples in double
// precision, with full scale (1.0) at 32768 and NaN as silence. Only a float source beyond
// full scale, or a wide one rounding up past 32767, is clamped.
void MixDown(const MixInput& input, std::int16_t* out);

}  // namespace marvolin::formats
