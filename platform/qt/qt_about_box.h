#pragma once

#include <QDialog>

#include "platform/modal_dialogs.h"

class QKeyEvent;

namespace marvolin::platform::qt {

// The About box: the logo over centred lines of text, and OK (object name "1"). Enter and
// the window's close command shut it; Escape does not.
class QtAboutBox : public QDialog {
    Q_OBJECT

  public:
    explicit QtAboutBox(const AboutBoxContents& contents);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace marvolin::platform::qt
