#pragma once

#include "app/main_window_state.h"
#include "platform/platform.h"

namespace marvolin::app {

// The Exit button: ignored while recording, otherwise asks before ending the program.
void ExitCommand(const MainWindowState& state, platform::Platform& platform);

}  // namespace marvolin::app
