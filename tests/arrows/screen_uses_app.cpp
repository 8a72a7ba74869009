// Forbidden: the screen is below the main window.
#include "app/main_window.h"
