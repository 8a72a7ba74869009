#include "app/tables.h"

#include <gtest/gtest.h>

namespace marvolin::app {
namespace {

TEST(TablesTest, HitTestIncludesBothEdgesAndTheHighestIndexWins) {
    const HotspotTable hotspots = MakeHotspotTable();
    EXPECT_EQ(HitTest(hotspots, 120, 160), kOpenHotspot);
    EXPECT_EQ(HitTest(hotspots, 240, 200), kOpenHotspot);  // right and bottom edges are inside
    EXPECT_EQ(HitTest(hotspots, 241, 200), NO_HOTSPOT);
    EXPECT_EQ(HitTest(hotspots, 119, 160), NO_HOTSPOT);
    EXPECT_EQ(HitTest(hotspots, 527, 415), kExitHotspot);
    // Corners shared by the category button and effect buttons 1 and 5.
    EXPECT_EQ(HitTest(hotspots, 300, 290), kFirstEffectHotspot);
    EXPECT_EQ(HitTest(hotspots, 300, 405), kLastEffectHotspot);
    EXPECT_EQ(HitTest(hotspots, 250, 350), kCategoryHotspot);
    EXPECT_EQ(HitTest(hotspots, 632, 472), kAboutHotspot);
    EXPECT_EQ(HitTest(hotspots, 0, 0), NO_HOTSPOT);
    EXPECT_EQ(HitTest(hotspots, 65535, 65535), NO_HOTSPOT);
}

TEST(TablesTest, CategoryLabelsSitOnTheCategoryButton) {
    const CategoryLabelTable labels = MakeCategoryLabelTable();
    EXPECT_EQ(labels[kAcoustics].labelX, 217);
    EXPECT_EQ(labels[kAcoustics].labelY, 340);
    EXPECT_EQ(labels[kAcoustics].pressedX, 223);
    EXPECT_EQ(labels[kAcoustics].pressedY, 341);
    EXPECT_EQ(labels[kTransmissions].labelWidth, 100);
    EXPECT_EQ(labels[kVolumes].brightBitmap, 176);
    EXPECT_EQ(labels[kVolumes].dimBitmap, 174);
    for (const CategoryLabel& label : labels) {
        EXPECT_EQ(label.labelHeight, 15);
        EXPECT_GE(label.labelX, 195);
        EXPECT_LE(label.labelX + label.labelWidth, 195 + 120);
    }
}

}  // namespace
}  // namespace marvolin::app
