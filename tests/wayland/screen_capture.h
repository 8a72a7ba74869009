#pragma once

#include <QImage>
#include <QRect>
#include <QString>

namespace marvolin::test {

// The whole screen of the compositor the program runs on, taken with weston-screenshooter
// (which weston answers only when started with --debug); a null image when it failed.
QImage CaptureScreen(const QString& folder);

// The smallest rectangle holding every pixel of `screen` that is not `background`.
QRect ForegroundBounds(const QImage& screen, QRgb background);

// How `shown` (the window as the compositor shows it, at `scale` screen pixels per window
// pixel) compares with the program's picture: the share of window pixels whose colour at
// the middle of their place on screen is further than `tolerance` from the picture's in
// some channel.
double MismatchShare(const QImage& picture, const QImage& shown, double scale, int tolerance);

}  // namespace marvolin::test
