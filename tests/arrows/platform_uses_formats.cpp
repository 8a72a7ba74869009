// Forbidden: the platform interfaces are the bottom layer.
#include "formats/sound_buffer.h"
