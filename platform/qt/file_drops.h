#pragma once

#include <QMimeData>
#include <QString>
#include <memory>

namespace marvolin::platform::qt {

// The first local file among the dropped URLs; empty when there is none.
QString FirstLocalFile(const QMimeData& data);

// What a drag of the file at `path` carries: its URL, for file managers, messengers and
// editors alike.
std::unique_ptr<QMimeData> MimeDataForFile(const QString& path);

}  // namespace marvolin::platform::qt
