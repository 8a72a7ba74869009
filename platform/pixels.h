#pragma once

#include <cstdint>

namespace marvolin::platform {

// A block of 32-bit 0x00RRGGBB pixels, rows top to bottom, `width` pixels a row.
struct PixelView {
    std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
};

}  // namespace marvolin::platform
