#include "platform/qt/native_artwork.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "fine_pixels.h"
#include "platform/headless/headless_platform.h"
#include "platform/qt/main_widget.h"
#include "platform/qt/qt_window.h"
#include "resources/bitmap_resources.h"
#include "resources/panel_layout.h"
#include "screen/screen.h"

namespace marvolin::platform::qt {
namespace {

using testing::FinerThanTheWindow;
using testing::LargestTileDifference;
using testing::OnTrace;
using testing::PartlyTraced;

constexpr QRgb kMagenta = 0xFFFF00FF;
const QRect kPlayButton(120, 210, 120, 40);
const QRect kStopLabelPlace(120, 210, 120, 40);

// The program's own background picture and bitmaps, as the window shows them.
QImage ProgramPicture() {
    QImage picture(QString::fromStdString(std::string(MARVOLIN_BUILD_BIN_DIR) + "/marvolin.bmp"));
    return picture.convertToFormat(QImage::Format_RGB32);
}

QImage ProgramBitmap(int id) {
    const auto bytes = resources::BitmapResource(id);
    return QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), "BMP")
        .convertToFormat(QImage::Format_RGB32);
}

void Put(QImage& picture, QPoint at, const QImage& bitmap) {
    QPainter painter(&picture);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(at, bitmap);
}

class NativeArtworkTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { twice = NativeArtwork::Render(2.0).release(); }
    static void TearDownTestSuite() {
        delete twice;
        twice = nullptr;
    }
    void SetUp() override {
        ASSERT_NE(twice, nullptr);
        ASSERT_FALSE(picture.isNull());
    }
    static NativeArtwork* twice;
    QImage picture = ProgramPicture();
};
NativeArtwork* NativeArtworkTest::twice = nullptr;

TEST_F(NativeArtworkTest, ThePictureShowsInFinerDetailWithTheSameColours) {
    const QImage screen = twice->Compose(picture, picture.rect());
    ASSERT_EQ(screen.size(), QSize(1280, 960));
    EXPECT_EQ(screen.devicePixelRatio(), 2.0);
    // Letters and edges of the buttons have pixels that the doubled picture cannot have.
    EXPECT_GT(FinerThanTheWindow(screen, kPlayButton), 1000);
    EXPECT_GT(FinerThanTheWindow(screen, QRect(195, 288, 120, 120)), 2000);  // category button
    // Nothing changes colour: every small tile averages out to about the picture's tile.
    EXPECT_LE(LargestTileDifference(picture, screen, picture.rect()), 24);
    EXPECT_LE(LargestTileDifference(picture, screen, kPlayButton), 12);
}

TEST_F(NativeArtworkTest, ABitmapTheProgramShowsIsDrawnFinelyToo) {
    const QImage normal = twice->Compose(picture, kPlayButton);
    Put(picture, kStopLabelPlace.topLeft(), ProgramBitmap(resources::kStopBitmap));
    const QImage stop = twice->Compose(picture, kPlayButton);
    ASSERT_EQ(stop.size(), QSize(240, 80));
    EXPECT_NE(stop, normal);
    const QImage screen = twice->Compose(picture, picture.rect());
    EXPECT_GT(FinerThanTheWindow(screen, kPlayButton), 1000);
    EXPECT_LE(LargestTileDifference(picture, screen, kPlayButton), 12);
}

TEST_F(NativeArtworkTest, AnythingElseShowsAsThePicturesOwnPixels) {
    // A bitmap at a place where the program never shows it is no artwork the window knows.
    const QImage stop = ProgramBitmap(resources::kStopBitmap);
    Put(picture, {130, 30}, stop);
    picture.setPixel(10, 10, kMagenta);
    const QImage screen = twice->Compose(picture, picture.rect());
    const QRect elsewhere(130, 30, stop.width(), stop.height());
    EXPECT_EQ(FinerThanTheWindow(screen, elsewhere), 0);
    for (int d = 0; d < 4; ++d) {
        EXPECT_EQ(screen.pixel(20 + d % 2, 20 + d / 2), kMagenta);
    }
    EXPECT_NE(screen.pixel(22, 20), kMagenta);
    EXPECT_NE(screen.pixel(20, 22), kMagenta);
    // The bitmap shown at its own place, partly drawn over, is no longer the bitmap either.
    Put(picture, kStopLabelPlace.topLeft(), stop);
    picture.setPixel(kPlayButton.center().x(), kPlayButton.center().y(), kMagenta);
    EXPECT_LT(FinerThanTheWindow(twice->Compose(picture, kPlayButton),
                                 kPlayButton.translated(-120, -210)),
              FinerThanTheWindow(screen, kPlayButton) / 2);
}

