#pragma once

#include <array>
#include <cstdint>

#include "effects/effect_categories.h"

namespace marvolin::app {

inline constexpr std::uint16_t NO_HOTSPOT = 999;
inline constexpr int kHotspotCount = 14;
inline constexpr int kCategoryCount = 8;

// A clickable area; both edges are inside, so it covers width + 1 by height + 1 pixels.
struct Hotspot {
    std::int32_t left;
    std::int32_t top;
    std::int32_t width;
    std::int32_t height;
    std::uint16_t normalBitmap;   // 0: draw nothing
    std::uint16_t pressedBitmap;  // 0: draw nothing
};

// Where a category's label sits on the raised and on the pressed category button.
struct CategoryLabel {
    std::int32_t labelX;
    std::int32_t labelY;
    std::int32_t labelWidth;
    std::int32_t labelHeight;
    std::int32_t pressedX;
    std::int32_t pressedY;
    std::uint16_t brightBitmap;
    std::uint16_t dimBitmap;
};

using HotspotTable = std::array<Hotspot, kHotspotCount>;
using CategoryLabelTable = std::array<CategoryLabel, kCategoryCount>;

HotspotTable MakeHotspotTable();
// Label positions made absolute on the category button at (195, 288).
CategoryLabelTable MakeCategoryLabelTable();

// The highest-numbered hotspot containing the point, or NO_HOTSPOT.
std::uint16_t HitTest(const HotspotTable& hotspots, int x, int y);

// Hotspot roles.
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

// Effect categories, in button order.
using Category = effects::EffectCategory;
using enum effects::EffectCategory;

}  // namespace marvolin::app
