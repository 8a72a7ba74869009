#pragma once

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
    // Asks for a repaint of the area; the paint message arrives later through the event queue.
    virtual void Invalidate(const Rect& area) = 0;
    // Ends the program's main window, and so the program.
    virtual void Close() = 0;
};

}  // namespace marvolin::platform
