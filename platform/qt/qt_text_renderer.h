#pragma once

#include "platform/text_renderer.h"

namespace marvolin::platform::qt {

class MainWidget;

// Text in the application's default font, painted straight into the program's pixels.
class QtTextRenderer : public TextRenderer {
  public:
    void DrawText(PixelView target, int x, int y, std::string_view text, std::uint32_t color,
                  std::uint32_t background, bool opaque) override;

    // Opaque lines written into `widget`'s picture are also handed to its text overlay, for
    // screens of a higher resolution.
    void ShareLinesWith(MainWidget* widget) { widget_ = widget; }

  private:
    MainWidget* widget_ = nullptr;
};

}  // namespace marvolin::platform::qt
