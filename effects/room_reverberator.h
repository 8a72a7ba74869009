#pragma once

#include "effects/effect_context.h"
#include "effects/progress_share.h"
#include "effects/room_acoustics.h"

namespace marvolin::effects {

// Places the sound in a room: the direct sound and four wall reflections, then six feedback
// comb filters and an all-pass section. The result is the reverberation alone, longer by the
// latest reflection and the reverberation tail, normalised to a peak of 1.0.
void RunRoomReverberator(EffectContext& context, const RoomRecord& room, ProgressShare progress);

}  // namespace marvolin::effects
