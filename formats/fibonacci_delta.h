#pragma once

#include <cstdint>
#include <span>

#include "formats/byte_reader.h"

namespace marvolin::formats {

// Expands Fibonacci-delta coded 8-bit sound into out.size() samples, starting from the
// reader's position. Every byte holds two 4-bit codes, high nibble first; each code adds its
// delta (-34 to 21) to the running 8-bit value, which starts at `initial` and wraps around, and
// the value x 256 is the next sample. False when the source ends early (the samples decoded so
// far stay in `out`).
bool DecodeFibonacciDelta(ByteReader& reader, std::int8_t initial, std::span<std::int16_t> out);

}  // namespace marvolin::formats
