#include <QApplication>
#include <QIcon>
#include <QString>

#include "platform/allocation.h"
#include "platform/paths.h"
#include "platform/qt/command_line.h"
#include "platform/qt/program.h"

int main(int argc, char* argv[]) {
    marvolin::platform::KeepFreedBlocksForReuse();
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Marvolin"));
    QApplication::setApplicationName(QStringLiteral("Marvolin"));
    QGuiApplication::setDesktopFileName(
        QString::fromLatin1(marvolin::platform::qt::kApplicationId));

    const std::string dataFolder = marvolin::platform::DataFolder();
    // The installed theme icon, or the one beside the data when running from a build tree.
    QApplication::setWindowIcon(QIcon::fromTheme(
        QString::fromLatin1(marvolin::platform::qt::kApplicationId),
        QIcon(QString::fromStdString(marvolin::platform::JoinPath(dataFolder, "marvolin.png")))));

    marvolin::platform::qt::Program program(
        {dataFolder, marvolin::platform::SettingsFilePath(),
         marvolin::platform::qt::FileFromArguments(QApplication::arguments())});
    if (!program.Start()) {
        return 1;
    }
    return program.Run();
}
