#pragma once

#include "effects/effect_context.h"

namespace marvolin::effects {

// The gain curve an amplitude-modulated effect multiplies the sound by.
enum class GainCurve {
    kFadeIn,      // linear ramp from 0 toward 1
    kFadeOut,     // linear ramp from 1 toward 0
    kBellCurve,   // raised cosine, 0 at both ends and 2 in the middle
    kPercussive,  // exponential decay from 1 to exp(-7)
    kTremolos,    // 10 Hz tremolo
    kAndroid,     // 200 Hz ring modulation
    kCyborg,      // 50 Hz ring modulation
    kHoarse,      // 50 Hz full-depth tremolo
};

// Multiplies the sound by the gain curve, keeping its length, and normalises the peak.
void RunAmplitudeModulator(EffectContext& context, GainCurve curve);

}  // namespace marvolin::effects
