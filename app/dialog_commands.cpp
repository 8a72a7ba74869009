#include "app/dialog_commands.h"

#include "app/about_box.h"
#include "app/drawing.h"
#include "app/settings_dialog.h"
#include "resources/message_table.h"

namespace marvolin::app {

void OptionsCommand(MainWindowState& state, platform::Platform& platform,
                    const std::string& settingsFile) {
    if (state.playing() || state.recording()) {
        return;
    }
    SettingsDialog dialog(state.settings, settingsFile, platform.audioDevices);
    platform.dialogs.RunSettings(dialog);
    if (dialog.saveFailed()) {
        resources::ShowMessage(platform.messageBoxes, resources::MessageId::CannotSaveSettings);
    }
    screen::ScreenHost host = ScreenHostOf(platform);
    screen::EraseHelpArea(state.screen, host);
}

void AboutCommand(const MainWindowState& state, platform::Platform& platform) {
    if (state.playing() || state.recording()) {
        return;
    }
    platform.dialogs.RunAbout(AboutBox());
}

}  // namespace marvolin::app
