#include "platform/qt/native_artwork.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/main_widget.h"
#include "resources/bitmap_resources.h"
#include "resources/panel_layout.h"

namespace marvolin::platform::qt {
namespace {

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

// Device pixels of `area` (window pixels) that differ from the first of their 2 x 2 block:
// detail that no doubling of the picture can give.
int FinerThanTheWindow(const QImage& screen, const QRect& area) {
    int finer = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb first = screen.pixel(2 * x, 2 * y);
            finer += (screen.pixel(2 * x + 1, 2 * y) != first) +
                     (screen.pixel(2 * x, 2 * y + 1) != first) +
                     (screen.pixel(2 * x + 1, 2 * y + 1) != first);
        }
    }
    return finer;
}

// The largest difference, over the 8 x 8 tiles of `area`, between the tile's mean colour in
// the window's picture and in the screen's twice finer image.
int LargestTileDifference(const QImage& picture, const QImage& screen, const QRect& area) {
    int largest = 0;
    for (int top = area.top(); top + 8 <= area.bottom() + 1; top += 8) {
        for (int left = area.left(); left + 8 <= area.right() + 1; left += 8) {
            for (int shift : {16, 8, 0}) {
                int window = 0;
                int fine = 0;
                for (int y = 0; y < 8; ++y) {
                    for (int x = 0; x < 8; ++x) {
                        window += 4 * ((picture.pixel(left + x, top + y) >> shift) & 0xFF);
                        for (int d = 0; d < 4; ++d) {
                            fine += (screen.pixel(2 * (left + x) + d % 2, 2 * (top + y) + d / 2) >>
                                     shift) &
                                    0xFF;
                        }
                    }
                }
                largest = std::max(largest, std::abs(window - fine) / 256);
            }
        }
    }
    return largest;
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
