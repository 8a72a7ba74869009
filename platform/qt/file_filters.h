#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "platform/file_dialogs.h"

namespace marvolin::platform::qt {

// QFileDialog name filters, "Name (pattern)" in the given order. Several patterns separated
// by ';' ("*.aif;*.aiff") are separated by spaces, as QFileDialog expects.
QStringList NameFilters(const std::vector<FileFilter>& filters);

// The 1-based position of the name filter the dialog reports as selected. A dialog that gives
// the name without its patterns is matched on the name; anything unknown gives 1.
int FilterIndex(const QStringList& nameFilters, const QString& selected);

// The extension named by a filter's first pattern ("*.wav" gives "wav"); empty when that
// pattern is not a plain "*.extension".
QString FilterSuffix(const FileFilter& filter);

// FilterSuffix of the first filter; empty without filters.
QString DefaultSuffix(const std::vector<FileFilter>& filters);

}  // namespace marvolin::platform::qt
