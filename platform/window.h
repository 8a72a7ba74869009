#pragma once

#include "platform/pixels.h"

namespace marvolin::platform {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;   // excluded
    int bottom = 0;  // excluded
};

// The main window as the program sees it: placement, repaint requests and the end of the run.
class Window {
  public:
    virtual ~Window() = default;
    // Rectangle of the desktop's usable area, in pixels.
    virtual Rect DesktopRect() const = 0;
    // Moves the window to (x, y) and sizes it, raising it to the top.
    virtual void Place(int x, int y, int width, int height) = 0;
    // Shows `picture` (the program's own 640x480 pixels, which must outlive the window) as the
    // window's content. Until then the window is black.
    virtual void AttachPicture(PixelView picture) = 0;
    // Asks for a repaint of the area; the Paint message arrives later through the event queue.
    virtual void Invalidate(const Rect& area) = 0;
    // Puts `area` of the picture on the screen at once, without a Paint message: for drawing
    // that must be seen while the program is busy.
    virtual void PresentNow(const Rect& area) = 0;
    // Ends the program's main window, and so the program.
    virtual void Close() = 0;
};

}  // namespace marvolin::platform
