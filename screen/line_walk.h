#pragma once

#include <cstdint>

namespace marvolin::screen {

// Walks the pixels of the line from (x0, y0) to (x1, y1) by Windows' LineDDA rule: one pixel
// per step along the longer axis (the vertical one when both are equal), the start included
// and the end excluded, so that chained segments visit each joint once. On the other axis
// each pixel takes the exact line's position rounded to the nearest pixel, an exact half
// rounding back toward the start; this is Bresenham's error term stepping only when it is
// above zero. A line of zero length visits nothing.
template <typename Visit>
void WalkLine(int x0, int y0, int x1, int y1, Visit&& visit) {
    std::int64_t dx = std::int64_t{x1} - x0;
    std::int64_t dy = std::int64_t{y1} - y0;
    const int stepX = dx < 0 ? -1 : 1;
    const int stepY = dy < 0 ? -1 : 1;
    dx = dx < 0 ? -dx : dx;
    dy = dy < 0 ? -dy : dy;
    int x = x0;
    int y = y0;
    if (dx > dy) {
        std::int64_t error = 2 * dy - dx;
        for (std::int64_t step = 0; step < dx; ++step) {
            visit(x, y);
            if (error > 0) {
                y += stepY;
                error += 2 * (dy - dx);
            } else {
                error += 2 * dy;
            }
            x += stepX;
        }
    } else {
        std::int64_t error = 2 * dx - dy;
        for (std::int64_t step = 0; step < dy; ++step) {
            visit(x, y);
            if (error > 0) {
                x += stepX;
                error += 2 * (dx - dy);
            } else {
                error += 2 * dx;
            }
            y += stepY;
        }
    }
}

}  // namespace marvolin::screen
