// Runs the program on the Wayland display named by WAYLAND_DISPLAY: the platform plugin must
// load, the frameless window must be shown with the named file's title, a key must reach
// the handler and a press where nothing is must start a move without trouble. What the
// compositor shows must be the program's picture, at start and after a change, at whatever
// scale Qt was given. Exit status 0 when all of that held, 1 otherwise, with the reason on
// standard error.
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "formats/wav.h"
#include "platform/paths.h"
#include "platform/qt/command_line.h"
#include "platform/qt/program.h"
#include "screen_capture.h"

namespace {

int Fail(const char* reason) {
    std::fprintf(stderr, "wayland probe: %s\n", reason);
    return 1;
}

// The compositor's background, set in the driver's weston.ini: nothing of the window has it.
constexpr QRgb kBackground = 0xFF00FF;

// The program's picture as it stands, opaque.
QImage CurrentPicture(const marvolin::platform::qt::MainWidget& widget) {
    const QImage view(static_cast<const uchar*>(widget.pictureBits()), 640, 480, 640 * 4,
                      QImage::Format_RGB32);
    QImage picture = view.copy();
    for (int y = 0; y < picture.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            row[x] |= 0xFF000000u;
        }
    }
    return picture;
}

// Waits until the screen shows the window as the program's picture: pixel for pixel at
// scale 1; above it, with the artwork and text drawn again finer, nearly every pixel close.
bool ScreenShowsPicture(const marvolin::platform::qt::MainWidget& widget, const QString& folder,
                        std::string& why) {
    const double scale = widget.devicePixelRatioF();
    const int tolerance = scale == 1.0 ? 0 : 64;
    const double allowed = scale == 1.0 ? 0.0 : 0.05;
    QElapsedTimer waited;
    waited.start();
    while (true) {
        QTest::qWait(100);
        const QImage screen = marvolin::test::CaptureScreen(folder);
        if (screen.isNull()) {
            why = "weston-screenshooter gave no picture";
            return false;
        }
        const QRect bounds = marvolin::test::ForegroundBounds(screen, kBackground);
        const QSize expected(static_cast<int>(640 * scale + 0.5),
                             static_cast<int>(480 * scale + 0.5));
        double share = 1.0;
        if (std::abs(bounds.width() - expected.width()) <= 1 &&
            std::abs(bounds.height() - expected.height()) <= 1) {
            share = marvolin::test::MismatchShare(CurrentPicture(widget), screen.copy(bounds),
                                                  scale, tolerance);
        }
        if (share <= allowed) {
            std::printf("wayland probe: scale %.2f, %.4f of the pixels differ\n", scale, share);
            return true;
        }
        if (waited.elapsed() > 8000) {
            why = "the screen shows a " + std::to_string(bounds.width()) + "x" +
                  std::to_string(bounds.height()) + " window where a " +
                  std::to_string(expected.width()) + "x" + std::to_string(expected.height()) +
                  " one was expected, " + std::to_string(share * 100) +
                  " % of its pixels unlike the picture";
            return false;
        }
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        return Fail("usage: wayland_probe SOUND.wav SCREENSHOT_FOLDER");
    }
    const QString shots = QString::fromLocal8Bit(argv[2]);
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
    std::string why;
    if (!ScreenShowsPicture(widget, shots, why)) {
        return Fail(("at start " + why).c_str());
    }
    QTest::keyClick(&widget, Qt::Key_Right);
    if (program.window().state().category != marvolin::app::kTransmissions) {
        return Fail("the Right key did not step the category");
    }
    if (!ScreenShowsPicture(widget, shots, why)) {
        return Fail(("after a change " + why).c_str());
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
