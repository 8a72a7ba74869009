#include "platform/qt/qt_cursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace marvolin::platform::qt {

QtCursor::~QtCursor() {
    while (depth_ > 0) {
        Restore();
    }
}

void QtCursor::PushWait() {
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    ++depth_;
}

void QtCursor::Restore() {
    if (depth_ == 0) {
        return;
    }
    QGuiApplication::restoreOverrideCursor();
    --depth_;
}

QtCursor::Suspension::Suspension(QtCursor& cursor) : cursor_(cursor), suspended_(cursor.depth_) {
    while (cursor_.depth_ > 0) {
        cursor_.Restore();
    }
}

QtCursor::Suspension::~Suspension() {
    for (int i = 0; i < suspended_; ++i) {
        cursor_.PushWait();
    }
}

}  // namespace marvolin::platform::qt
