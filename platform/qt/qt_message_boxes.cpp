#include "platform/qt/qt_message_boxes.h"

#include <QMessageBox>

#include "platform/qt/qt_cursor.h"

namespace marvolin::platform::qt {
namespace {

QMessageBox::Icon ToQt(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

MessageAnswer QtMessageBoxes::Show(std::string_view text, std::string_view caption,
                                   MessageIcon icon, MessageButtons buttons) {
    const bool withCancel = buttons == MessageButtons::OkCancel;
    QMessageBox box(ToQt(icon), FromUtf8(caption), FromUtf8(text),
                    withCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok, &parent_);
    // The texts may quote file names: never read them as markup.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(withCancel ? QMessageBox::Cancel : QMessageBox::Ok);

    QtCursor::Suspension normalPointer(cursor_);
    box.exec();
    if (!withCancel) {
        return MessageAnswer::Ok;
    }
    return box.clickedButton() == box.button(QMessageBox::Ok) ? MessageAnswer::Ok
                                                              : MessageAnswer::Cancel;
}

}  // namespace marvolin::platform::qt
