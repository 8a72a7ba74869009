#pragma once

#include "effects/amplitude_modulator.h"
#include "effects/drifting_delay_flanger.h"
#include "effects/echo_generator.h"
#include "effects/effect_context.h"
#include "effects/room_reverberator.h"
#include "effects/spline_resampler.h"
#include "effects/swept_resonator.h"
#include "effects/two_pole_filter.h"

namespace marvolin::effects {

// The fifteen processing routines the 40 effects are built from. Each reads the working
// buffer and the sample rate from the context and replaces the working buffer with its
// output; the routines with a record or a progress share in their headers are given them by
// the effect's recipe.
void RunNoiseBurstGenerator(EffectContext& context);
void RunEightLevelQuantizer(EffectContext& context);
void RunOctaveUpDecimator(EffectContext& context);
void RunOctaveDownInterpolator(EffectContext& context);
void RunReverser(EffectContext& context);
void RunSegmentChopper(EffectContext& context);
void RunPieceShuffler(EffectContext& context);
void RunSegmentRepeater(EffectContext& context);

}  // namespace marvolin::effects
