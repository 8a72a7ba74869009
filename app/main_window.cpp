#include "app/main_window.h"

#include "app/exit_command.h"
#include "app/startup.h"

namespace marvolin::app {

MainWindow::MainWindow(platform::Platform& platform, ProgramFiles files)
    : platform_(platform), files_(std::move(files)) {}

void MainWindow::Handle(const platform::Message& message) {
    using platform::MessageKind;
    switch (message.kind) {
        case MessageKind::Initialize:
            StartUp(state_, platform_, files_);
            break;
        case MessageKind::Close:
            // The window's close command ends the program at once, even while recording.
            platform_.window.Close();
            break;
        case MessageKind::LeftButtonDown:
        case MessageKind::LeftButtonDoubleClick:
            OnLeftButtonDown(message.x, message.y);
            break;
        case MessageKind::LeftButtonUp:
            OnLeftButtonUp();
            break;
        default:
            break;
    }
}

void MainWindow::OnLeftButtonDown(int x, int y) {
    state_.pressedHotspot = HitTest(state_.hotspots, x, y);
}

void MainWindow::OnLeftButtonUp() {
    // The release acts on the hotspot pressed, wherever the pointer is now.
    if (state_.pressedHotspot == kExitHotspot) {
        ExitCommand(state_, platform_);
    }
    state_.pressedHotspot = NO_HOTSPOT;
}

}  // namespace marvolin::app
