#include "platform/qt/file_drops.h"

#include <QUrl>

namespace marvolin::platform::qt {

QString FirstLocalFile(const QMimeData& data) {
    if (!data.hasUrls()) {
        return {};
    }
    for (const QUrl& url : data.urls()) {
        if (url.isLocalFile() && !url.toLocalFile().isEmpty()) {
            return url.toLocalFile();
        }
    }
    return {};
}

std::unique_ptr<QMimeData> MimeDataForFile(const QString& path) {
    auto data = std::make_unique<QMimeData>();
    data->setUrls({QUrl::fromLocalFile(path)});
    return data;
}

}  // namespace marvolin::platform::qt