// Where the finer trace at `ratio` is not where the window's trace is: window columns of
// `view` without it, and device pixels on it that are not beside a trace pixel of `shown`.
int TraceFaults(const QImage& fine, const QImage& shown, double ratio, const QRect& view) {
    const auto device = [&](int window) { return static_cast<int>(std::ceil(window * ratio)); };
    const auto window = [&](int device) { return static_cast<int>(std::floor(device / ratio)); };
    int faults = 0;
    for (int x = view.left(); x <= view.right(); ++x) {
        bool traced = false;
        for (int dy = device(view.top()); dy < device(view.bottom() + 1); ++dy) {
            for (int dx = device(x); dx < device(x + 1); ++dx) {
                traced = traced || OnTrace(fine.pixel(dx, dy));
            }
        }
        faults += !traced;
    }
    for (int dy = device(view.top()); dy < device(view.bottom() + 1); ++dy) {
        for (int dx = device(view.left()); dx < device(view.right() + 1); ++dx) {
            bool near = false;
            for (int n = 0; n < 9 && OnTrace(fine.pixel(dx, dy)); ++n) {
                near = near || OnTrace(shown.pixel(window(dx) + n % 3 - 1, window(dy) + n / 3 - 1));
            }
            faults += OnTrace(fine.pixel(dx, dy)) && !near;
        }
    }
    return faults;
}

// The program's drawing code drawing into its picture, telling the widget what it drew.
class ProgramDrawingTest : public NativeArtworkTest {
  protected:
    void SetUp() override {
        NativeArtworkTest::SetUp();
        ASSERT_TRUE(screen::ReadBackgroundPicture(
            screen, boxes, std::string(MARVOLIN_BUILD_BIN_DIR) + "/marvolin.bmp"));
        screen.window = *screen.picture;
    }

    static QImage AsImage(const screen::Surface& surface) {
        return QImage(reinterpret_cast<const uchar*>(surface.data()), surface.width(),
                      surface.height(), QImage::Format_RGB32)
            .copy();
    }
    QImage Fine(const QImage& shown, const NativeArtwork::Drawings& drawings) const {
        return twice->Compose(shown, shown.rect(), drawings);
    }

    headless::ScriptedMessageBoxes boxes;
    headless::BlockTextRenderer text;
    MainWidget widget;
    QtWindow window{widget};
    screen::ScreenHost host{boxes, window, text};
    screen::Screen screen;
};

TEST_F(ProgramDrawingTest, TheTraceIsDrawnAgainInTheScreensResolution) {
    std::vector<std::int16_t> samples(22050);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<std::int16_t>(30000 * std::sin(i * 0.013) * std::sin(i * 0.0004));
    }
    formats::SoundBuffer sound;
    sound.Install(std::move(samples));
    screen::DrawWaveform(screen, host, sound);
    ASSERT_EQ(widget.drawings().trace.size(), 395u);

    const QImage shown = AsImage(screen.window);
    const QImage fine = Fine(shown, widget.drawings());
    const QImage doubled = Fine(shown, {});
    const QRect view(resources::kTraceLeft, 58, resources::kTraceRight - resources::kTraceLeft, 95);
    // Undescribed, the trace is the picture's own pixels, doubled; described, it is finer.
    EXPECT_EQ(PartlyTraced(doubled, view), 0);
    EXPECT_GT(PartlyTraced(fine, view), 300);
    EXPECT_LE(LargestTileDifference(shown, fine, view), 24);
    for (const double ratio : {1.25, 1.5, 2.0, 3.0}) {
        const std::unique_ptr<NativeArtwork> native = NativeArtwork::Render(ratio);
        ASSERT_NE(native, nullptr);
        EXPECT_EQ(TraceFaults(native->Compose(shown, shown.rect(), widget.drawings()), shown, ratio,
                              view),
                  0)
            << ratio;
    }
}

TEST_F(ProgramDrawingTest, TheBallIsDrawnAgainWhereItIsAndNotWhereItWas) {
    screen::DrawProgress(screen, host, 35);
    const QRect ball(screen.progressX, screen.progressY, 11, 11);
    ASSERT_EQ(widget.drawings().moving.size(), 1u);
    const QImage shown = AsImage(screen.window);
    const QImage fine = Fine(shown, widget.drawings());
    const QRect inside = ball.adjusted(2, 2, -2, -2);
    EXPECT_EQ(FinerThanTheWindow(Fine(shown, {}), inside), 0);
    EXPECT_GT(FinerThanTheWindow(fine, inside), 20);
    EXPECT_LE(LargestTileDifference(shown, fine, QRect(ball.topLeft(), QSize(16, 16))), 24);

    // At 80 % the ball has left its place at 35 %, which the picture shows again.
    screen::DrawProgress(screen, host, 80);
    ASSERT_EQ(widget.drawings().moving.size(), 2u);
    const QImage moved = Fine(AsImage(screen.window), widget.drawings());
    const QImage background = Fine(AsImage(*screen.picture), {});
    const QRect place(2 * ball.left(), 2 * ball.top(), 30, 30);
    EXPECT_EQ(moved.copy(place), background.copy(place));
    EXPECT_NE(moved.copy(place.translated(2 * (screen.progressX - ball.left()),
                                          2 * (screen.progressY - ball.top()))),
              background.copy(place.translated(2 * (screen.progressX - ball.left()),
                                               2 * (screen.progressY - ball.top()))));
}

