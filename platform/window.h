#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/pixels.h"

namespace marvolin::platform {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;   // excluded
    int bottom = 0;  // excluded

    bool operator==(const Rect&) const = default;
};

struct Point {
    int x = 0;
    int y = 0;

    bool operator==(const Point&) const = default;
};

// One painted button as a screen reader presents it. Its action is a click at the centre of
// `area`, delivered to the handler like the mouse's.
struct AccessibleButton {
    Rect area;
    std::string name;         // "Play", "Robots: Android"
    std::string description;  // the button's help line

    bool operator==(const AccessibleButton&) const = default;
};

// Writes the file a drag hands over and gives its path; nothing when it cannot be written.
using DragFileMaker = std::function<std::optional<std::string>()>;

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
    // The window's name in task bars and window lists.
    virtual void SetTitle(const std::string& title) = 0;
    // Called while the left button is down where nothing can be clicked: from now on the
    // window follows the pointer until the button is released.
    virtual void BeginMove() = 0;
    // Called while the left button is down on something that can be dragged away: should the
    // pointer leave with the button held, `makeFile` writes the file that the drop target
    // receives. The offer ends with the button's release.
    virtual void OfferDrag(DragFileMaker makeFile) = 0;
    // The painted buttons a screen reader finds on the window, in table order; called again
    // whenever a name or description changes.
    virtual void DescribeButtons(const std::vector<AccessibleButton>& buttons) = 0;

    // What the program draws at places of its own choosing, told before it is presented, so
    // that a screen with more device pixels than window pixels can draw it again in its own
    // resolution. A window that shows the picture pixel for pixel can ignore both.
    // The waveform trace: the points its segments chain through, from the first.
    virtual void DescribeTrace(const std::vector<Point>& /*points*/) {}
    // Bitmap resource `id` drawn at `at` with its magenta pixels left out: the progress ball.
    virtual void DescribeMovingBitmap(std::uint16_t /*id*/, Point /*at*/) {}
};

}  // namespace marvolin::platform
