#pragma once

#include <string>
#include <vector>

#include "app/main_window_state.h"
#include "platform/window.h"

namespace marvolin::app {

// The name a screen reader gives hotspot `index` in the current state: "Play" or "Stop",
// "Robots: Android" for an effect button.
std::string ButtonName(const MainWindowState& state, std::uint16_t index);

// Every hotspot as a button: its rectangle, its name and its help line with the shortcut.
std::vector<platform::AccessibleButton> AccessibleButtons(const MainWindowState& state);

}  // namespace marvolin::app
