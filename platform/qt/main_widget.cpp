#include "platform/qt/main_widget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/qt/file_drops.h"
#include "platform/qt/panel_accessible.h"

namespace marvolin::platform::qt {
namespace {

// The window's size until the program places it.
constexpr int kInitialWidth = 640;
constexpr int kInitialHeight = 480;

// The program's pixels leave their top byte 0, but QImage's RGB32 promises 0xFF there, and Qt
// copies RGB32 into a backing store with alpha as it is: on Wayland every pixel would reach
// the compositor fully transparent (weston shows such a window white). `shown` gets `area` of
// the picture with the top byte set.
void CopyOpaque(const QImage& picture, const QRect& area, QImage& shown) {
    if (shown.size() != picture.size()) {
        shown = QImage(picture.size(), QImage::Format_RGB32);
    }
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* from = reinterpret_cast<const std::uint32_t*>(picture.constScanLine(y));
        auto* to = reinterpret_cast<std::uint32_t*>(shown.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            to[x] = from[x] | 0xFF000000u;
        }
    }
}

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
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    InstallPanelAccessibility();
}

MainWidget::~MainWidget() {
    for (const QAccessible::Id id : buttonIds_) {
        QAccessible::deleteAccessibleInterface(id);
    }
}

void MainWidget::BeginMove() {
    if (QWindow* window = windowHandle()) {
        window->startSystemMove();
    }
}

void MainWidget::OfferDrag(DragFileMaker makeFile) {
    dragOffer_ = std::move(makeFile);
    dragStart_ = pressPixel_;
}

std::unique_ptr<QMimeData> MainWidget::TakeDragData() {
    if (!dragOffer_) {
        return nullptr;
    }
    const DragFileMaker makeFile = std::move(dragOffer_);
    dragOffer_ = nullptr;
    const std::optional<std::string> path = makeFile();
    if (!path) {
        return nullptr;
    }
    return MimeDataForFile(QString::fromStdString(*path));
}

void MainWidget::StartDragOut() {
    std::unique_ptr<QMimeData> data = TakeDragData();
    if (!data) {
        return;
    }
    auto* drag = new QDrag(this);
    drag->setMimeData(data.release());
    drag->exec(Qt::CopyAction);
}

void MainWidget::SetAccessibleButtons(const std::vector<platform::AccessibleButton>& buttons) {
    const std::vector<ButtonChange> changes = ButtonChanges(buttons_, buttons);
    buttons_ = buttons;
    if (!QAccessible::isActive()) {
        return;  // no screen reader listens
    }
    for (const ButtonChange& change : changes) {
        QAccessibleEvent event(ButtonInterface(change.index), change.event);
        QAccessible::updateAccessibility(&event);
    }
}

QAccessibleInterface* MainWidget::ButtonInterface(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= buttons_.size()) {
        return nullptr;
    }
    while (buttonIds_.size() <= static_cast<std::size_t>(index)) {
        buttonIds_.push_back(QAccessible::registerAccessibleInterface(
            new PanelButtonAccessible(this, static_cast<int>(buttonIds_.size()))));
    }
    return QAccessible::accessibleInterface(buttonIds_[static_cast<std::size_t>(index)]);
}

void MainWidget::ClickButton(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= buttons_.size()) {
        return;
    }
    const Rect area = buttons_[static_cast<std::size_t>(index)].area;
    const int x = (area.left + area.right - 1) / 2;
    const int y = (area.top + area.bottom - 1) / 2;
    Deliver({MessageKind::LeftButtonDown, x, y});
    Deliver({MessageKind::LeftButtonUp, x, y});
}

void MainWidget::keyPressEvent(QKeyEvent* event) {
    const Message message = KeyMessageFor(*event);
    if (message.key == Key::Other) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    Deliver(message);
}

