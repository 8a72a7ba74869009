#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "effects/effect_context.h"

namespace marvolin::effects {

inline constexpr std::uint16_t kCategoryCount = 8;
inline constexpr std::uint16_t kEffectsPerCategory = 5;
inline constexpr std::uint16_t kFirstEffectButton = 8;  // the hotspot of the first effect button
inline constexpr std::uint16_t kEffectCount = kCategoryCount * kEffectsPerCategory;

// One of the 40 effects: where its button is, its names, and the routines it runs in order.
struct EffectEntry {
    std::uint16_t category;             // 0..7
    std::uint16_t clickedEffectButton;  // the button's hotspot, 8..12
    std::string_view categoryName;
    std::string_view effectName;
    std::span<const Routine> routines;               // one to three, pointing into the fixed table
    std::span<const std::string_view> routineNames;  // each routine as its recipe names it

    // "Category/Name", as the command line spells an effect.
    std::string FullName() const;
};

// All 40 effects by category, then by button.
std::span<const EffectEntry> EffectMatrix();

// nullopt when the category or the button is out of range.
std::optional<EffectEntry> FindEffect(std::uint16_t category, std::uint16_t clickedEffectButton);

// Looks up "Category/Name" ignoring ASCII case; nullopt for anything else.
std::optional<EffectEntry> FindEffectByName(std::string_view fullName);

}  // namespace marvolin::effects
