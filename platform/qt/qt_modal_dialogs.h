#pragma once

#include "platform/modal_dialogs.h"

namespace marvolin::platform::qt {

class QtCursor;

// The Settings dialog and the About box as application-modal QDialogs without an owner,
// centred on the desktop, with the normal pointer while they are up.
class QtModalDialogs : public ModalDialogs {
  public:
    explicit QtModalDialogs(QtCursor& cursor) : cursor_(cursor) {}

    void RunSettings(SettingsDialogHandler& handler) override;
    void RunAbout(const AboutBoxContents& contents) override;

  private:
    QtCursor& cursor_;
};

}  // namespace marvolin::platform::qt
