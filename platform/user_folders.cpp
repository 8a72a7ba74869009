#include "platform/user_folders.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace marvolin::platform {
namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

std::string ExpandHome(std::string value, const std::string& home) {
    if (value.rfind("$HOME", 0) == 0) {
        value = home + value.substr(5);
    }
    return value;
}

bool IsFolder(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}

}  // namespace

std::string MusicFolderFromUserDirs(const std::string& text, const std::string& home) {
    std::istringstream lines(text);
    std::string line;
    const std::string key = "XDG_MUSIC_DIR=";
    std::string found;
    while (std::getline(lines, line)) {
        const std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, key.size(), key) != 0) {
            continue;
        }
        std::string value = line.substr(start + key.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            value = value.substr(1, value.size() - 2);
        }
        found = ExpandHome(value, home);  // the last setting counts
    }
    return found;
}

std::string MusicFolder() {
    const std::string home = Environment("HOME");
    std::string music = ExpandHome(Environment("XDG_MUSIC_DIR"), home);
    if (!IsFolder(music)) {
        std::string config = Environment("XDG_CONFIG_HOME");
        if (config.empty() || config.front() != '/') {
            config = home + "/.config";
        }
        std::ifstream file(config + "/user-dirs.dirs");
        std::stringstream text;
        text << file.rdbuf();
        music = MusicFolderFromUserDirs(text.str(), home);
    }
    if (IsFolder(music)) {
        return music;
    }
    return IsFolder(home) ? home : std::string("/");
}

bool IsWritableFolder(const std::string& path) {
    return IsFolder(path) && ::access(path.c_str(), W_OK | X_OK) == 0;
}

}  // namespace marvolin::platform
