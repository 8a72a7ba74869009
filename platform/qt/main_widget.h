#pragma once

#include <QImage>
#include <QWidget>

#include "platform/messages.h"
#include "platform/pixels.h"

namespace marvolin::platform::qt {

// The program's one window: frameless, 640x480, titled "Marvolin". It forwards mouse, paint
// and close events to the message handler as messages in window pixels.
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

    // Closes the window because the program asked for it.
    void CloseFromProgram();
    bool closedByProgram() const { return closedByProgram_; }

  signals:
    // The program has closed its window: the run is over.
    void ClosedByProgram();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void DeliverMouse(MessageKind left, MessageKind right, const QMouseEvent& event);

    MessageSink* sink_ = nullptr;
    QImage picture_;
    bool paintRequested_ = false;
    bool closedByProgram_ = false;
    bool inCloseEvent_ = false;
};

}  // namespace marvolin::platform::qt
