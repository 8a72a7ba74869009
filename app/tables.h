#pragma once

#include <array>
#include <cstdint>

#include "effects/effect_categories.h"
#include "effects/effect_matrix.h"
#include "resources/panel_layout.h"

namespace marvolin::app {

inline constexpr std::uint16_t NO_HOTSPOT = 999;
inline constexpr int kHotspotCount = static_cast<int>(resources::kHotspotPlaces.size());
using effects::kCategoryCount;

using Hotspot = resources::HotspotPlace;
// A category's label places, made absolute on the category button.
using CategoryLabel = resources::CategoryLabelPlace;

using HotspotTable = std::array<Hotspot, kHotspotCount>;
using CategoryLabelTable = std::array<CategoryLabel, kCategoryCount>;
static_assert(resources::kCategoryLabelPlaces.size() == kCategoryCount);

HotspotTable MakeHotspotTable();
// Label positions made absolute on the category button.
CategoryLabelTable MakeCategoryLabelTable();

// The highest-numbered hotspot containing the point, or NO_HOTSPOT.
std::uint16_t HitTest(const HotspotTable& hotspots, int x, int y);

// Hotspot roles.
using HotspotIndex = resources::HotspotIndex;
using enum resources::HotspotIndex;

// Effect categories, in button order.
using Category = effects::EffectCategory;
using enum effects::EffectCategory;

}  // namespace marvolin::app
