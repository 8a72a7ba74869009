#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "formats/byte_source.h"
#include "formats/file_result.h"

namespace marvolin::formats {

// Reads the AIFF (and AIFF-C) file at `path` (or already open), or says why it cannot.
LoadResult LoadAiff(const std::string& path);
LoadResult LoadAiffFrom(ByteSource& file);

// The value of a big-endian 80-bit extended float (sign, 15-bit exponent, 64-bit mantissa with
// an explicit leading bit). The exponent 0x7FFF gives infinity, whatever the mantissa says.
double ConvertExtended(const std::array<std::uint8_t, 10>& bytes);

// The low 32 bits of `rate` truncated toward zero to a 64-bit integer. NaN, infinities and values
// outside the 64-bit range give 0.
std::uint32_t TruncateAiffRate(double rate);

// The rate an AIFF sound is played at: above 44000 Hz 44100, between 20000 and 44000 Hz 22050,
// below 20000 Hz 11025; 20000 and 44000 themselves stay.
std::uint32_t SnapAiffRate(std::uint32_t rate);

}  // namespace marvolin::formats
