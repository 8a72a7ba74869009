#include "app/tables.h"

namespace marvolin::app {

HotspotTable MakeHotspotTable() {
    return {{
        {120, 160, 120, 40, 107, 108},   // Open
        {260, 160, 120, 40, 117, 110},   // Save
        {400, 160, 120, 40, 113, 114},   // Record / stop recording
        {120, 210, 120, 40, 111, 112},   // Play / stop playback
        {260, 210, 120, 40, 109, 118},   // Undo
        {400, 210, 120, 40, 115, 116},   // Options
        {471, 363, 56, 52, 106, 105},    // Exit
        {195, 288, 120, 120, 152, 153},  // Category button
        {295, 281, 147, 20, 129, 128},   // Effect 1
        {318, 309, 125, 20, 137, 131},   // Effect 2
        {327, 340, 240, 20, 132, 133},   // Effect 3
        {322, 374, 144, 20, 134, 135},   // Effect 4
        {296, 402, 176, 20, 136, 130},   // Effect 5
        {482, 441, 150, 31, 0, 0},       // About box (the logo)
    }};
}

CategoryLabelTable MakeCategoryLabelTable() {
    CategoryLabelTable labels = {{
        {22, 52, 71, 15, 28, 53, 162, 155},   // Acoustics
        {34, 51, 46, 15, 40, 53, 156, 157},   // Aliens
        {29, 52, 60, 15, 33, 54, 158, 159},   // Delirium
        {33, 51, 52, 15, 38, 53, 160, 161},   // Echoes
        {37, 51, 45, 15, 41, 53, 154, 163},   // Filters
        {33, 51, 50, 15, 37, 53, 164, 165},   // Robots
        {10, 51, 100, 15, 14, 53, 177, 175},  // Transmissions
        {28, 51, 60, 15, 32, 53, 176, 174},   // Volumes
    }};
    for (CategoryLabel& label : labels) {
        label.labelX += 195;
        label.pressedX += 195;
        label.labelY += 288;
        label.pressedY += 288;
    }
    return labels;
}

std::uint16_t HitTest(const HotspotTable& hotspots, int x, int y) {
    std::uint16_t found = NO_HOTSPOT;
    for (std::uint16_t i = 0; i < hotspots.size(); ++i) {
        const Hotspot& h = hotspots[i];
        if (x >= h.left && x <= h.left + h.width && y >= h.top && y <= h.top + h.height) {
            found = i;
        }
    }
    return found;
}

}  // namespace marvolin::app
