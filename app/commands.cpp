#include "app/commands.h"

#include "app/desktop_files.h"
#include "app/device_choice.h"
#include "app/drawing.h"
#include "app/file_loading.h"
#include "app/open_file.h"
#include "app/sound_file_entries.h"
#include "effects/effect_frame.h"
#include "platform/user_folders.h"
#include "resources/message_table.h"
#include "resources/string_table.h"

namespace marvolin::app {
namespace {

// The progress ball and the memory message, for the processing routines.
class WindowEffectHost : public effects::EffectHost {
  public:
    WindowEffectHost(MainWindowState& state, platform::Platform& platform)
        : state_(state), platform_(platform) {}

    void ShowProgress(std::uint32_t percent) override {
        screen::ScreenHost host = ScreenHostOf(platform_);
        screen::DrawProgress(state_.screen, host, percent);
    }

    void ShowMemoryMessage() override {
        resources::ShowMessage(platform_.messageBoxes, resources::MessageId::EffectMemory);
    }

  private:
    MainWindowState& state_;
    platform::Platform& platform_;
};

}  // namespace

std::vector<platform::FileFilter> SplitFilterList(std::string_view list) {
    std::vector<platform::FileFilter> filters;
    if (list.empty()) {
        return filters;
    }
    const char separator = list.back();
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] == separator) {
            parts.emplace_back(list.substr(start, i - start));
            start = i + 1;
        }
    }
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        filters.push_back({parts[i], parts[i + 1]});
    }
    return filters;
}

void PlayAgain(MainWindowState& state, platform::Platform& platform) {
    // StartPlayback stops whatever is playing first.
    audio::StartPlayback(state.playback, platform, state.sound, OutputDeviceNumber(state, platform),
                         PlayButtonPainter(state, platform));
}

void OpenCommand(MainWindowState& state, platform::Platform& platform,
                 const std::string& dataFolder) {
    const auto choice = platform.fileDialogs.ChooseFileToOpen(
        OpenDialogFilters(),
        DialogStartFolder(state.settings.defaultDirectory, dataFolder, platform::MusicFolder()));
    if (!choice) {
        return;
    }
    OpenFileWithEntry(state, platform, choice->path, choice->filterIndex);
    ShowTitle(state, platform);
}

void SaveCommand(MainWindowState& state, platform::Platform& platform,
                 const std::string& dataFolder) {
    const auto choice = platform.fileDialogs.ChooseFileToSave(
        SaveDialogFilters(),
        DialogStartFolder(state.settings.defaultDirectory, dataFolder, platform::MusicFolder()));
    if (!choice) {
        return;
    }
    const formats::SaveResult saved =
        SaveInFormat(state.sound, choice->path, SaveFormatOfEntry(choice->filterIndex));
    state.currentPath = saved.path;
    ShowTitle(state, platform);
    ShowFileProblem(platform.messageBoxes, saved.status);
    RedrawWaveform(state, platform);
}

void PlayCommand(MainWindowState& state, platform::Platform& platform) {
    if (state.sound.sampleCount() == 0 || state.recording()) {
        return;
    }
    const auto draw = PlayButtonPainter(state, platform);
    if (state.playing()) {
        audio::StopPlayback(state.playback, platform, draw);
    } else {
        audio::StartPlayback(state.playback, platform, state.sound,
                             OutputDeviceNumber(state, platform), draw);
    }
}

void UndoCommand(MainWindowState& state, platform::Platform& platform) {
    if (state.playing() || state.recording() || !state.undo.hasBlock) {
        return;
    }
    effects::ExchangeSoundAndUndo(state.sound, state.undo);
    RedrawWaveform(state, platform);
    if (state.settings.playAfterUndo) {
        PlayAgain(state, platform);
    }
}

void ApplyEffectCommand(MainWindowState& state, platform::Platform& platform,
                        std::uint16_t hotspot) {
    state.clickedEffectButton = hotspot;
    WindowEffectHost host(state, platform);
    effects::ApplyEffect(state.sound, state.undo, state.category, state.clickedEffectButton, host,
                         state.routineMemory);
    RedrawWaveform(state, platform);
    if (state.settings.playAfterProcessing) {
        PlayAgain(state, platform);
    }
}

}  // namespace marvolin::app
