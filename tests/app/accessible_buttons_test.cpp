#include "app/accessible_buttons.h"

#include <gtest/gtest.h>

#include "window_fixture.h"

namespace marvolin::app {
namespace {

using platform::MessageKind;

class AccessibleButtonsTest : public WindowTest {
  protected:
    std::string Name(int index) { return host.window.buttons.at(index).name; }
};

TEST_F(AccessibleButtonsTest, EveryHotspotIsANamedButtonWithItsHelpLine) {
    ASSERT_EQ(host.window.buttons.size(), 14u);
    const char* names[] = {"Open",
                           "Save",
                           "Record",
                           "Play",
                           "Undo",
                           "Options",
                           "Exit",
                           "Category: Robots",
                           "Robots: Android",
                           "Robots: Cyborg",
                           "Robots: Electric",
                           "Robots: Machine",
                           "Robots: Vocoder",
                           "About"};
    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(Name(i), names[i]);
    }
    EXPECT_EQ(host.window.buttons[3].description, "Play sound... (Space)");
    EXPECT_EQ(host.window.buttons[9].description, "Select effect number 2...");
    EXPECT_EQ(host.window.buttons[0].area, (platform::Rect{120, 160, 241, 201}));
}

// A screen reader's press clicks the centre of a button's area: it must land on that button.
TEST_F(AccessibleButtonsTest, TheCentreOfEveryButtonHitsThatButton) {
    for (std::uint16_t i = 0; i < host.window.buttons.size(); ++i) {
        const platform::Rect area = host.window.buttons[i].area;
        EXPECT_EQ(HitTest(state().hotspots, (area.left + area.right - 1) / 2,
                          (area.top + area.bottom - 1) / 2),
                  i);
    }
}

TEST_F(AccessibleButtonsTest, NamesFollowPlayingRecordingAndTheCategory) {
    const int before = host.window.descriptions;
    Send(MessageKind::MouseMove, 5, 5);
    EXPECT_EQ(host.window.descriptions, before);  // nothing changed, nothing told

    Click(kPlayX, kPlayY);
    EXPECT_EQ(Name(kPlayHotspot), "Stop");
    FinishPlayback();
    EXPECT_EQ(Name(kPlayHotspot), "Play");

    Click(kRecordX, kRecordY);
    EXPECT_EQ(Name(kRecordHotspot), "Stop recording");
    Click(kRecordX, kRecordY);
    EXPECT_EQ(Name(kRecordHotspot), "Record");

    Click(kCategoryX, kCategoryY);
    EXPECT_EQ(Name(kCategoryHotspot), "Category: Transmissions");
    EXPECT_EQ(Name(kFirstEffectHotspot), "Transmissions: Jamming");
    EXPECT_EQ(Name(kLastEffectHotspot), "Transmissions: Interference");
}

}  // namespace
}  // namespace marvolin::app
