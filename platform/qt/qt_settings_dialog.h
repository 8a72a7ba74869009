#pragma once

#include <QDialog>

#include "platform/modal_dialogs.h"

namespace marvolin::platform::qt {

// "Marvolin Settings": the two device lists, the default directory, the six recording
// rates and the six switches, OK and Cancel. Every control carries its number as object
// name. The handler fills the dialog as it is made and hears every change the user makes;
// Escape and the window's close command count as Cancel.
class QtSettingsDialog : public QDialog {
    Q_OBJECT

  public:
    explicit QtSettingsDialog(SettingsDialogHandler& handler);

    void accept() override;
    void reject() override;

  private:
    SettingsDialogHandler& handler_;
};

}  // namespace marvolin::platform::qt
