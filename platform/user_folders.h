#pragma once

#include <string>

namespace marvolin::platform {

// The user's music folder as the desktop names it: XDG_MUSIC_DIR from the environment or from
// user-dirs.dirs in $XDG_CONFIG_HOME (or ~/.config), "$HOME/" expanded; the home folder when
// that names no existing folder; "/" without a home.
std::string MusicFolder();

// The value of XDG_MUSIC_DIR in the text of a user-dirs.dirs file, "$HOME" replaced by
// `home`; empty when the file does not set it.
std::string MusicFolderFromUserDirs(const std::string& text, const std::string& home);

// True when the folder exists and this user may create files in it.
bool IsWritableFolder(const std::string& path);

}  // namespace marvolin::platform
