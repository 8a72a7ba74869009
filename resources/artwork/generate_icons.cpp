// Writes the application icon in the desktop's hicolor theme layout:
//
//   generate_icons <folder> <icon name>
//
// gives <folder>/<size>x<size>/apps/<icon name>.png for sizes 16 to 512 and
// <folder>/scalable/apps/<icon name>.svg.

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

#include "resources/artwork/app_icon_svg.h"
#include "resources/artwork/artwork.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: generate_icons <folder> <icon name>\n");
        return 2;
    }
    const QDir root(args[1]);
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        const QString file = root.filePath(folder + "/" + args[2] + ".png");
        if (!root.mkpath(folder) || !marvolin::artwork::RenderAppIcon(size).save(file, "PNG")) {
            std::fprintf(stderr, "generate_icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    QFile svg(root.filePath("scalable/apps/" + args[2] + ".svg"));
    if (!root.mkpath("scalable/apps") || !svg.open(QIODevice::WriteOnly) ||
        svg.write(marvolin::artwork::AppIconSvg().toUtf8()) < 0) {
        std::fprintf(stderr, "generate_icons: cannot write the SVG icon\n");
        return 1;
    }
    return 0;
}
