#include "platform/qt/qt_file_dialogs.h"

#include <QFile>
#include <QFileDialog>

#include "platform/qt/file_filters.h"
#include "platform/qt/qt_cursor.h"

namespace marvolin::platform::qt {
namespace {

// File names travel through the program as the file system's own bytes.
QString DecodePath(const std::string& path) {
    return QFile::decodeName(path.c_str());
}
std::string EncodePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

void SetFilters(QFileDialog& dialog, const QStringList& nameFilters) {
    if (nameFilters.isEmpty()) {
        return;
    }
    dialog.setNameFilters(nameFilters);
    dialog.selectNameFilter(nameFilters.front());
}

// The chosen file, or nothing when the dialog was cancelled.
std::optional<QString> Run(QFileDialog& dialog, QtCursor& cursor) {
    QtCursor::Suspension normalPointer(cursor);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty() || files.front().isEmpty()) {
        return std::nullopt;
    }
    return files.front();
}

}  // namespace

std::optional<OpenChoice> QtFileDialogs::ChooseFileToOpen(const std::vector<FileFilter>& filters,
                                                          const std::string& initialDirectory) {
    QFileDialog dialog(&parent_, QStringLiteral("Open"), DecodePath(initialDirectory));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    const QStringList nameFilters = NameFilters(filters);
    SetFilters(dialog, nameFilters);

    const std::optional<QString> file = Run(dialog, cursor_);
    if (!file) {
        return std::nullopt;
    }
    return OpenChoice{EncodePath(*file), FilterIndex(nameFilters, dialog.selectedNameFilter())};
}

std::optional<FileChoice> QtFileDialogs::ChooseFileToSave(const std::vector<FileFilter>& filters,
                                                          const std::string& initialDirectory) {
    QFileDialog dialog(&parent_, QStringLiteral("Save As"), DecodePath(initialDirectory));
    dialog.setAcceptMode(QFileDialog::AcceptSave);  // asks before replacing a file
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList nameFilters = NameFilters(filters);
    SetFilters(dialog, nameFilters);
    // A name typed without an extension gets the selected filter's, as the writer would add it
    // anyway; the question about replacing a file is then asked about the file really written.
    dialog.setDefaultSuffix(DefaultSuffix(filters));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, &filters, &nameFilters](const QString& selected) {
                         const int index = FilterIndex(nameFilters, selected);
                         if (index >= 1 && static_cast<std::size_t>(index) <= filters.size()) {
                             dialog.setDefaultSuffix(FilterSuffix(filters[index - 1]));
                         }
                     });

    const std::optional<QString> file = Run(dialog, cursor_);
    if (!file) {
        return std::nullopt;
    }
    return FileChoice{EncodePath(*file), FilterIndex(nameFilters, dialog.selectedNameFilter())};
}

}  // namespace marvolin::platform::qt
