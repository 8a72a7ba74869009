// Allowed: formats builds on the platform interfaces.
#include "formats/sound_buffer.h"
#include "platform/allocation.h"
