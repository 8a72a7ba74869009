#pragma once

#include "platform/text_renderer.h"

namespace marvolin::platform::qt {

// Text in the application's default font, painted straight into the program's pixels.
class QtTextRenderer : public TextRenderer {
  public:
    void DrawText(PixelView target, int x, int y, std::string_view text, std::uint32_t color,
                  std::uint32_t background, bool opaque) override;
};

}  // namespace marvolin::platform::qt
