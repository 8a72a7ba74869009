#include "platform/qt/qt_window.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

#include "platform/qt/main_widget.h"

namespace marvolin::platform::qt {

Rect QtWindow::DesktopRect() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        // No screen at all: a desktop just the size of the window.
        return {0, 0, widget_.width(), widget_.height()};
    }
    const QRect area = screen->availableGeometry();
    return {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
}

void QtWindow::Place(int x, int y, int width, int height) {
    widget_.setFixedSize(std::max(width, 0), std::max(height, 0));
    widget_.move(x, y);
    widget_.raise();
}

void QtWindow::AttachPicture(PixelView picture) {
    widget_.AttachPicture(picture);
}

void QtWindow::Invalidate(const Rect& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width > 0 && height > 0) {
        widget_.RequestPaint(QRect(area.left, area.top, width, height));
    }
}

void QtWindow::PresentNow(const Rect& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width > 0 && height > 0) {
        widget_.repaint(area.left, area.top, width, height);
    }
}

void QtWindow::Close() {
    widget_.CloseFromProgram();
}

}  // namespace marvolin::platform::qt

namespace marvolin::platform::qt {

void QtWindow::SetTitle(const std::string& title) {
    widget_.setWindowTitle(QString::fromStdString(title));
}

void QtWindow::BeginMove() {
    widget_.BeginMove();
}

void QtWindow::OfferDrag(DragFileMaker makeFile) {
    widget_.OfferDrag(std::move(makeFile));
}

void QtWindow::DescribeButtons(const std::vector<AccessibleButton>& buttons) {
    widget_.SetAccessibleButtons(buttons);
}

void QtWindow::DescribeTrace(const std::vector<Point>& points) {
    std::vector<QPoint> trace;
    trace.reserve(points.size());
    for (const Point point : points) {
        trace.emplace_back(point.x, point.y);
    }
    widget_.SetTrace(std::move(trace));
}

void QtWindow::DescribeMovingBitmap(std::uint16_t id, Point at) {
    widget_.AddMovingBitmap(id, QPoint(at.x, at.y));
}

}  // namespace marvolin::platform::qt
