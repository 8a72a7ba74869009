// Forbidden: the interfaces do not see their Qt implementation.
#include "platform/qt/qt_platform.h"
