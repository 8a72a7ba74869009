#pragma once

// Where everything sits on the 640 x 480 panel and which bitmap draws it: the one home of the
// layout that the window, the drawing code, the artwork generator and the tests share.

#include <array>
#include <cstdint>

namespace marvolin::resources {

inline constexpr int kPanelWidth = 640;
inline constexpr int kPanelHeight = 480;

// A clickable area; both edges are inside, so it covers width + 1 by height + 1 pixels.
struct HotspotPlace {
    std::int32_t left;
    std::int32_t top;
    std::int32_t width;
    std::int32_t height;
    std::uint16_t normalBitmap;   // 0: draw nothing
    std::uint16_t pressedBitmap;  // 0: draw nothing
};

// Hotspot roles, in table order; where hotspots overlap the highest index wins.
enum HotspotIndex : std::uint16_t {
    kOpenHotspot = 0,
    kSaveHotspot = 1,
    kRecordHotspot = 2,
    kPlayHotspot = 3,
    kUndoHotspot = 4,
    kOptionsHotspot = 5,
    kExitHotspot = 6,
    kCategoryHotspot = 7,
    kFirstEffectHotspot = 8,
    kLastEffectHotspot = 12,
    kAboutHotspot = 13,
};

inline constexpr std::array<HotspotPlace, 14> kHotspotPlaces = {{
    {120, 160, 120, 40, 107, 108},   // Open
    {260, 160, 120, 40, 117, 110},   // Save
    {400, 160, 120, 40, 113, 114},   // Record / stop recording
    {120, 210, 120, 40, 111, 112},   // Play / stop playback
    {260, 210, 120, 40, 109, 118},   // Undo
    {400, 210, 120, 40, 115, 116},   // Options
    {471, 363, 56, 52, 106, 105},    // Exit
    {195, 288, 120, 120, 152, 153},  // Category button
    {295, 281, 147, 20, 129, 128},   // Effect 1 (its lamp at the top-left corner)
    {318, 309, 125, 20, 137, 131},   // Effect 2
    {327, 340, 240, 20, 132, 133},   // Effect 3
    {322, 374, 144, 20, 134, 135},   // Effect 4
    {296, 402, 176, 20, 136, 130},   // Effect 5
    {482, 441, 150, 31, 0, 0},       // About box (the logo)
}};

// Where a category's name sits on the raised and on the pressed category button, relative to
// the button's top-left corner, and its bright and dim bitmaps.
struct CategoryLabelPlace {
    std::int32_t labelX;
    std::int32_t labelY;
    std::int32_t labelWidth;
    std::int32_t labelHeight;
    std::int32_t pressedX;
    std::int32_t pressedY;
    std::uint16_t brightBitmap;
    std::uint16_t dimBitmap;
};

// In category order: Acoustics, Aliens, Delirium, Echoes, Filters, Robots, Transmissions,
// Volumes.
inline constexpr std::array<CategoryLabelPlace, 8> kCategoryLabelPlaces = {{
    {22, 52, 71, 15, 28, 53, 162, 155},
    {34, 51, 46, 15, 40, 53, 156, 157},
    {29, 52, 60, 15, 33, 54, 158, 159},
    {33, 51, 52, 15, 38, 53, 160, 161},
    {37, 51, 45, 15, 41, 53, 154, 163},
    {33, 51, 50, 15, 37, 53, 164, 165},
    {10, 51, 100, 15, 14, 53, 177, 175},
    {28, 51, 60, 15, 32, 53, 176, 174},
}};

// The effect names beside the five lamps: 16 pixels high, each `width` wide.
struct EffectLabelPlace {
    std::int32_t x;
    std::int32_t y;
    std::int32_t width;
};
inline constexpr std::int32_t kEffectLabelHeight = 16;
inline constexpr std::int32_t kLampSize = 17;
inline constexpr std::array<EffectLabelPlace, 5> kEffectLabelPlaces = {{
    {326, 280, 115},
    {347, 309, 100},
    {355, 341, 130},
    {349, 375, 120},
    {326, 403, 140},
}};

// The waveform trace runs over columns 118 to 511 around row 105.
inline constexpr std::int32_t kTraceLeft = 118;
inline constexpr std::int32_t kTraceRight = 512;
inline constexpr std::int32_t kTraceCentreY = 105;

// The help line's area, left, top, right and bottom (right and bottom excluded).
inline constexpr std::int32_t kHelpLeft = 20;
inline constexpr std::int32_t kHelpTop = 430;
inline constexpr std::int32_t kHelpRight = 300;
inline constexpr std::int32_t kHelpBottom = 470;

// Bitmaps drawn over the buttons while the sound plays or records.
inline constexpr std::uint16_t kPlayBitmap = 111;
inline constexpr std::uint16_t kStopBitmap = 171;  // red Stop over Play while a sound plays
inline constexpr std::uint16_t kStopPressedBitmap = 170;
inline constexpr std::uint16_t kStopRecordingBitmap = 173;  // red Stop over Record
inline constexpr std::uint16_t kAboutLogoBitmap = 123;      // the logo in the About box
// The progress ball, an icon: its pure magenta (255, 0, 255) pixels are transparent.
inline constexpr std::uint16_t kProgressBallIcon = 119;

// The label of effect `effect` (0..4) of category `category` is bitmap 500 + 5 * category +
// effect.
inline constexpr int kFirstEffectLabel = 500;
inline constexpr int EffectLabelBitmap(int category, int effect) {
    return kFirstEffectLabel + 5 * category + effect;
}

}  // namespace marvolin::resources
