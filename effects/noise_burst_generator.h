#pragma once

#include <cstdint>

namespace marvolin::effects {

// Each burst of Jamming lasts half a second.
std::uint32_t JammingBurstLength(std::uint32_t sampleRate);

// About one burst per whole second of sound, at least one. The count is kept in 16 bits.
std::uint16_t JammingBurstCount(std::uint32_t sampleCount, std::uint32_t burstLength);

}  // namespace marvolin::effects
