#pragma once

#include <string>

#include "app/main_window_state.h"
#include "platform/platform.h"

namespace marvolin::app {

// The Options button: the Settings dialog over the settings file, then the help area is
// cleared. Ignored while a sound plays or records.
void OptionsCommand(MainWindowState& state, platform::Platform& platform,
                    const std::string& settingsFile);

// The logo: the About box. Ignored while a sound plays or records.
void AboutCommand(const MainWindowState& state, platform::Platform& platform);

}  // namespace marvolin::app
