#include "app/settings.h"

#include <algorithm>
#include <filesystem>
#include <span>
#include <string_view>

#include "platform/paths.h"
#include "platform/profile_file.h"
#include "platform/user_folders.h"

namespace marvolin::app {
namespace {

struct IntegerKey {
    std::string_view key;
    std::int32_t Settings::*field;
};

// The nine integer keys in the order they are written; the directory's key goes between the
// first and the others.
constexpr IntegerKey kIntegerKeys[] = {
    {"Sampling Frequency", &Settings::samplingFrequency},
    {"play sound after loading", &Settings::playAfterLoading},
    {"play sound after processing", &Settings::playAfterProcessing},
    {"play sound after undo", &Settings::playAfterUndo},
    {"play sound after recording", &Settings::playAfterRecording},
    {"Auto-truncate recorded sample", &Settings::autoTruncate},
    {"Display help", &Settings::displayHelp},
    {"Audio input", &Settings::audioInput},
    {"Audio output", &Settings::audioOutput},
};
constexpr std::string_view kDirectoryKey = "Default .WAV directory";

struct NameKey {
    std::string_view key;
    std::string Settings::*field;
};
constexpr NameKey kDeviceNameKeys[] = {
    {"Audio input name", &Settings::audioInputName},
    {"Audio output name", &Settings::audioOutputName},
};

}  // namespace

Settings ReadSettings(const std::string& settingsFile) {
    const auto profile = platform::ProfileFile::Load(settingsFile);
    Settings settings;
    if (auto directory = profile.GetString(kSettingsSection, kDirectoryKey)) {
        settings.defaultDirectory = std::move(*directory);
    }
    for (const IntegerKey& entry : kIntegerKeys) {
        settings.*entry.field = profile.GetInt(kSettingsSection, entry.key, settings.*entry.field);
    }
    for (const NameKey& entry : kDeviceNameKeys) {
        if (auto name = profile.GetString(kSettingsSection, entry.key)) {
            settings.*entry.field = std::move(*name);
        }
    }
    return settings;
}

bool WriteSettings(const std::string& settingsFile, const Settings& settings) {
    std::error_code error;
    const auto folder = std::filesystem::path(settingsFile).parent_path();
    if (!folder.empty()) {
        std::filesystem::create_directories(folder, error);
    }
    auto profile = platform::ProfileFile::Load(settingsFile);
    auto write = [&](const IntegerKey& entry) {
        profile.SetString(kSettingsSection, entry.key, std::to_string(settings.*entry.field));
    };
    write(kIntegerKeys[0]);
    profile.SetString(kSettingsSection, kDirectoryKey, settings.defaultDirectory);
    for (const IntegerKey& entry : std::span(kIntegerKeys).subspan(1)) {
        write(entry);
    }
    // A file that never had a name keeps its old shape while the default devices are used.
    for (const NameKey& entry : kDeviceNameKeys) {
        const std::string& name = settings.*entry.field;
        if (!name.empty() || profile.GetString(kSettingsSection, entry.key)) {
            profile.SetString(kSettingsSection, entry.key, name);
        }
    }
    return profile.Save(settingsFile);
}

std::string ResolveDefaultDirectory(const std::string& setting, const std::string& dataFolder) {
    std::string path = setting;
    std::replace(path.begin(), path.end(), '\\', '/');
    if (path.empty()) {
        return dataFolder;
    }
    if (path.front() == '/') {
        return path;
    }
    if (path.rfind("./", 0) == 0) {
        path.erase(0, 2);
    }
    return platform::JoinPath(dataFolder, path);
}

std::string DialogStartFolder(const std::string& setting, const std::string& dataFolder,
                              const std::string& userFolder) {
    const std::string resolved = ResolveDefaultDirectory(setting, dataFolder);
    if (setting != Settings{}.defaultDirectory || platform::IsWritableFolder(resolved)) {
        return resolved;
    }
    return userFolder;
}

}  // namespace marvolin::app