class RecordingSink : public MessageSink {
  public:
    void Handle(const Message& message) override {
        if (message.kind == MessageKind::LeftButtonDown) {
            presses.push_back(message);
        }
    }
    std::vector<Message> presses;
};

// Where a click on device pixel (dx, dy) reaches the program, at `ratio`: Qt hands the widget
// the device position divided by the ratio.
QPoint ClickAt(MainWidget& widget, RecordingSink& sink, double ratio, int dx, int dy) {
    const QPointF position(dx / ratio, dy / ratio);
    QMouseEvent press(QEvent::MouseButtonPress, position, position, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, position, position, Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &release);
    return {sink.presses.back().x, sink.presses.back().y};
}

TEST(NativeArtworkRatios, ClicksLandOnTheWindowPixelTheDevicePixelShows) {
    QImage picture = ProgramPicture();
    ASSERT_FALSE(picture.isNull());
    // Marks the Play button's top-left and bottom-right pixels.
    const QPoint corners[] = {kPlayButton.topLeft(), kPlayButton.bottomRight()};
    for (const QPoint corner : corners) {
        picture.setPixel(corner, kMagenta);
    }
    MainWidget widget;
    RecordingSink sink;
    widget.SetSink(&sink);
    for (const double ratio : {1.25, 1.5, 2.0, 3.0}) {
        SCOPED_TRACE(ratio);
        const std::unique_ptr<NativeArtwork> native = NativeArtwork::Render(ratio);
        ASSERT_NE(native, nullptr);
        const QImage screen = native->Compose(picture, picture.rect());
        EXPECT_EQ(screen.width(), static_cast<int>(std::ceil(640 * ratio)));
        int marked = 0;
        for (int dy = 0; dy < screen.height(); ++dy) {
            for (int dx = 0; dx < screen.width(); ++dx) {
                if (screen.pixel(dx, dy) != kMagenta) {
                    continue;
                }
                ++marked;
                const QPoint pixel = ClickAt(widget, sink, ratio, dx, dy);
                EXPECT_TRUE(pixel == corners[0] || pixel == corners[1]) << dx << "," << dy;
                // The device pixel just outside the mark reaches the window pixel beside it.
                const int outward = pixel == corners[0] ? -1 : 1;
                if (screen.pixel(dx + outward, dy) != kMagenta) {
                    EXPECT_EQ(ClickAt(widget, sink, ratio, dx + outward, dy).x(),
                              pixel.x() + outward);
                }
            }
        }
        // Each mark covers about ratio x ratio device pixels.
        EXPECT_GE(marked,
                  2 * static_cast<int>(std::floor(ratio)) * static_cast<int>(std::floor(ratio)));
        EXPECT_LE(marked,
                  2 * static_cast<int>(std::ceil(ratio)) * static_cast<int>(std::ceil(ratio)));
    }
}

TEST(NativeArtworkRatios, AtRatioOneTheWindowIsThePictureExactly) {
    QImage picture = ProgramPicture();
    ASSERT_FALSE(picture.isNull());
    picture.setPixel(10, 10, kMagenta);
    MainWidget widget;
    widget.AttachPicture({reinterpret_cast<std::uint32_t*>(picture.bits()), 640, 480});
    // What the program says it drew changes nothing either.
    widget.SetTrace({{118, 105}, {200, 80}, {512, 105}});
    widget.AddMovingBitmap(resources::kProgressBallIcon, {185, 343});
    ASSERT_EQ(widget.devicePixelRatioF(), 1.0);
    const QImage shown = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, picture);
}

}  // namespace
}  // namespace marvolin::platform::qt

namespace marvolin::platform::qt {
namespace {

// Run again by ctest with QT_SCALE_FACTOR=2 (gui_window_at_twice); skipped at ratio 1.
TEST(WindowAtTwice, TheWindowShowsItsArtworkInTheScreensResolution) {
    QImage picture = ProgramPicture();
    ASSERT_FALSE(picture.isNull());
    MainWidget widget;
    if (qEnvironmentVariable("QT_SCALE_FACTOR") != QLatin1String("2")) {
        GTEST_SKIP() << "needs QT_SCALE_FACTOR=2";
    }
    ASSERT_EQ(widget.devicePixelRatioF(), 2.0);
    widget.AttachPicture({reinterpret_cast<std::uint32_t*>(picture.bits()), 640, 480});
    const QImage shown = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(1280, 960));
    EXPECT_GT(FinerThanTheWindow(shown, kPlayButton), 1000);
    EXPECT_LE(LargestTileDifference(picture, shown, picture.rect()), 24);
}

}  // namespace
}  // namespace marvolin::platform::qt
