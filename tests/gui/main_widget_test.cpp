#include "platform/qt/main_widget.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <vector>

#include "platform/qt/qt_window.h"

namespace marvolin::platform::qt {
namespace {

class RecordingSink : public MessageSink {
  public:
    void Handle(const Message& message) override {
        received.push_back(message);
        if (onMessage) {
            onMessage(message);
        }
    }

    // Qt moves the pointer to where a button goes down before pressing it, and paints come
    // when they will: the button and close messages are what most tests look at.
    std::vector<Message> Buttons() const {
        std::vector<Message> buttons;
        for (const Message& message : received) {
            if (message.kind != MessageKind::Paint && message.kind != MessageKind::MouseMove) {
                buttons.push_back(message);
            }
        }
        return buttons;
    }
    std::vector<MessageKind> Kinds() const {
        std::vector<MessageKind> kinds;
        for (const Message& message : Buttons()) {
            kinds.push_back(message.kind);
        }
        return kinds;
    }

    std::vector<Message> received;
    std::function<void(const Message&)> onMessage;
};

class MainWidgetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        widget.SetSink(&sink);
        widget.move(0, 0);
        widget.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
        sink.received.clear();
    }

    // Mouse input the way the window system delivers it, through the widget's window.
    QWindow* window() { return widget.windowHandle(); }

    MainWidget widget;
    RecordingSink sink;
};

TEST_F(MainWidgetTest, ButtonsAndMovesReachTheHandlerInWindowPixels) {
    QTest::mousePress(window(), Qt::LeftButton, {}, QPoint(10, 20));
    QTest::mouseRelease(window(), Qt::LeftButton, {}, QPoint(11, 21));
    QTest::mousePress(window(), Qt::RightButton, {}, QPoint(630, 470));
    QTest::mouseRelease(window(), Qt::RightButton, {}, QPoint(639, 479));
    QTest::mouseMove(window(), QPoint(300, 200));

    const std::vector<MessageKind> expected = {
        MessageKind::LeftButtonDown, MessageKind::LeftButtonUp, MessageKind::RightButtonDown,
        MessageKind::RightButtonUp};
    ASSERT_EQ(sink.Kinds(), expected);
    const std::vector<QPoint> positions = {{10, 20}, {11, 21}, {630, 470}, {639, 479}};
    std::vector<QPoint> received;
    for (const Message& message : sink.Buttons()) {
        received.emplace_back(message.x, message.y);
    }
    EXPECT_EQ(received, positions);

    ASSERT_FALSE(sink.received.empty());
    const Message& last = sink.received.back();
    EXPECT_EQ(last.kind, MessageKind::MouseMove);
    EXPECT_EQ(QPoint(last.x, last.y), QPoint(300, 200));
}

TEST_F(MainWidgetTest, DoubleClickArrivesAsDownUpDoubleClickUp) {
    QTest::mouseDClick(window(), Qt::LeftButton, {}, QPoint(40, 50));
    QTest::mouseDClick(window(), Qt::RightButton, {}, QPoint(60, 70));

    const std::vector<MessageKind> expected = {
        MessageKind::LeftButtonDown,         MessageKind::LeftButtonUp,
        MessageKind::LeftButtonDoubleClick,  MessageKind::LeftButtonUp,
        MessageKind::RightButtonDown,        MessageKind::RightButtonUp,
        MessageKind::RightButtonDoubleClick, MessageKind::RightButtonUp};
    ASSERT_EQ(sink.Kinds(), expected);
    const Message& doubleClick = sink.Buttons()[2];
    EXPECT_EQ(doubleClick.x, 40);
    EXPECT_EQ(doubleClick.y, 50);
}

TEST_F(MainWidgetTest, OtherButtonsAreNotForwarded) {
    QTest::mouseClick(window(), Qt::MiddleButton, {}, QPoint(10, 10));
    EXPECT_TRUE(sink.Kinds().empty());
}

