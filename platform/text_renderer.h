#pragma once

#include <cstdint>
#include <string_view>

#include "platform/pixels.h"

namespace marvolin::platform {

// Draws a line of text in the platform's default user-interface font.
class TextRenderer {
  public:
    virtual ~TextRenderer() = default;
    // Draws `text` with its top-left corner at (x, y) in `color`; with `opaque` the text's
    // cell is first filled with `background`. Both colours are 0x00RRGGBB.
    virtual void DrawText(PixelView target, int x, int y, std::string_view text,
                          std::uint32_t color, std::uint32_t background, bool opaque) = 0;
};

}  // namespace marvolin::platform
