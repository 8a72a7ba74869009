#include "effects/routines.h"

namespace marvolin::effects {

// Not written yet: the working buffer passes through unchanged.
void RunReverser(EffectContext&) {}

}  // namespace marvolin::effects
