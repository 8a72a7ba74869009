#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/main_window_state.h"
#include "platform/file_dialogs.h"
#include "platform/platform.h"

namespace marvolin::app {

// A filter list string such as "Sound File .WAV|*.wav|": its last character separates the
// entries, which come in name / pattern pairs.
std::vector<platform::FileFilter> SplitFilterList(std::string_view list);

// Stops a running playback, then plays the sound again: the automatic playbacks.
void PlayAgain(MainWindowState& state, platform::Platform& platform);

void OpenCommand(MainWindowState& state, platform::Platform& platform,
                 const std::string& dataFolder);
void SaveCommand(MainWindowState& state, platform::Platform& platform,
                 const std::string& dataFolder);
void PlayCommand(MainWindowState& state, platform::Platform& platform);
void UndoCommand(MainWindowState& state, platform::Platform& platform);

// Applies the effect of the effect button `hotspot` in the current category.
void ApplyEffectCommand(MainWindowState& state, platform::Platform& platform,
                        std::uint16_t hotspot);

}  // namespace marvolin::app
