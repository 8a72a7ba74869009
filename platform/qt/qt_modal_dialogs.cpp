#include "platform/qt/qt_modal_dialogs.h"

#include <QGuiApplication>
#include <QScreen>

#include "app/startup.h"
#include "platform/qt/qt_about_box.h"
#include "platform/qt/qt_cursor.h"
#include "platform/qt/qt_settings_dialog.h"

namespace marvolin::platform::qt {
namespace {

// Shows `dialog` modally, keeping its size, in the middle of the desktop.
void RunCentred(QDialog& dialog, QtCursor& cursor) {
    dialog.adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        const app::Position at = app::CenteredPosition(
            {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()},
            dialog.width(), dialog.height());
        dialog.move(at.x, at.y);
    }
    QtCursor::Suspension normalPointer(cursor);
    dialog.exec();
}

}  // namespace

void QtModalDialogs::RunSettings(SettingsDialogHandler& handler) {
    QtSettingsDialog dialog(handler);
    RunCentred(dialog, cursor_);
}

void QtModalDialogs::RunAbout(const AboutBoxContents& contents) {
    QtAboutBox dialog(contents);
    RunCentred(dialog, cursor_);
}

}  // namespace marvolin::platform::qt
