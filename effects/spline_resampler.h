#pragma once

#include <cstdint>

#include "effects/effect_context.h"

namespace marvolin::effects {

// How the spline resampler's read step moves: a sine of the number of samples written, or a
// sawtooth that repeats a hundred times a second.
struct ReadStepModulation {
    bool sawtooth;
    float radiansPerSecond;  // of the sine
    std::uint32_t depth;     // percent of the read step's excursion
};

inline constexpr ReadStepModulation kTenHertzReadSine{false, 62.831856f, 100};
inline constexpr ReadStepModulation kFiftyHertzReadSine{false, 314.15927f, 100};
// 6.2831855f is the float nearest 2 pi; other routines use 6.2831850f on purpose.
inline constexpr ReadStepModulation kOneHertzReadSine{false, 6.2831855f, 100};
inline constexpr ReadStepModulation kFiveHertzReadSine{false, 31.415928f, 100};
inline constexpr ReadStepModulation kHundredHertzReadSawtooth{true, 0.0f, 30};

// Reads the working buffer at a fractional position whose step is modulated between slower
// and faster than the sound, interpolating with a natural cubic spline, and normalises the
// result. Sounds of fewer than two samples, which have no spline, and a rate of 0 Hz, which
// has no modulation, are left as they are.
void RunSplineResampler(EffectContext& context, const ReadStepModulation& modulation);

}  // namespace marvolin::effects
