#pragma once

// The panel layout (resources/panel_layout.h) as Qt rectangles for drawing, where the artwork
// alone decides things (the ball's track, the dome), the names on the labels and the skin's
// palette.

#include <QColor>
#include <QPointF>
#include <QRect>

#include <QString>
#include <string_view>

#include "app/tables.h"
#include "effects/effect_matrix.h"
#include "resources/bitmap_resources.h"
#include "resources/panel_layout.h"

namespace marvolin::artwork {

inline constexpr int kWidth = resources::kPanelWidth;
inline constexpr int kHeight = resources::kPanelHeight;

// Where the program puts things. The trace's screen: x 118..512, y 65..145, every pixel has
// blue.
inline const QRect kTraceArea(resources::kTraceLeft, 65,
                              resources::kTraceRight - resources::kTraceLeft + 1, 81);
// Filled black by the program.
inline const QRect kHelpArea(resources::kHelpLeft, resources::kHelpTop,
                             resources::kHelpRight - resources::kHelpLeft,
                             resources::kHelpBottom - resources::kHelpTop);
inline const QRect kLogoArea(resources::kHotspotPlaces[resources::kAboutHotspot].left,
                             resources::kHotspotPlaces[resources::kAboutHotspot].top,
                             resources::kHotspotPlaces[resources::kAboutHotspot].width,
                             resources::kHotspotPlaces[resources::kAboutHotspot].height);
inline const QPointF kTrackCentre(260.5, 348.5);  // centre of the progress ball's path (its middle)
inline constexpr double kTrackRadiusX = 70;
inline constexpr double kTrackRadiusY = 66;
inline constexpr int kBallSize = 11;
inline const QPointF kKnobFaceCentre(60, 60);  // the category button's dome, in the button
inline constexpr double kKnobFace = 50.5;

// The five effect labels beside the lamps, and the lamps' bitmaps.
struct EffectSlot {
    QRect lamp;
    QRect label;
};
inline EffectSlot EffectSlotAt(int effect) {
    const resources::HotspotPlace& lamp =
        resources::kHotspotPlaces[resources::kFirstEffectHotspot + effect];
    const resources::EffectLabelPlace& label = resources::kEffectLabelPlaces[effect];
    return {{lamp.left, lamp.top, resources::kLampSize, resources::kLampSize},
            {label.x, label.y, label.width, resources::kEffectLabelHeight}};
}
inline const EffectSlot kEffectSlots[5] = {EffectSlotAt(0), EffectSlotAt(1), EffectSlotAt(2),
                                           EffectSlotAt(3), EffectSlotAt(4)};

// The names on the labels are the effect matrix's.
inline QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
inline QString CategoryName(int category) {
    return Latin1(effects::EffectMatrix()[category * effects::kEffectsPerCategory].categoryName);
}
inline QString EffectName(int category, int effect) {
    return Latin1(
        effects::EffectMatrix()[category * effects::kEffectsPerCategory + effect].effectName);
}

inline constexpr int kShownCategory = app::kRobots;  // the category the picture shows
inline constexpr int kStopBright = resources::kStopBitmap;
inline constexpr int kStopPressed = resources::kStopPressedBitmap;
inline constexpr int kStopRecording = resources::kStopRecordingBitmap;
inline constexpr int kProgressBall = resources::kProgressBallIcon;
inline constexpr int kAboutLogo = resources::kAboutLogoBitmap;

// The palette.
inline const QColor kInk(0xEA, 0xF0, 0xFA);
inline const QColor kInkDim(0x86, 0x92, 0xA8);
inline const QColor kAccent(0x5F, 0xD3, 0xF3);
inline const QColor kConsole(0x22, 0x29, 0x38);
inline const QColor kGroove(0x0B, 0x0E, 0x15);

inline QRect ToRect(const app::Hotspot& h) {
    return {h.left, h.top, h.width, h.height};
}

}  // namespace marvolin::artwork
