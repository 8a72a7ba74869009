#pragma once

#include <string>

namespace marvolin::platform {

// Folder of the running executable (resolved through /proc/self/exe).
std::string ExecutableDirectory();

// Where the program's data files live ("marvolin.bmp", "waves/welcome.wav"):
// $MARVOLIN_DATA_DIR when set; otherwise next to the executable in a build tree, or
// ../share/marvolin beside the executable's folder once installed.
std::string DataFolder();

// Picks the data folder among the candidates for an executable in `executableDirectory`.
std::string DataFolderFor(const std::string& executableDirectory);

// "marvolin.ini" in $XDG_CONFIG_HOME, or in ~/.config when that is unset, empty or relative.
std::string SettingsFilePath();

// Joins a folder and a relative name with one slash.
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace marvolin::platform
