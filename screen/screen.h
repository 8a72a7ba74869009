#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "formats/sound_buffer.h"
#include "platform/message_boxes.h"
#include "platform/text_renderer.h"
#include "platform/window.h"
#include "resources/panel_layout.h"
#include "screen/surface.h"

namespace marvolin::screen {

inline constexpr int kWindowWidth = resources::kPanelWidth;
inline constexpr int kWindowHeight = resources::kPanelHeight;

// The platform services the drawing code uses.
struct ScreenHost {
    platform::MessageBoxes& messageBoxes;
    platform::Window& window;
    platform::TextRenderer& textRenderer;
};

// The window's pixels and what they are restored from.
struct Screen {
    Surface window{kWindowWidth, kWindowHeight};  // what the window shows
    std::optional<Surface> picture;               // the background picture, once read
    int progressX = 0;                            // where the progress ball was drawn last
    int progressY = 0;
    bool painting = false;  // inside PaintWindow: the paint itself puts the pixels on screen
};

// Reads the background picture (an uncompressed Windows bitmap with a 40-byte header, 8-bit
// palettised or 24-bit, at least 640 x 480) into screen.picture. A file that cannot be opened
// shows "Unable to read a picture !" (caption "Error", error icon); false on any failure.
bool ReadBackgroundPicture(Screen& screen, platform::MessageBoxes& messageBoxes,
                           const std::string& path);

// The paint message: picture, waveform view, effect labels of `category`.
void PaintWindow(Screen& screen, ScreenHost& host, const formats::SoundBuffer& sound,
                 std::uint16_t category);
void DrawEffectLabels(Screen& screen, ScreenHost& host, std::uint16_t category);
void DrawWaveform(Screen& screen, ScreenHost& host, const formats::SoundBuffer& sound);
void DrawProgress(Screen& screen, ScreenHost& host, std::uint32_t percent);

// Copies width x height pixels of bitmap resource `id` to (x, y) and shows them at once.
void DrawBitmap(Screen& screen, ScreenHost& host, std::uint16_t id, int x, int y, int width,
                int height);

// The help line at (20, 450), white on black; EraseHelpArea blackens (20, 430)-(300, 470).
void DrawHelpLine(Screen& screen, ScreenHost& host, std::string_view text);
void EraseHelpArea(Screen& screen, ScreenHost& host);
// The word "RECORDING" at (20, 430) in black, on red or on black.
void DrawRecordingWord(Screen& screen, ScreenHost& host, bool onRed);

// Puts `area` of screen.window on the screen now, unless a paint is under way.
void Present(Screen& screen, ScreenHost& host, const Rect& area);

}  // namespace marvolin::screen
