#pragma once

#include "effects/effect_context.h"

namespace marvolin::effects {

// The fifteen processing routines the 40 effects are built from. Each reads the working
// buffer, the sample rate and the effect selection from the context, picks its constants for
// that effect and replaces the working buffer with its output.
void RunSplineResampler(EffectContext& context);
void RunNoiseBurstGenerator(EffectContext& context);
void RunEightLevelQuantizer(EffectContext& context);
void RunOctaveUpDecimator(EffectContext& context);
void RunOctaveDownInterpolator(EffectContext& context);
void RunAmplitudeModulator(EffectContext& context);
void RunEchoGenerator(EffectContext& context);
void RunReverser(EffectContext& context);
void RunDriftingDelayFlanger(EffectContext& context);
void RunRoomReverberator(EffectContext& context);
void RunTwoPoleFilter(EffectContext& context);
void RunSegmentChopper(EffectContext& context);
void RunSweptResonator(EffectContext& context);
void RunPieceShuffler(EffectContext& context);
void RunSegmentRepeater(EffectContext& context);

}  // namespace marvolin::effects
