#include <QApplication>
#include <QIcon>
#include <QString>

#include "platform/allocation.h"
#include "platform/paths.h"
#include "platform/qt/program.h"

int main(int argc, char* argv[]) {
    marvolin::platform::KeepFreedBlocksForReuse();
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Marvolin"));
    QApplication::setApplicationName(QStringLiteral("Marvolin"));

    const std::string dataFolder = marvolin::platform::DataFolder();
    QApplication::setWindowIcon(
        QIcon(QString::fromStdString(marvolin::platform::JoinPath(dataFolder, "marvolin.png"))));

    marvolin::platform::qt::Program program({dataFolder, marvolin::platform::SettingsFilePath()});
    if (!program.Start()) {
        return 1;
    }
    return program.Run();
}
