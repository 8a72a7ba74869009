#pragma once

#include <optional>
#include <string>

#include "app/main_window_state.h"
#include "formats/file_result.h"
#include "platform/platform.h"

namespace marvolin::app {

// Reads `path` by what its bytes say it is, whatever its name.
formats::LoadResult LoadFileByContent(const std::string& path);

// Opens a file handed over by the desktop (dropped on the window, or named on the command
// line) the way Open does, except that the file's content chooses the reader. Refused, like
// Open, while a sound plays or records. Gives true when the file became the current sound.
bool OpenDroppedFile(MainWindowState& state, platform::Platform& platform, const std::string& path);

// "voice.wav - Marvolin" for "/home/me/voice.wav"; "Marvolin" for an empty path.
std::string WindowTitleFor(const std::string& path);

// Shows the current file's name in the window's title.
void ShowTitle(MainWindowState& state, platform::Platform& platform);

}  // namespace marvolin::app