TEST_F(MainWidgetTest, PaintShowsThePictureAndAsksTheHandlerOnlyWhenRequested) {
    // No picture yet: black, and a paint the program did not ask for sends nothing.
    QImage image = widget.grab().toImage();
    EXPECT_TRUE(sink.received.empty());
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black));

    std::vector<std::uint32_t> pixels(640 * 480, 0x00336699);
    pixels[479 * 640 + 639] = 0x00FF0000;
    widget.AttachPicture({pixels.data(), 640, 480});
    widget.RequestPaint(QRect(0, 0, 640, 480));
    image = widget.grab().toImage();
    ASSERT_EQ(sink.received.size(), 1u);
    EXPECT_EQ(sink.received[0].kind, MessageKind::Paint);
    EXPECT_EQ(image.pixelColor(0, 0), QColor(0x33, 0x66, 0x99));
    EXPECT_EQ(image.pixelColor(639, 479), QColor(Qt::red));

    // Showing the picture again does not repeat the Paint message.
    widget.grab();
    EXPECT_EQ(sink.received.size(), 1u);

    // Into a surface with alpha (Wayland's backing store) the picture arrives opaque, though
    // the program leaves the pixels' top byte 0.
    QImage withAlpha(640, 480, QImage::Format_ARGB32_Premultiplied);
    withAlpha.fill(Qt::transparent);
    widget.render(&withAlpha);
    EXPECT_EQ(withAlpha.pixel(0, 0), 0xFF336699u);
    EXPECT_EQ(withAlpha.pixel(639, 479), 0xFFFF0000u);
}

// A long effect runs on the GUI thread, so a changed region (the progress ball) must reach
// the screen at once: PresentNow paints before it returns, without a Paint message.
TEST_F(MainWidgetTest, PresentNowPaintsTheRegionBeforeReturning) {
    std::vector<std::uint32_t> pixels(640 * 480, 0);
    QtWindow service(widget);
    service.AttachPicture({pixels.data(), 640, 480});
    QCoreApplication::processEvents();
    sink.received.clear();

    struct PaintCounter : QObject {
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint) {
                ++paints;
            }
            return false;
        }
        int paints = 0;
    } counter;
    widget.installEventFilter(&counter);
    pixels[100 * 640 + 200] = 0x00FFFFFF;
    service.PresentNow({195, 95, 206, 106});
    widget.removeEventFilter(&counter);

    EXPECT_EQ(counter.paints, 1);
    EXPECT_TRUE(sink.received.empty());
    EXPECT_EQ(widget.grab(QRect(200, 100, 1, 1)).toImage().pixelColor(0, 0), QColor(Qt::white));
}

TEST_F(MainWidgetTest, OutsideCloseIsRefusedUntilTheHandlerClosesTheWindow) {
    QSignalSpy closed(&widget, &MainWidget::ClosedByProgram);

    // A handler that does not answer the Close message keeps its window.
    EXPECT_FALSE(widget.close());
    EXPECT_TRUE(widget.isVisible());
    EXPECT_EQ(sink.Kinds(), std::vector<MessageKind>{MessageKind::Close});
    EXPECT_EQ(closed.count(), 0);

    sink.onMessage = [this](const Message& message) {
        if (message.kind == MessageKind::Close) {
            widget.CloseFromProgram();
        }
    };
    EXPECT_TRUE(widget.close());
    EXPECT_FALSE(widget.isVisible());
    EXPECT_TRUE(widget.closedByProgram());
    EXPECT_EQ(closed.count(), 1);
}

TEST_F(MainWidgetTest, NothingReachesTheHandlerOnceTheProgramClosedTheWindow) {
    QSignalSpy closed(&widget, &MainWidget::ClosedByProgram);
    widget.CloseFromProgram();
    widget.CloseFromProgram();
    EXPECT_FALSE(widget.isVisible());
    EXPECT_EQ(closed.count(), 1);

    widget.Deliver({MessageKind::Timer, 0, 0, 1});
    EXPECT_TRUE(sink.received.empty());
}

TEST_F(MainWidgetTest, WindowServicePlacesTheWidgetAndRepaintsOnRequest) {
    QtWindow service(widget);
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    const Rect desktop = service.DesktopRect();
    EXPECT_EQ(desktop.left, available.left());
    EXPECT_EQ(desktop.top, available.top());
    EXPECT_EQ(desktop.right - desktop.left, available.width());
    EXPECT_EQ(desktop.bottom - desktop.top, available.height());

    service.Place(30, 40, 320, 240);
    EXPECT_EQ(widget.pos(), QPoint(30, 40));
    EXPECT_EQ(widget.size(), QSize(320, 240));
    EXPECT_EQ(widget.minimumSize(), widget.maximumSize());

    sink.received.clear();
    service.Invalidate({10, 10, 50, 50});
    EXPECT_TRUE(QTest::qWaitFor([this] { return !sink.received.empty(); }));
    EXPECT_EQ(sink.received.front().kind, MessageKind::Paint);

    QSignalSpy closed(&widget, &MainWidget::ClosedByProgram);
    service.Close();
    EXPECT_FALSE(widget.isVisible());
    EXPECT_EQ(closed.count(), 1);
}

}  // namespace
}  // namespace marvolin::platform::qt
