// Renders Marvolin's artwork: the background picture "marvolin.bmp", every bitmap resource
// (one "<id>.bmp" each, compiled into the program by embed_bitmaps.cmake), the application
// icon "marvolin.png".
//
//   generate_artwork <bitmap folder> <data folder> [--preview <folder>]
//
// --preview also writes PNG previews (picture, sheet of all bitmaps, a mock-up of the running
// program) into <folder>. Run with QT_QPA_PLATFORM=offscreen (set here when unset).
//
// Every bitmap is rendered over a copy of the picture at the place the program draws it, so
// the bitmaps blend into the picture; the picture then receives each button's normal bitmap.

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

#include "resources/artwork/artwork.h"
#include "resources/artwork/paint_kit.h"

namespace marvolin::artwork {
namespace {

int Run(const QStringList& args) {
    if (args.size() != 3 && !(args.size() == 5 && args[3] == QLatin1String("--preview"))) {
        std::fprintf(
            stderr, "usage: generate_artwork <bitmap folder> <data folder> [--preview <folder>]\n");
        return 2;
    }
    if (!LoadFonts()) {
        return 1;
    }
    const Artwork art = RenderArtwork();

    QDir bitmapDir(args[1]);
    if (!QDir().mkpath(args[1]) || !QDir().mkpath(args[2])) {
        std::fprintf(stderr, "generate_artwork: cannot make the output folders\n");
        return 1;
    }
    for (const QString& old : bitmapDir.entryList({QStringLiteral("*.bmp")}, QDir::Files)) {
        bitmapDir.remove(old);
    }
    bool ok = true;
    for (const auto& [id, image] : art.bitmaps) {
        ok = ok && WriteFile(bitmapDir.filePath(QString::number(id) + ".bmp"), BmpFile(image));
    }
    const QDir dataDir(args[2]);
    ok = ok && WriteFile(dataDir.filePath(QStringLiteral("marvolin.bmp")), BmpFile(art.picture));
    if (ok && !art.icon.save(dataDir.filePath(QStringLiteral("marvolin.png")), "PNG")) {
        std::fprintf(stderr, "generate_artwork: cannot write marvolin.png\n");
        ok = false;
    }
    if (ok && args.size() == 5) {
        QDir().mkpath(args[4]);
        const QDir preview(args[4]);
        ok = art.picture.save(preview.filePath(QStringLiteral("picture.png"))) &&
             PreviewSheet(art).save(preview.filePath(QStringLiteral("sheet.png"))) &&
             PreviewAtWork(art).save(preview.filePath(QStringLiteral("at-work.png"))) &&
             PreviewCategories(art).save(preview.filePath(QStringLiteral("categories.png")));
    }
    return ok ? 0 : 1;
}

}  // namespace
}  // namespace marvolin::artwork

int main(int argc, char** argv) {
    // Keep the build log quiet: the offscreen platform warns about a missing XDG_RUNTIME_DIR.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtDebugMsg && type != QtInfoMsg && !text.contains("XDG_RUNTIME_DIR")) {
            std::fprintf(stderr, "generate_artwork: %s\n", qPrintable(text));
        }
    });
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    return marvolin::artwork::Run(QGuiApplication::arguments());
}
