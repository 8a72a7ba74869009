#pragma once

#include <cstdint>
#include <string>

namespace marvolin::app {

// The ten values of section "Marvolin" in "marvolin.ini". Flags are tested as zero / non-zero.
struct Settings {
    std::string defaultDirectory = ".\\waves";
    std::int32_t samplingFrequency = 4;  // 1..6: 8000, 11025, 16000, 22050, 32000, 44100 Hz
    std::int32_t playAfterLoading = 1;
    std::int32_t playAfterProcessing = 1;
    std::int32_t playAfterUndo = 0;
    std::int32_t playAfterRecording = 1;
    std::int32_t displayHelp = 1;
    std::int32_t autoTruncate = 1;
    std::int32_t audioInput = 0;
    std::int32_t audioOutput = 0;
    // The sound system's stable names of the chosen devices ("" for the default, or when
    // only a number was ever stored): they find the device again when the list changes.
    std::string audioInputName;
    std::string audioOutputName;
};

inline constexpr const char* kSettingsSection = "Marvolin";

// Reads the ten settings from the file, key by key in the order of the record; a missing
// file or key gives the default.
Settings ReadSettings(const std::string& settingsFile);

// Writes all ten settings ("Sampling Frequency", the directory, the four playback switches,
// auto-truncation, help, the two devices), then the devices' names when there are any (or
// the file had them), keeping every other line of the file. False when it cannot.
bool WriteSettings(const std::string& settingsFile, const Settings& settings);

// The folder the file dialogs start in: the default ".\waves" (or any relative setting)
// is taken from the program's data folder; backslashes separate folders.
std::string ResolveDefaultDirectory(const std::string& setting, const std::string& dataFolder);

// The folder the Open and Save dialogs start in. A folder the user chose stands as
// ResolveDefaultDirectory gives it; the default ".\waves" does too while the data folder can
// be written (a build tree), but once installed, where it cannot, `userFolder` (the music
// folder or home) is used instead.
std::string DialogStartFolder(const std::string& setting, const std::string& dataFolder,
                              const std::string& userFolder);

}  // namespace marvolin::app
