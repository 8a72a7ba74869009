#pragma once

#include "effects/effect_context.h"
#include "effects/resonator_sweep.h"

namespace marvolin::effects {

inline constexpr ResonatorRecord kOpeningSweep{1000, 400, 100, SweepShape::kFallingFromTop};
inline constexpr ResonatorRecord kClosingSweep{1000, 400, 100, SweepShape::kRisingToTop};
inline constexpr ResonatorRecord kFixedResonance{1000, 0, 10, SweepShape::kFixed};
inline constexpr ResonatorRecord kUnderWaterWobble{1000, 200, 200, SweepShape::kTenHertzWobble};

// A two-pole band-pass resonator with about unit gain at its peak, whose centre stays put,
// glides or wobbles over the sound; the result is normalised and keeps its length.
void RunSweptResonator(EffectContext& context, const ResonatorRecord& resonator);

}  // namespace marvolin::effects
