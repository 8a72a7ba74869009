#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <vector>

#include "fine_pixels.h"
#include "platform/qt/main_widget.h"
#include "platform/qt/native_text_overlay.h"
#include "platform/qt/qt_text_renderer.h"

namespace marvolin::platform::qt {
namespace {

using testing::FinerThanTheWindow;

// The window at twice its resolution: the picture doubled pixel for pixel, then the overlay.
QImage AtTwice(NativeTextOverlay& overlay, const QImage& picture) {
    QImage screen(1280, 960, QImage::Format_RGB32);
    screen.setDevicePixelRatio(2.0);
    QPainter painter(&screen);
    painter.drawImage(QRect(0, 0, 640, 480), picture);
    overlay.Paint(painter, picture);
    return screen;
}

class NativeTextTest : public ::testing::Test {
  protected:
    NativeTextTest() : pixels(640 * 480, 0x00000000) {
        widget.AttachPicture({pixels.data(), 640, 480});
        renderer.ShareLinesWith(&widget);
        picture = QImage(reinterpret_cast<const uchar*>(pixels.data()), 640, 480, 640 * 4,
                         QImage::Format_RGB32);
    }
    std::vector<std::uint32_t> pixels;
    MainWidget widget;
    QtTextRenderer renderer;
    QImage picture;
};

TEST_F(NativeTextTest, TextWrittenIntoThePictureIsDrawnInTheScreensResolution) {
    const std::vector<std::uint32_t> before = pixels;
    renderer.DrawText({pixels.data(), 640, 480}, 20, 450, "Play sound... (Space)", 0xFFFFFF,
                      0x000000, true);
    ASSERT_NE(pixels, before);  // the picture itself gets the text as always
    ASSERT_EQ(widget.textOverlay().size(), 1u);

    NativeTextOverlay none;
    const QRect line(20, 450, 200, 15);
    EXPECT_EQ(FinerThanTheWindow(AtTwice(none, picture), line), 0);  // doubled
    const QImage sharp = AtTwice(widget.textOverlay(), picture);
    EXPECT_GT(FinerThanTheWindow(sharp, line), 100);
    // Nothing else on the screen changes.
    EXPECT_EQ(FinerThanTheWindow(sharp, QRect(0, 0, 640, 440)), 0);
}

TEST_F(NativeTextTest, ALineDrawnOverIsNoLongerShown) {
    renderer.DrawText({pixels.data(), 640, 480}, 20, 450, "Open a .WAV file...", 0xFFFFFF, 0x000000,
                      true);
    // The help area erased, as the window does when the pointer leaves a button.
    for (int y = 430; y < 470; ++y) {
        std::fill(pixels.begin() + y * 640 + 20, pixels.begin() + y * 640 + 300, 0u);
    }
    const QImage screen = AtTwice(widget.textOverlay(), picture);
    EXPECT_EQ(FinerThanTheWindow(screen, QRect(20, 430, 280, 40)), 0);
    EXPECT_EQ(widget.textOverlay().size(), 0u);
}

TEST_F(NativeTextTest, OnlyOpaqueLinesInTheWindowsOwnPictureAreShared) {
    renderer.DrawText({pixels.data(), 640, 480}, 20, 450, "RECORDING", 0xFFFFFF, 0, false);
    std::vector<std::uint32_t> other(100 * 20, 0);
    renderer.DrawText({other.data(), 100, 20}, 0, 0, "elsewhere", 0xFFFFFF, 0, true);
    EXPECT_EQ(widget.textOverlay().size(), 0u);

    // A new line over an old one replaces it.
    renderer.DrawText({pixels.data(), 640, 480}, 20, 450, "one", 0xFFFFFF, 0, true);
    renderer.DrawText({pixels.data(), 640, 480}, 20, 450, "two", 0xFFFFFF, 0, true);
    EXPECT_EQ(widget.textOverlay().size(), 1u);
}

}  // namespace
}  // namespace marvolin::platform::qt
