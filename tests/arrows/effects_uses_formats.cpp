// Allowed: the effect frame works on the sound buffer.
#include "effects/effect_frame.h"
#include "formats/sound_buffer.h"
