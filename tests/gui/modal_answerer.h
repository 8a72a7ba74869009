#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>
#include <vector>

namespace marvolin::testing {

// Deals with the modal windows that open while it lives, from inside their own event loops.
// Every message box is recorded; each modal window takes the next step of the script, and
// with the script used up it is sent Escape, so an unexpected window shows in the record
// instead of hanging the test.
class ModalAnswerer {
  public:
    using Step = std::function<void(QWidget& modal)>;

    struct Shown {
        QString text;
        QString caption;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        Qt::TextFormat textFormat;
        QWidget* parent;
        bool overrideCursor;  // an application override cursor was up while it showed
    };

    explicit ModalAnswerer(std::deque<Step> script = {}) : script_(std::move(script)) {
        timer_.setInterval(1);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start();
    }

    // Steps for message boxes.
    static Step Click(QMessageBox::StandardButton button) {
        return [button](QWidget& modal) {
            if (auto* box = qobject_cast<QMessageBox*>(&modal); box && box->button(button)) {
                box->button(button)->click();
            } else {
                modal.close();
            }
        };
    }
    static Step Escape() {
        return [](QWidget& modal) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(&modal, &press);
        };
    }
    static Step CloseWindow() {
        return [](QWidget& modal) { modal.close(); };
    }

    std::vector<Shown> shown;
    int modalsSeen = 0;
    bool stuck = false;  // a window outlived its step

  private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible()) {
            return;
        }
        if (modal == handled_) {
            // A window its step failed to close would hang the test: close it and say so.
            if (++pollsOnHandled_ > kPatiencePolls) {
                stuck = true;
                modal->close();
            }
            return;
        }
        pollsOnHandled_ = 0;
        handled_ = modal;
        ++modalsSeen;
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            shown.push_back({box->text(), box->windowTitle(), box->icon(), box->standardButtons(),
                             box->textFormat(), box->parentWidget(),
                             QGuiApplication::overrideCursor() != nullptr});
        }
        Step step = Escape();
        if (!script_.empty()) {
            step = std::move(script_.front());
            script_.pop_front();
        }
        // The step runs from the event queue, not from this tick: a step that opens another
        // modal window (a question of the file dialog) waits in that window's event loop,
        // and Qt does not fire this timer again while its own tick is still running.
        QTimer::singleShot(0, &timer_, [window = QPointer<QWidget>(modal), step = std::move(step)] {
            if (window) {
                step(*window);
            }
        });
    }

    static constexpr int kPatiencePolls = 3000;

    std::deque<Step> script_;
    QPointer<QWidget> handled_;
    int pollsOnHandled_ = 0;
    QTimer timer_;
};

}  // namespace marvolin::testing
