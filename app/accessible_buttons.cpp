#include "app/accessible_buttons.h"

#include "app/keyboard_shortcuts.h"
#include "effects/effect_matrix.h"
#include "resources/string_table.h"

namespace marvolin::app {
namespace {

std::string CategoryName(std::uint16_t category) {
    const auto effect = effects::FindEffect(category, kFirstEffectHotspot);
    return effect ? std::string(effect->categoryName) : std::string();
}

}  // namespace

std::string ButtonName(const MainWindowState& state, std::uint16_t index) {
    switch (index) {
        case kOpenHotspot:
            return "Open";
        case kSaveHotspot:
            return "Save";
        case kRecordHotspot:
            return state.recording() ? "Stop recording" : "Record";
        case kPlayHotspot:
            return state.playing() ? "Stop" : "Play";
        case kUndoHotspot:
            return "Undo";
        case kOptionsHotspot:
            return "Options";
        case kExitHotspot:
            return "Exit";
        case kCategoryHotspot:
            return "Category: " + CategoryName(state.category);
        case kAboutHotspot:
            return "About";
        default:
            break;
    }
    const auto effect = effects::FindEffect(state.category, index);
    if (!effect) {
        return {};
    }
    return std::string(effect->categoryName) + ": " + std::string(effect->effectName);
}

std::vector<platform::AccessibleButton> AccessibleButtons(const MainWindowState& state) {
    std::vector<platform::AccessibleButton> buttons;
    buttons.reserve(state.hotspots.size());
    for (std::uint16_t index = 0; index < state.hotspots.size(); ++index) {
        const Hotspot& hotspot = state.hotspots[index];
        // Both edges of a hotspot are inside it.
        const platform::Rect area{hotspot.left, hotspot.top, hotspot.left + hotspot.width + 1,
                                  hotspot.top + hotspot.height + 1};
        std::string description(resources::LoadString(resources::kFirstHelpLine + index));
        description += ShortcutSuffix(index);
        buttons.push_back({area, ButtonName(state, index), std::move(description)});
    }
    return buttons;
}

}  // namespace marvolin::app
