#pragma once

// Measures of an image of the window at twice its resolution, for the tests of the window on
// finer screens: device pixel (2x + i, 2y + j) shows window pixel (x, y).

#include <QImage>
#include <QRect>
#include <algorithm>
#include <cstdlib>

namespace marvolin::testing {

// Device pixels of `area` (window pixels) that differ from the first of their 2 x 2 block:
// detail that no doubling of the picture can give.
inline int FinerThanTheWindow(const QImage& screen, const QRect& area) {
    int finer = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb first = screen.pixel(2 * x, 2 * y);
            finer += (screen.pixel(2 * x + 1, 2 * y) != first) +
                     (screen.pixel(2 * x, 2 * y + 1) != first) +
                     (screen.pixel(2 * x + 1, 2 * y + 1) != first);
        }
    }
    return finer;
}

// The largest difference, over the 8 x 8 tiles of `area`, between the tile's mean colour in
// the window's picture and in the screen's twice finer image.
inline int LargestTileDifference(const QImage& picture, const QImage& screen, const QRect& area) {
    int largest = 0;
    for (int top = area.top(); top + 8 <= area.bottom() + 1; top += 8) {
        for (int left = area.left(); left + 8 <= area.right() + 1; left += 8) {
            for (int shift : {16, 8, 0}) {
                int window = 0;
                int fine = 0;
                for (int y = 0; y < 8; ++y) {
                    for (int x = 0; x < 8; ++x) {
                        window += 4 * ((picture.pixel(left + x, top + y) >> shift) & 0xFF);
                        for (int d = 0; d < 4; ++d) {
                            fine += (screen.pixel(2 * (left + x) + d % 2, 2 * (top + y) + d / 2) >>
                                     shift) &
                                    0xFF;
                        }
                    }
                }
                largest = std::max(largest, std::abs(window - fine) / 256);
            }
        }
    }
    return largest;
}

// A pixel of the waveform trace: the screen's blue turned red, or partly so.
inline bool OnTrace(QRgb pixel) {
    return qRed(pixel) >= 128;
}

// Window pixels of `area` whose four device pixels are partly on the trace and partly not: a
// trace drawn finer than the window's pixels.
inline int PartlyTraced(const QImage& screen, const QRect& area) {
    int partly = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            int traced = 0;
            for (int d = 0; d < 4; ++d) {
                traced += OnTrace(screen.pixel(2 * x + d % 2, 2 * y + d / 2));
            }
            partly += traced > 0 && traced < 4;
        }
    }
    return partly;
}

}  // namespace marvolin::testing
