#include "screen/surface.h"

#include <algorithm>

namespace marvolin::screen {

Surface::Surface(int width, int height, Color fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill) {}

Color Surface::Pixel(int x, int y) const {
    if (!Contains(x, y)) {
        return 0;
    }
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
}

void Surface::SetPixel(int x, int y, Color color) {
    if (Contains(x, y)) {
        pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                static_cast<std::size_t>(x)] = color;
    }
}

void Surface::Fill(const Rect& area, Color color) {
    const int left = std::max(area.left, 0);
    const int top = std::max(area.top, 0);
    const int right = std::min(area.right, width_);
    const int bottom = std::min(area.bottom, height_);
    for (int y = top; y < bottom; ++y) {
        Color* row =
            pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
        std::fill(row + left, row + std::max(left, right), color);
    }
}

void Surface::Blit(int x, int y, const Surface& source, int sourceX, int sourceY, int width,
                   int height) {
    // Clip against the source, then against this surface, moving both corners together.
    if (sourceX < 0) {
        width += sourceX;
        x -= sourceX;
        sourceX = 0;
    }
    if (sourceY < 0) {
        height += sourceY;
        y -= sourceY;
        sourceY = 0;
    }
    if (x < 0) {
        width += x;
        sourceX -= x;
        x = 0;
    }
    if (y < 0) {
        height += y;
        sourceY -= y;
        y = 0;
    }
    width = std::min({width, source.width_ - sourceX, width_ - x});
    height = std::min({height, source.height_ - sourceY, height_ - y});
    if (width <= 0 || height <= 0) {
        return;
    }
    for (int row = 0; row < height; ++row) {
        const Color* from = source.pixels_.data() +
                            static_cast<std::size_t>(sourceY + row) * source.width_ + sourceX;
        Color* to = pixels_.data() + static_cast<std::size_t>(y + row) * width_ + x;
        std::copy_n(from, width, to);
    }
}

}  // namespace marvolin::screen
