#include <QApplication>

#include "platform/paths.h"
#include "platform/qt/program.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Marvolin"));
    QApplication::setApplicationName(QStringLiteral("Marvolin"));

    marvolin::platform::qt::Program program(
        {marvolin::platform::DataFolder(), marvolin::platform::SettingsFilePath()});
    if (!program.Start()) {
        return 1;
    }
    return program.Run();
}
