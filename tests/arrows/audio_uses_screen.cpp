// Forbidden: audio paints through the painter it is given.
#include "screen/screen.h"
