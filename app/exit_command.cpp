#include "app/exit_command.h"

namespace marvolin::app {

void ExitCommand(const MainWindowState& state, platform::Platform& platform) {
    if (state.recording()) {
        return;
    }
    const auto answer = platform.messageBoxes.Show("Do you really want to exit ?", "Are you sure ?",
                                                   platform::MessageIcon::Question,
                                                   platform::MessageButtons::OkCancel);
    if (answer == platform::MessageAnswer::Ok) {
        platform.window.Close();
    }
}

}  // namespace marvolin::app
