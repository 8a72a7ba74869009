#include "app/drawing.h"

namespace marvolin::app {

screen::ScreenHost ScreenHostOf(platform::Platform& platform) {
    return {platform.messageBoxes, platform.window, platform.textRenderer};
}

void DrawHotspotBitmap(MainWindowState& state, platform::Platform& platform, std::uint16_t index,
                       std::uint16_t bitmap) {
    if (index >= state.hotspots.size() || bitmap == 0) {
        return;
    }
    const Hotspot& hotspot = state.hotspots[index];
    const bool lamp = index >= kFirstEffectHotspot && index <= kLastEffectHotspot;
    const int width = lamp ? 17 : hotspot.width;
    const int height = lamp ? 17 : hotspot.height;
    screen::ScreenHost host = ScreenHostOf(platform);
    screen::DrawBitmap(state.screen, host, bitmap, hotspot.left, hotspot.top, width, height);
}

void DrawCategoryLabel(MainWindowState& state, platform::Platform& platform, bool pressed) {
    const CategoryLabel& label = state.categoryLabels[state.category % kCategoryCount];
    screen::ScreenHost host = ScreenHostOf(platform);
    if (pressed) {
        screen::DrawBitmap(state.screen, host, label.dimBitmap, label.pressedX, label.pressedY,
                           label.labelWidth, label.labelHeight);
    } else {
        screen::DrawBitmap(state.screen, host, label.brightBitmap, label.labelX, label.labelY,
                           label.labelWidth, label.labelHeight);
    }
}

audio::DrawPlayButton PlayButtonPainter(MainWindowState& state, platform::Platform& platform) {
    return [&state, &platform](std::uint16_t bitmap) {
        DrawHotspotBitmap(state, platform, kPlayHotspot, bitmap);
    };
}

audio::DrawRecordButton RecordButtonPainter(MainWindowState& state, platform::Platform& platform) {
    return [&state, &platform](std::uint16_t bitmap) {
        DrawHotspotBitmap(state, platform, kRecordHotspot, bitmap);
    };
}

void RedrawWaveform(MainWindowState& state, platform::Platform& platform) {
    screen::ScreenHost host = ScreenHostOf(platform);
    screen::DrawWaveform(state.screen, host, state.sound);
}

}  // namespace marvolin::app
