#include "platform/qt/main_widget.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace marvolin::platform::qt {
namespace {

// The window's size until the program places it.
constexpr int kInitialWidth = 640;
constexpr int kInitialHeight = 480;

QPoint WindowPixel(const QMouseEvent& event) {
    const QPointF position = event.position();
    return {static_cast<int>(std::floor(position.x())), static_cast<int>(std::floor(position.y()))};
}

}  // namespace

MainWidget::MainWidget() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
    setWindowTitle(QStringLiteral("Marvolin"));
    setFixedSize(kInitialWidth, kInitialHeight);
    setMouseTracking(true);
    // Every paint covers the whole area asked for, so Qt need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MainWidget::Deliver(const Message& message) {
    if (sink_ != nullptr && !closedByProgram_) {
        sink_->Handle(message);
    }
}

void MainWidget::CloseFromProgram() {
    if (closedByProgram_) {
        return;
    }
    closedByProgram_ = true;
    // Inside closeEvent Qt is already closing the window: accepting that event is enough, and
    // a nested close() would be refused anyway.
    if (!inCloseEvent_) {
        close();
    }
    emit ClosedByProgram();
}

void MainWidget::AttachPicture(PixelView picture) {
    picture_ = QImage(reinterpret_cast<const uchar*>(picture.pixels), picture.width, picture.height,
                      picture.width * 4, QImage::Format_RGB32);
}

void MainWidget::RequestPaint(const QRect& area) {
    paintRequested_ = true;
    update(area);
}

// The handler draws into the picture on a Paint message; every paint event then shows the
// picture. Paint events that the program did not ask for (the window uncovered, say) only
// show the picture as it is.
void MainWidget::paintEvent(QPaintEvent* event) {
    if (paintRequested_) {
        paintRequested_ = false;
        Deliver({MessageKind::Paint});
    }
    QPainter painter(this);
    if (picture_.isNull()) {
        painter.fillRect(event->rect(), Qt::black);
        return;
    }
    painter.drawImage(event->rect(), picture_, event->rect());
}

void MainWidget::DeliverMouse(MessageKind left, MessageKind right, const QMouseEvent& event) {
    MessageKind kind;
    if (event.button() == Qt::LeftButton) {
        kind = left;
    } else if (event.button() == Qt::RightButton) {
        kind = right;
    } else {
        return;
    }
    const QPoint pixel = WindowPixel(event);
    Deliver({kind, pixel.x(), pixel.y()});
}

void MainWidget::mousePressEvent(QMouseEvent* event) {
    DeliverMouse(MessageKind::LeftButtonDown, MessageKind::RightButtonDown, *event);
}

// Qt withholds the second press of a double click from widgets and sends this instead, so a
// double click reaches the handler as down, up, double click, up.
void MainWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    DeliverMouse(MessageKind::LeftButtonDoubleClick, MessageKind::RightButtonDoubleClick, *event);
}

void MainWidget::mouseReleaseEvent(QMouseEvent* event) {
    DeliverMouse(MessageKind::LeftButtonUp, MessageKind::RightButtonUp, *event);
}

void MainWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pixel = WindowPixel(*event);
    Deliver({MessageKind::MouseMove, pixel.x(), pixel.y()});
}

// A close that the program did not ask for (Alt+F4, the window manager) becomes a Close
// message; the handler answers it by closing the window through Window::Close, which marks
// the close as the program's own, and only then is the event accepted.
void MainWidget::closeEvent(QCloseEvent* event) {
    if (sink_ == nullptr && !closedByProgram_) {
        // Nobody could ever answer: let the window go rather than leave it unclosable.
        closedByProgram_ = true;
        emit ClosedByProgram();
    }
    if (!closedByProgram_) {
        inCloseEvent_ = true;
        Deliver({MessageKind::Close});
        inCloseEvent_ = false;
    }
    if (closedByProgram_) {
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace marvolin::platform::qt
