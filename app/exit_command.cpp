#include "app/exit_command.h"

#include "resources/message_table.h"

namespace marvolin::app {

void ExitCommand(const MainWindowState& state, platform::Platform& platform) {
    if (state.recording()) {
        return;
    }
    const auto answer =
        resources::ShowMessage(platform.messageBoxes, resources::MessageId::ExitQuestion);
    if (answer == platform::MessageAnswer::Ok) {
        platform.window.Close();
    }
}

}  // namespace marvolin::app
