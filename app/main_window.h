#pragma once

#include <string>
#include <vector>

#include "app/drag_out.h"
#include "app/keyboard_shortcuts.h"
#include "app/main_window_state.h"
#include "platform/messages.h"
#include "platform/platform.h"

namespace marvolin::app {

// Where the program finds its files.
struct ProgramFiles {
    std::string dataFolder;        // holds "marvolin.bmp" and "waves/welcome.wav"
    std::string settingsFile;      // "marvolin.ini"
    std::string startupFile = {};  // opened instead of the welcome sound when not empty
};

// The main window's message handler: the program's only driver. The platform delivers every
// message here, starting with Initialize once the window exists.
class MainWindow : public platform::MessageSink {
  public:
    MainWindow(platform::Platform& platform, ProgramFiles files);

    void Handle(const platform::Message& message) override;

    MainWindowState& state() { return state_; }
    const MainWindowState& state() const { return state_; }

  private:
    void OnMouseMove(int x, int y);
    void OnLeftButtonDown(int x, int y);
    void PressLeft(std::uint16_t hotspot);
    void PressRight(std::uint16_t hotspot);
    void Click(ShortcutClick click);
    // A left press where no hotspot is: the waveform is dragged away, the window moved.
    void PressOutsideHotspots(int x, int y);
    void PublishButtons();
    void OnLeftButtonUp();
    void OnRightButtonDown(int x, int y);
    void OnRightButtonUp();
    void RunCommand(std::uint16_t hotspot);
    void StepCategory(int direction);

    platform::Platform& platform_;
    ProgramFiles files_;
    MainWindowState state_;
    DragOutFolder dragOutFolder_;
    std::vector<platform::AccessibleButton> publishedButtons_;
};

}  // namespace marvolin::app
