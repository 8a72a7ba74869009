// Allowed: the main window uses every layer below it.
#include "app/main_window.h"
#include "audio/playback.h"
#include "effects/effect_frame.h"
#include "formats/wav.h"
#include "screen/screen.h"
