#include "screen_capture.h"

#include <QDir>
#include <QProcess>
#include <algorithm>
#include <cstdlib>

namespace marvolin::test {

QImage CaptureScreen(const QString& folder) {
    QDir dir(folder);
    for (const QString& old : dir.entryList({QStringLiteral("*.png")}, QDir::Files)) {
        dir.remove(old);
    }
    QProcess shooter;
    shooter.setWorkingDirectory(folder);
    shooter.start(QStringLiteral("weston-screenshooter"), {});
    if (!shooter.waitForFinished(10000) || shooter.exitCode() != 0) {
        shooter.kill();
        return {};
    }
    const QStringList shots = dir.entryList({QStringLiteral("*.png")}, QDir::Files);
    if (shots.isEmpty()) {
        return {};
    }
    return QImage(dir.filePath(shots.first())).convertToFormat(QImage::Format_RGB32);
}

QRect ForegroundBounds(const QImage& screen, QRgb background) {
    int left = screen.width(), top = screen.height(), right = -1, bottom = -1;
    for (int y = 0; y < screen.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(screen.constScanLine(y));
        for (int x = 0; x < screen.width(); ++x) {
            if ((row[x] & 0xFFFFFFu) != (background & 0xFFFFFFu)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

double MismatchShare(const QImage& picture, const QImage& shown, double scale, int tolerance) {
    long long differing = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const int sx = std::min(shown.width() - 1, static_cast<int>((x + 0.5) * scale));
            const int sy = std::min(shown.height() - 1, static_cast<int>((y + 0.5) * scale));
            const QRgb a = picture.pixel(x, y);
            const QRgb b = shown.pixel(sx, sy);
            const int worst =
                std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                          std::abs(qBlue(a) - qBlue(b))});
            differing += worst > tolerance ? 1 : 0;
        }
    }
    return static_cast<double>(differing) /
           (static_cast<double>(picture.width()) * picture.height());
}

}  // namespace marvolin::test
