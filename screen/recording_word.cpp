#include "screen/screen.h"

namespace marvolin::screen {
namespace {

constexpr int kWordX = 20;
constexpr int kWordY = 430;
constexpr Color kInk = 0x000000;
constexpr Color kRed = 0xFF0000;
constexpr Color kBlack = 0x000000;
// The word's line, above the help line.
constexpr Rect kWordArea{kWordX, kWordY, 300, 450};

}  // namespace

void DrawRecordingWord(Screen& screen, ScreenHost& host, bool onRed) {
    host.textRenderer.DrawText(screen.window.View(), kWordX, kWordY, "RECORDING", kInk,
                               onRed ? kRed : kBlack, true);
    Present(screen, host, kWordArea);
}

}  // namespace marvolin::screen
