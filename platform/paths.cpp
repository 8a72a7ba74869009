#include "platform/paths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace marvolin::platform {
namespace fs = std::filesystem;

namespace {

bool HoldsDataFiles(const fs::path& folder) {
    std::error_code error;
    return fs::exists(folder / "waves" / "welcome.wav", error) ||
           fs::exists(folder / "marvolin.bmp", error);
}

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

}  // namespace

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) {
        return name;
    }
    if (folder.back() == '/') {
        return folder + name;
    }
    return folder + "/" + name;
}

std::string ExecutableDirectory() {
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (error) {
        return fs::current_path(error).string();
    }
    return executable.parent_path().string();
}

std::string DataFolderFor(const std::string& executableDirectory) {
    const fs::path here(executableDirectory);
    const fs::path installed = here.parent_path() / "share" / "marvolin";
    if (HoldsDataFiles(here)) {
        return here.string();
    }
    if (HoldsDataFiles(installed)) {
        return installed.string();
    }
    return here.string();
}

std::string DataFolder() {
    const std::string overridden = EnvironmentValue("MARVOLIN_DATA_DIR");
    if (!overridden.empty()) {
        return overridden;
    }
    return DataFolderFor(ExecutableDirectory());
}

std::string SettingsFilePath() {
    std::string folder = EnvironmentValue("XDG_CONFIG_HOME");
    if (folder.empty() || folder.front() != '/') {
        folder = JoinPath(EnvironmentValue("HOME"), ".config");
    }
    return JoinPath(folder, "marvolin.ini");
}

}  // namespace marvolin::platform
