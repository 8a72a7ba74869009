#pragma once

#include <cstdint>

#include "effects/effect_context.h"
#include "effects/two_pole_design.h"

namespace marvolin::effects {

// One fixed second-order filter: its type, corner frequency and bandwidth in hertz.
struct TwoPoleRecord {
    TwoPoleType type;
    std::uint16_t frequency;
    std::uint16_t bandwidth;
};

inline constexpr TwoPoleRecord kLowPassAt3000Hz{TwoPoleType::kLowPass, 3000, 200};
inline constexpr TwoPoleRecord kHighPassAt5000Hz{TwoPoleType::kHighPass, 5000, 200};

// Runs the filter over the working buffer and normalises the result; the sound keeps its
// length.
void RunTwoPoleFilter(EffectContext& context, const TwoPoleRecord& record);

}  // namespace marvolin::effects
