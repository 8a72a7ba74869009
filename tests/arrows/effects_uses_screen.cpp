// Forbidden: routines draw through their host, not on the screen.
#include "screen/screen.h"
