#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "resources/bitmap_resources.h"
#include "screen/resource_bitmaps.h"
#include "screen/screen.h"
#include "screen/window_areas.h"

namespace marvolin::screen {
namespace {

constexpr int kEraseSize = 15;  // covers the 11 x 11 ball at the icon's top-left corner
constexpr int kIconSize = 32;
constexpr Color kTransparent = RGB(255, 0, 255);
// The single-precision value nearest -1/4356 (4356 = 66 * 66).
constexpr float kEllipseFactor = -0.00022956841f;

struct Position {
    int x;
    int y;
};

// The left half of an ellipse around (255, 343), 70 wide and 66 high: the bottom at 0 %, the
// leftmost point at 50 %, towards the top at 99 %.
Position BallPosition(std::uint32_t percent) {
    std::uint32_t t = 0;
    int y = 0;
    if (percent < 50) {
        t = ((50 - percent) * 66) / 50;
        y = static_cast<int>(343 + t);
    } else {
        const std::uint32_t u = ((100 - percent) * 66) / 50;
        t = 66 - u;
        y = static_cast<int>(277 + u);
    }
    // t <= 66 keeps the root's argument positive; the guard is for peace of mind.
    const double root = std::sqrt(std::max(0.0, 1.0 + double(t * t) * double(kEllipseFactor)));
    return {static_cast<int>(255.0 - 70.0 * root), y};
}

void DrawIcon(Surface& window, const Surface& icon, int left, int top) {
    const int width = std::min(icon.width(), kIconSize);
    const int height = std::min(icon.height(), kIconSize);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Color color = icon.Pixel(x, y);
            if (color != kTransparent) {
                window.SetPixel(left + x, top + y, color);
            }
        }
    }
}

}  // namespace

void DrawProgress(Screen& screen, ScreenHost& host, std::uint32_t percent) {
    const std::optional<Surface> icon = LoadResourceBitmap(resources::kProgressBallIcon);
    Rect changed{};
    // 0 and 1 start a new run: the ball of the previous run stays where it is.
    if (percent > 1) {
        const Rect previous{screen.progressX, screen.progressY, screen.progressX + kEraseSize,
                            screen.progressY + kEraseSize};
        RestoreFromPicture(screen, previous);
        changed = Union(changed, ClipToWindow(previous));
    }
    if (percent < 100) {
        const Position position = BallPosition(percent);
        if (icon) {
            DrawIcon(screen.window, *icon, position.x, position.y);
            host.window.DescribeMovingBitmap(resources::kProgressBallIcon,
                                             {position.x, position.y});
        }
        screen.progressX = position.x;
        screen.progressY = position.y;
        changed = Union(changed, ClipToWindow({position.x, position.y, position.x + kIconSize,
                                               position.y + kIconSize}));
    }
    if (!IsEmpty(changed)) {
        Present(screen, host, changed);
    }
}

}  // namespace marvolin::screen
