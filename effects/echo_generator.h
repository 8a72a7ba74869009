#pragma once

#include <cstdint>

#include "effects/effect_context.h"
#include "effects/progress_share.h"

namespace marvolin::effects {

// An echo pattern: delays in milliseconds, gains as integer factors.
struct EchoRecord {
    std::int16_t tapCount;    // 1..20
    std::int16_t firstDelay;  // between the dry sound and the first tap
    std::int16_t lastDelay;   // between the last two taps
    std::int16_t dryGain;     // also where the tap gains start from
    std::int16_t lastGain;
    std::int16_t curve;  // 0: gains on a straight line, 1: on an exponential curve
};

inline constexpr EchoRecord kSpeedUpEchoes{10, 400, 10, 100, 10, 0};
inline constexpr EchoRecord kClassicEchoes{5, 200, 200, 100, 10, 1};
inline constexpr EchoRecord kReverseEchoes{5, 100, 100, 1, 100, 0};
inline constexpr EchoRecord kMountainEchoes{5, 500, 500, 100, 10, 0};
inline constexpr EchoRecord kSlowDownEchoes{10, 10, 400, 100, 10, 0};
inline constexpr EchoRecord kElectricEchoes{20, 10, 10, 1, 100, 0};
inline constexpr EchoRecord kVocoderEchoes{10, 5, 5, 100, 10, 1};

// Adds delayed, scaled copies of the sound to a scaled dry copy, lengthening it by the echo
// tail, and normalises the peak. Each tap's pass over the sound ticks the progress on.
void RunEchoGenerator(EffectContext& context, const EchoRecord& record, ProgressShare progress);

}  // namespace marvolin::effects
