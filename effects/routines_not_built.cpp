#include "effects/routines.h"

namespace marvolin::effects {

// Routines that are not written yet leave the working buffer as it is, so their effects only
// pass the sound through the frame's conversions. Each moves to a file of its own when it is
// written.

void RunSplineResampler(EffectContext&) {}
void RunNoiseBurstGenerator(EffectContext&) {}
void RunEightLevelQuantizer(EffectContext&) {}
void RunOctaveUpDecimator(EffectContext&) {}
void RunOctaveDownInterpolator(EffectContext&) {}
void RunAmplitudeModulator(EffectContext&) {}
void RunEchoGenerator(EffectContext&) {}
void RunReverser(EffectContext&) {}
void RunDriftingDelayFlanger(EffectContext&) {}
void RunRoomReverberator(EffectContext&) {}
void RunTwoPoleFilter(EffectContext&) {}
void RunSegmentChopper(EffectContext&) {}
void RunSweptResonator(EffectContext&) {}
void RunPieceShuffler(EffectContext&) {}
void RunSegmentRepeater(EffectContext&) {}

}  // namespace marvolin::effects
