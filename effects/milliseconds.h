#pragma once

#include <cstdint>

namespace marvolin::effects {

// (rate x milliseconds) / 1000 in integer arithmetic. Done in 64 bits so that no sample rate
// a file can declare makes the product wrap around.
inline std::uint64_t MillisecondsToSamples(std::uint32_t sampleRate, std::uint32_t milliseconds) {
    return std::uint64_t{sampleRate} * milliseconds / 1000;
}

}  // namespace marvolin::effects
