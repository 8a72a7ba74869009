#include "effects/routines.h"

namespace marvolin::effects {

// Not written yet: the working buffer passes through unchanged.
void RunEightLevelQuantizer(EffectContext&) {}

}  // namespace marvolin::effects
