// What a paint of the window costs on a finer screen: the artwork, the waveform trace and the
// progress ball composed at the screen's resolution, for the whole window (a full repaint)
// and for the ball's square (what playback repaints several times a second).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>
#include <string>

#include "platform/headless/headless_platform.h"
#include "platform/qt/main_widget.h"
#include "platform/qt/native_artwork.h"
#include "platform/qt/qt_window.h"
#include "screen/screen.h"
#include "speech_like.h"

namespace marvolin {
namespace {

using platform::qt::MainWidget;
using platform::qt::NativeArtwork;

QApplication& Application() {
    static int argc = 1;
    static char name[] = "window_paint_bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: the artwork's fonts outlive every benchmark and must not outlive Qt.
    static QApplication* application = new QApplication(argc, argv);
    return *application;
}

// The window as the program draws it: the picture, a 45-second sound's trace, the ball.
struct DrawnWindow {
    DrawnWindow() {
        screen::ReadBackgroundPicture(screen, boxes,
                                      std::string(MARVOLIN_BUILD_BIN_DIR) + "/marvolin.bmp");
        screen.window = *screen.picture;
        formats::SoundBuffer sound;
        sound.Install(bench::SpeechLike(1000000));
        screen::DrawWaveform(screen, host, sound);
        screen::DrawProgress(screen, host, 35);
        picture = QImage(reinterpret_cast<const uchar*>(screen.window.data()), 640, 480,
                         QImage::Format_RGB32);
    }

    QApplication& application = Application();  // before the widget
    platform::headless::ScriptedMessageBoxes boxes;
    platform::headless::BlockTextRenderer text;
    MainWidget widget;
    platform::qt::QtWindow window{widget};
    screen::ScreenHost host{boxes, window, text};
    screen::Screen screen;
    QImage picture;
};

void Compose(benchmark::State& state, double ratio, bool wholeWindow) {
    static DrawnWindow& drawn = *new DrawnWindow;  // kept to the end, like the application
    const std::unique_ptr<NativeArtwork> native = NativeArtwork::Render(ratio);
    if (native == nullptr || drawn.picture.isNull()) {
        state.SkipWithError("the artwork or the picture could not be drawn");
        return;
    }
    const QRect area = wholeWindow ? drawn.picture.rect()
                                   : QRect(drawn.screen.progressX, drawn.screen.progressY, 15, 15);
    for (auto _ : state) {
        QImage image = native->Compose(drawn.picture, area, drawn.widget.drawings());
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_WholeWindow(benchmark::State& state) {
    Compose(state, state.range(0) / 100.0, true);
}
void BM_BallSquare(benchmark::State& state) {
    Compose(state, state.range(0) / 100.0, false);
}
BENCHMARK(BM_WholeWindow)
    ->ArgName("ratio_percent")
    ->Arg(125)
    ->Arg(150)
    ->Arg(200)
    ->Arg(300)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BallSquare)->ArgName("ratio_percent")->Arg(200)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace marvolin
