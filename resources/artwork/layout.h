#pragma once

// Where the program draws each piece of artwork, the resource ids, the names on the labels
// and the skin's palette. The hotspots themselves come from app/tables.cpp.

#include <QColor>
#include <QPointF>
#include <QRect>

#include "app/tables.h"
#include "resources/bitmap_resources.h"

namespace marvolin::artwork {

inline constexpr int kWidth = 640;
inline constexpr int kHeight = 480;

// Where the program puts things (see app/tables.cpp for the hotspots).
inline const QRect kTraceArea(118, 65, 395, 81);  // x 118..512, y 65..145: every pixel has blue
inline const QRect kHelpArea(20, 430, 280, 40);   // filled black by the program
inline const QRect kLogoArea(482, 441, 150, 31);
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
inline const EffectSlot kEffectSlots[5] = {
    {{295, 281, 17, 17}, {326, 280, 115, 16}}, {{318, 309, 17, 17}, {347, 309, 100, 16}},
    {{327, 340, 17, 17}, {355, 341, 130, 16}}, {{322, 374, 17, 17}, {349, 375, 120, 16}},
    {{296, 402, 17, 17}, {326, 403, 140, 16}},
};

inline const char* const kCategoryNames[app::kCategoryCount] = {
    "Acoustics", "Aliens", "Delirium", "Echoes", "Filters", "Robots", "Transmissions", "Volumes",
};
inline const char* const kEffectNames[app::kCategoryCount][5] = {
    {"Airport", "Cathedral", "Bedroom", "Bathroom", "Tunnel"},
    {"Creature", "E.T.", "Martian", "Monster", "Reverse"},
    {"Stammering", "Hoarse", "Sick", "Shaked", "Under Water"},
    {"Speed Up", "Classic", "Reverse", "Mountains", "Slow Down"},
    {"Opening", "Closing", "Low-pass", "High-pass", "Resonant"},
    {"Android", "Cyborg", "Electric", "Machine", "Vocoder"},
    {"Jamming", "Flanger", "Cut-Up", "Mix-Up", "Interference"},
    {"Fade-in", "Fade-out", "Bell Curve", "Percussive", "Tremolos"},
};

inline constexpr int kShownCategory = app::kRobots;  // the category the picture shows
inline constexpr int kStopBright = 171;              // over Play while a sound plays
inline constexpr int kStopPressed = 170;
inline constexpr int kStopRecording = 173;                          // over Record while recording
inline constexpr int kProgressBall = resources::kProgressBallIcon;  // 119
inline constexpr int kAboutLogo = 123;

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
