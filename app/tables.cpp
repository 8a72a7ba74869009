#include "app/tables.h"

namespace marvolin::app {

HotspotTable MakeHotspotTable() {
    return resources::kHotspotPlaces;
}

CategoryLabelTable MakeCategoryLabelTable() {
    const Hotspot& button = resources::kHotspotPlaces[kCategoryHotspot];
    CategoryLabelTable labels = resources::kCategoryLabelPlaces;
    for (CategoryLabel& label : labels) {
        label.labelX += button.left;
        label.pressedX += button.left;
        label.labelY += button.top;
        label.pressedY += button.top;
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
