#pragma once

#include "app/main_window.h"

namespace marvolin::app {

// The window's position when a window of the given size is centred on the desktop: each
// half-difference truncated toward zero and narrowed to 16 bits.
struct Position {
    int x;
    int y;
};
Position CenteredPosition(const platform::Rect& desktop, int width, int height);

// The main window's initialisation: settings, placement, random seed, tables, welcome sound.
void StartUp(MainWindowState& state, platform::Platform& platform, const ProgramFiles& files);

}  // namespace marvolin::app
