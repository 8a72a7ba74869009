#pragma once

#include "platform/file_dialogs.h"

class QWidget;

namespace marvolin::platform::qt {

class QtCursor;

// QFileDialog (the desktop's own dialog where Qt has one), modal to the main window.
class QtFileDialogs : public FileDialogs {
  public:
    QtFileDialogs(QWidget& parent, QtCursor& cursor) : parent_(parent), cursor_(cursor) {}

    std::optional<OpenChoice> ChooseFileToOpen(const std::vector<FileFilter>& filters,
                                               const std::string& initialDirectory) override;
    std::optional<FileChoice> ChooseFileToSave(const std::vector<FileFilter>& filters,
                                               const std::string& initialDirectory) override;

  private:
    QWidget& parent_;
    QtCursor& cursor_;
};

}  // namespace marvolin::platform::qt
