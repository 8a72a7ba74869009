#pragma once

#include <cstdint>
#include <vector>

#include "platform/pixels.h"
#include "platform/window.h"

namespace marvolin::screen {

using Color = std::uint32_t;  // 0x00RRGGBB
using platform::Rect;

inline constexpr Color RGB(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return (Color{red} << 16) | (Color{green} << 8) | Color{blue};
}
inline constexpr std::uint8_t Red(Color c) {
    return static_cast<std::uint8_t>(c >> 16);
}
inline constexpr std::uint8_t Green(Color c) {
    return static_cast<std::uint8_t>(c >> 8);
}
inline constexpr std::uint8_t Blue(Color c) {
    return static_cast<std::uint8_t>(c);
}

// A rectangle of 32-bit pixels, rows top to bottom. The window's picture is one of these;
// so are the background picture and every bitmap resource.
class Surface {
  public:
    Surface() = default;
    Surface(int width, int height, Color fill = 0);

    int width() const { return width_; }
    int height() const { return height_; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // Outside the surface: reads give 0 (black), writes do nothing.
    Color Pixel(int x, int y) const;
    void SetPixel(int x, int y, Color color);

    // Fills `area` (right and bottom excluded), clipped to the surface.
    void Fill(const Rect& area, Color color);

    // Copies width x height pixels from (sourceX, sourceY) of `source` to (x, y), clipped
    // to both surfaces.
    void Blit(int x, int y, const Surface& source, int sourceX, int sourceY, int width, int height);

    std::uint32_t* data() { return pixels_.data(); }
    const std::uint32_t* data() const { return pixels_.data(); }
    platform::PixelView View() { return {pixels_.data(), width_, height_}; }

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Color> pixels_;
};

}  // namespace marvolin::screen
