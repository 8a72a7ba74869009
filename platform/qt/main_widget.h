#pragma once

#include <QAccessible>
#include <QImage>
#include <QPoint>
#include <QWidget>
#include <vector>

#include "platform/messages.h"
#include "platform/pixels.h"
#include "platform/qt/key_mapping.h"
#include "platform/qt/native_artwork.h"
#include "platform/qt/native_text_overlay.h"
#include "platform/window.h"

namespace marvolin::platform::qt {

// The program's one window: frameless, 640x480, titled "Marvolin". It forwards mouse, key,
// wheel, drop, paint and close events to the message handler as messages in window pixels,
// moves itself and drags files out when the handler asks, and shows the painted buttons to
// screen readers.
class MainWidget : public QWidget {
    Q_OBJECT

  public:
    MainWidget();

    // The handler that receives the messages; nullptr detaches it.
    void SetSink(MessageSink* sink) { sink_ = sink; }

    // Hands a message to the handler. Once the program has closed the window, nothing more
    // reaches the handler.
    void Deliver(const Message& message);

    // Shows the program's picture; the widget paints from it without copying.
    void AttachPicture(PixelView picture);
    // The program wants to repaint `area`: a Paint message reaches the handler before the
    // next paint shows the picture.
    void RequestPaint(const QRect& area);
    // The text lines shown in the screen's own resolution where it has more pixels.
    NativeTextOverlay& textOverlay() { return textOverlay_; }
    // The artwork at `ratio` device pixels per window pixel, drawn on first use and kept
    // until another ratio is asked for; nullptr when it cannot be drawn.
    const NativeArtwork* NativeArtworkFor(double ratio);
    // The trace and the moving bitmaps the program last said it drew, for NativeArtwork.
    void SetTrace(std::vector<QPoint> points) { drawings_.trace = std::move(points); }
    void AddMovingBitmap(int id, QPoint at);
    const NativeArtwork::Drawings& drawings() const { return drawings_; }
    const void* pictureBits() const { return picture_.constBits(); }

    // Closes the window because the program asked for it.
    void CloseFromProgram();
    bool closedByProgram() const { return closedByProgram_; }
    ~MainWidget() override;

    // The window follows the pointer from this press until the release.
    void BeginMove();
    // Until the left button's release, a drag out of the window hands over `makeFile`'s file.
    void OfferDrag(DragFileMaker makeFile);
    bool dragOffered() const { return static_cast<bool>(dragOffer_); }
    // Writes the offered file and gives the data a drag of it carries; nullptr when nothing
    // is offered or the file could not be written. The offer is used up.
    std::unique_ptr<QMimeData> TakeDragData();

    // The painted buttons for screen readers; changes of name are announced.
    void SetAccessibleButtons(const std::vector<AccessibleButton>& buttons);
    const std::vector<AccessibleButton>& accessibleButtons() const { return buttons_; }
    // The accessible object of button `index`, owned by Qt's registry; nullptr out of range.
    QAccessibleInterface* ButtonInterface(int index);
    // A left click at the centre of button `index`, as a screen reader's press.
    void ClickButton(int index);

  signals:
    // The program has closed its window: the run is over.
    void ClosedByProgram();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void DeliverMouse(MessageKind left, MessageKind right, const QMouseEvent& event);
    void StartDragOut();

    MessageSink* sink_ = nullptr;
    QImage picture_;
    QImage shown_;  // the picture as painted at ratio 1, opaque
    bool paintRequested_ = false;
    bool closedByProgram_ = false;
    bool inCloseEvent_ = false;
    WheelNotches wheel_;
    NativeTextOverlay textOverlay_;
    std::unique_ptr<NativeArtwork> nativeArtwork_;
    double nativeRatioTried_ = 1.0;
    NativeArtwork::Drawings drawings_;
    DragFileMaker dragOffer_;
    QPoint pressPixel_;  // where the last press was
    QPoint dragStart_;
    std::vector<platform::AccessibleButton> buttons_;
    std::vector<QAccessible::Id> buttonIds_;
};

}  // namespace marvolin::platform::qt
