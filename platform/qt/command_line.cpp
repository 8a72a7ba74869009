#include "platform/qt/command_line.h"

#include <QFileInfo>
#include <QUrl>

namespace marvolin::platform::qt {

std::string FileFromArguments(const QStringList& arguments) {
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        QString argument = arguments[i];
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (argument.isEmpty() || (!optionsEnded && argument.startsWith(QLatin1Char('-')))) {
            continue;
        }
        if (argument.startsWith(QLatin1String("file:"))) {
            const QUrl url(argument);
            if (!url.isLocalFile()) {
                continue;
            }
            argument = url.toLocalFile();
        }
        return QFileInfo(argument).absoluteFilePath().toStdString();
    }
    return {};
}

}  // namespace marvolin::platform::qt
