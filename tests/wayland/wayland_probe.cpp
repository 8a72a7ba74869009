// Runs the program on the Wayland display named by WAYLAND_DISPLAY: the platform plugin must
// load, the frameless window must be shown with the named file's title, a key must reach
// the handler and a press where nothing is must start a move without trouble. Exit status 0
// when all of that held, 1 otherwise, with the reason on standard error.
#include <QApplication>
#include <QTest>
#include <QWindow>
#include <cstdio>

#include "formats/wav.h"
#include "platform/paths.h"
#include "platform/qt/command_line.h"
#include "platform/qt/program.h"

namespace {

int Fail(const char* reason) {
    std::fprintf(stderr, "wayland probe: %s\n", reason);
    return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        return Fail("usage: wayland_probe SOUND.wav");
    }
    QApplication application(argc, argv);
    QGuiApplication::setDesktopFileName(
        QString::fromLatin1(marvolin::platform::qt::kApplicationId));
    if (QGuiApplication::platformName() != QLatin1String("wayland")) {
        return Fail("not running on the wayland platform plugin");
    }
    marvolin::platform::qt::Program program(
        {marvolin::platform::DataFolder(), marvolin::platform::SettingsFilePath(), argv[1]});
    if (!program.Start()) {
        return Fail("the program ended during start-up");
    }
    auto& widget = program.widget();
    if (!QTest::qWaitForWindowExposed(&widget, 10000)) {
        return Fail("the window was never exposed");
    }
    if (widget.windowTitle() != QLatin1String("probe.wav - Marvolin")) {
        return Fail("the title does not name the file");
    }
    if (program.window().state().sound.sampleCount() != 3) {
        return Fail("the named file was not opened");
    }
    QTest::keyClick(&widget, Qt::Key_Right);
    if (program.window().state().category != marvolin::app::kTransmissions) {
        return Fail("the Right key did not step the category");
    }
    // A press outside every button asks the compositor to move the window.
    QTest::mousePress(widget.windowHandle(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(widget.windowHandle(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::qWait(200);
    if (!widget.isVisible() || widget.closedByProgram()) {
        return Fail("the window did not survive the move");
    }
    std::puts("wayland probe: passed");
    return 0;
}
