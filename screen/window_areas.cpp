#include "screen/window_areas.h"

#include <algorithm>

namespace marvolin::screen {

Rect ClipToWindow(const Rect& area) {
    return {std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, kWindowWidth),
            std::min(area.bottom, kWindowHeight)};
}

bool IsEmpty(const Rect& area) {
    return area.right <= area.left || area.bottom <= area.top;
}

Rect Union(const Rect& a, const Rect& b) {
    if (IsEmpty(a)) {
        return b;
    }
    if (IsEmpty(b)) {
        return a;
    }
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

void RestoreFromPicture(Screen& screen, const Rect& area) {
    const Rect clipped = ClipToWindow(area);
    if (IsEmpty(clipped)) {
        return;
    }
    screen.window.Fill(clipped, 0);
    if (screen.picture) {
        screen.window.Blit(clipped.left, clipped.top, *screen.picture, clipped.left, clipped.top,
                           clipped.right - clipped.left, clipped.bottom - clipped.top);
    }
}

void Present(Screen& screen, ScreenHost& host, const Rect& area) {
    if (!screen.painting) {
        host.window.PresentNow(area);
    }
}

}  // namespace marvolin::screen