void MainWidget::wheelEvent(QWheelEvent* event) {
    event->accept();
    int notches = wheel_.Add(event->angleDelta().y());
    // One message per notch, as if the key had been pressed that often.
    for (; notches != 0; notches += notches > 0 ? -1 : 1) {
        Message message{MessageKind::Wheel};
        message.wheelSteps = notches > 0 ? 1 : -1;
        Deliver(message);
    }
}

void MainWidget::dragEnterEvent(QDragEnterEvent* event) {
    if (event->source() != this && !FirstLocalFile(*event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void MainWidget::dragMoveEvent(QDragMoveEvent* event) {
    if (event->source() != this && !FirstLocalFile(*event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void MainWidget::dropEvent(QDropEvent* event) {
    const QString path = FirstLocalFile(*event->mimeData());
    if (path.isEmpty() || event->source() == this) {
        return;
    }
    event->acceptProposedAction();
    Message message{MessageKind::FileDropped};
    message.path = path.toStdString();
    Deliver(message);
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
    // At ratio 1 the picture is the window, pixel for pixel; above it, the artwork and the
    // text lines are drawn again in the screen's own resolution.
    const double ratio = devicePixelRatioF();
    const NativeArtwork* native = ratio > 1.0 ? NativeArtworkFor(ratio) : nullptr;
    if (native != nullptr) {
        // A window pixel more all round: at fractional ratios Qt may round the area's device
        // pixels outwards, and those belong to the neighbours.
        painter.setClipRect(event->rect());
        native->Paint(painter, picture_, event->rect().adjusted(-1, -1, 1, 1), drawings_);
    } else {
        const QRect area = event->rect() & picture_.rect();
        CopyOpaque(picture_, area, shown_);
        painter.drawImage(area, shown_, area);
    }
    if (ratio > 1.0) {
        painter.setClipRect(event->rect());
        textOverlay_.Paint(painter, picture_);
    }
}

const NativeArtwork* MainWidget::NativeArtworkFor(double ratio) {
    if (nativeArtwork_ && nativeArtwork_->ratio() == ratio) {
        return nativeArtwork_.get();
    }
    if (nativeRatioTried_ != ratio) {
        // Once per ratio: should it fail, the picture shows scaled rather than retrying on
        // every paint.
        nativeRatioTried_ = ratio;
        nativeArtwork_ = NativeArtwork::Render(ratio);
    }
    return nativeArtwork_ && nativeArtwork_->ratio() == ratio ? nativeArtwork_.get() : nullptr;
}

void MainWidget::AddMovingBitmap(int id, QPoint at) {
    // A few places are enough: each new place of the ball erases the last, and only a new
    // run leaves the previous run's ball behind until the next full repaint.
    constexpr std::size_t kRemembered = 8;
    std::vector<NativeArtwork::Drawings::Moving>& moving = drawings_.moving;
    const NativeArtwork::Drawings::Moving entry{id, at};
    moving.erase(std::remove(moving.begin(), moving.end(), entry), moving.end());
    if (moving.size() >= kRemembered) {
        moving.erase(moving.begin());
    }
    moving.push_back(entry);
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
    pressPixel_ = WindowPixel(*event);
    DeliverMouse(MessageKind::LeftButtonDown, MessageKind::RightButtonDown, *event);
}

// Qt withholds the second press of a double click from widgets and sends this instead, so a
// double click reaches the handler as down, up, double click, up.
void MainWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    DeliverMouse(MessageKind::LeftButtonDoubleClick, MessageKind::RightButtonDoubleClick, *event);
}

void MainWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragOffer_ = nullptr;
    }
    DeliverMouse(MessageKind::LeftButtonUp, MessageKind::RightButtonUp, *event);
}

void MainWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pixel = WindowPixel(*event);
    Deliver({MessageKind::MouseMove, pixel.x(), pixel.y()});
    if (dragOffer_ && (event->buttons() & Qt::LeftButton) &&
        (pixel - dragStart_).manhattanLength() >= QApplication::startDragDistance()) {
        StartDragOut();
    }
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
