#pragma once

#include "app/main_window.h"
#include "platform/qt/main_widget.h"
#include "platform/qt/qt_platform.h"

namespace marvolin::platform::qt {

// One run of the program: the main widget, the Qt services and the message handler, wired
// together.
class Program {
  public:
    explicit Program(app::ProgramFiles files);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Initialises the handler and shows the window. False when the program closed itself
    // during start-up, in which case the window is never shown.
    bool Start();

    // Runs the event loop until the program closes its window; gives the exit code.
    int Run();

    MainWidget& widget() { return widget_; }
    QtPlatform& platform() { return platform_; }
    app::MainWindow& window() { return window_; }

  private:
    MainWidget widget_;
    QtPlatform platform_;
    app::MainWindow window_;
};

}  // namespace marvolin::platform::qt
