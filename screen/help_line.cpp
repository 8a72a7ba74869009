#include <cstddef>
#include <string_view>

#include "resources/panel_layout.h"
#include "screen/screen.h"
#include "screen/window_areas.h"

namespace marvolin::screen {
namespace {

constexpr int kHelpX = resources::kHelpLeft;
constexpr int kHelpY = 450;
constexpr std::size_t kMaxHelpLength = 250;
constexpr Color kHelpInk = 0xFFFFFF;
constexpr Color kHelpBackground = 0x000000;
constexpr Rect kHelpArea{resources::kHelpLeft, resources::kHelpTop, resources::kHelpRight,
                         resources::kHelpBottom};
// The line itself, as far right as a long line can reach.
constexpr Rect kHelpLineArea{kHelpX, kHelpY, kWindowWidth, resources::kHelpBottom};

// At most kMaxHelpLength bytes, never cutting a UTF-8 character in two.
std::string_view Shortened(std::string_view text) {
    if (text.size() <= kMaxHelpLength) {
        return text;
    }
    std::size_t length = kMaxHelpLength;
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) {
        --length;
    }
    return text.substr(0, length);
}

}  // namespace

void DrawHelpLine(Screen& screen, ScreenHost& host, std::string_view text) {
    host.textRenderer.DrawText(screen.window.View(), kHelpX, kHelpY, Shortened(text), kHelpInk,
                               kHelpBackground, true);
    Present(screen, host, kHelpLineArea);
}

void EraseHelpArea(Screen& screen, ScreenHost& host) {
    screen.window.Fill(kHelpArea, kHelpBackground);
    Present(screen, host, kHelpArea);
}

}  // namespace marvolin::screen
