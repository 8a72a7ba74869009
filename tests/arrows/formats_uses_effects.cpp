// Forbidden: the readers know nothing of the effects.
#include "effects/effect_frame.h"
