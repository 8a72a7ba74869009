#include <cmath>

#include "formats/aiff.h"

namespace marvolin::formats {

double ConvertExtended(const std::array<std::uint8_t, 10>& b) {
    const int exponent = (b[0] & 0x7F) * 256 + b[1];
    const std::uint32_t high = (std::uint32_t{b[2]} << 24) | (std::uint32_t{b[3]} << 16) |
                               (std::uint32_t{b[4]} << 8) | std::uint32_t{b[5]};
    const std::uint32_t low = (std::uint32_t{b[6]} << 24) | (std::uint32_t{b[7]} << 16) |
                              (std::uint32_t{b[8]} << 8) | std::uint32_t{b[9]};
    double value = 0.0;
    if (exponent == 0 && high == 0 && low == 0) {
        value = 0.0;
    } else if (exponent == 0x7FFF) {
        value = HUGE_VAL;
    } else {
        // 16414 = 16383 (the bias) + 31, 16446 = 16383 + 63: the mantissa's binary point lies
        // after its first bit.
        value = std::ldexp(static_cast<double>(high), exponent - 16414) +
                std::ldexp(static_cast<double>(low), exponent - 16446);
    }
    return (b[0] & 0x80) != 0 ? -value : value;
}

std::uint32_t TruncateAiffRate(double rate) {
    // 2^63: a signed 64-bit integer holds -2^63 up to just below 2^63. Both comparisons are
    // false for NaN, which therefore gives 0 as well.
    constexpr double kLimit = 9223372036854775808.0;
    if (!(rate >= -kLimit && rate < kLimit)) {
        return 0;
    }
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(static_cast<std::int64_t>(rate)));
}

std::uint32_t SnapAiffRate(std::uint32_t rate) {
    if (rate > 44000) {
        return 44100;
    }
    if (rate > 20000 && rate < 44000) {
        return 22050;
    }
    if (rate < 20000) {
        return 11025;
    }
    return rate;
}

}  // namespace marvolin::formats
