#pragma once

#include <cmath>
#include <cstdint>

namespace marvolin::effects {

// The single-precision value nearest 1/32767: 32767 enters as exactly 1.0.
inline constexpr float kEnterScale = 3.0518509e-5f;
// Leaving multiplies by a little less than 32767, so every effect lowers the level slightly.
inline constexpr double kLeaveScale = 32700.0;

// One 16-bit sample into the working buffer, the product rounded to float.
inline float EnterSample(std::int16_t sample) {
    return static_cast<float>(static_cast<double>(sample) * static_cast<double>(kEnterScale));
}

// One working sample back to 16 bits: truncated toward zero and clamped to the 16-bit range.
// NaN, which no routine should produce, becomes silence rather than undefined behaviour.
inline std::int16_t LeaveSample(float value) {
    const double scaled = static_cast<double>(value) * kLeaveScale;
    if (std::isnan(scaled)) {
        return 0;
    }
    if (scaled >= 32767.0) {
        return 32767;
    }
    if (scaled <= -32768.0) {
        return -32768;
    }
    return static_cast<std::int16_t>(scaled);
}

}  // namespace marvolin::effects
