#pragma once

#include <string>

#include "app/main_window_state.h"
#include "platform/platform.h"

namespace marvolin::app {

// Opens `path` by its content, as the Open dialog's "All sound files" entry does: the path
// becomes the current one, a refused file says why and leaves the sound as it was, the
// waveform is redrawn and the sound plays when the settings ask for it. For files dropped on
// the window or named on the command line. Like Open, it does nothing while a sound plays or
// records; it says whether it opened (or tried to open) the file.
bool OpenFileByContent(MainWindowState& state, platform::Platform& platform,
                       const std::string& path);

// The same with the reader of the Open dialog's entry `filterIndex` (1-based; 1 is by content).
bool OpenFileWithEntry(MainWindowState& state, platform::Platform& platform,
                       const std::string& path, int filterIndex);

}  // namespace marvolin::app
