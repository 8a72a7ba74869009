#pragma once

#include "platform/message_boxes.h"

class QWidget;

namespace marvolin::platform::qt {

class QtCursor;

// QMessageBox, modal to the main window. Escape or closing the box answers Cancel when there
// is a Cancel button, Ok otherwise.
class QtMessageBoxes : public MessageBoxes {
  public:
    QtMessageBoxes(QWidget& parent, QtCursor& cursor) : parent_(parent), cursor_(cursor) {}

    MessageAnswer Show(std::string_view text, std::string_view caption, MessageIcon icon,
                       MessageButtons buttons) override;

  private:
    QWidget& parent_;
    QtCursor& cursor_;
};

}  // namespace marvolin::platform::qt
