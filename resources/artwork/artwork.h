#pragma once

// The skin: how each piece of artwork is drawn, and all of it rendered together.

#include <QImage>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <map>

namespace marvolin::artwork {

// Everything the generator writes.
struct Artwork {
    QImage picture;                 // "marvolin.bmp", 640 x 480
    std::map<int, QImage> bitmaps;  // the bitmap resources by id
    std::map<int, QPoint> places;   // where in the window the program shows each bitmap
    QImage icon;                    // "marvolin.png"
};

// The picture and the bitmaps (no icon), at RenderScale() image pixels per panel pixel.
Artwork RenderPanelArtwork();

// Renders it all: each bitmap over a copy of the picture where the program draws it, then
// the picture with every button's normal bitmap in place. Needs LoadFonts().
Artwork RenderArtwork();

// panel.cpp: everything that never changes (backdrop, title, console, waveform screen,
// grille, ball groove, lamp rail, help well, logo).
QImage RenderPanel();

// controls.cpp: the pieces, each drawn over `image`, a copy of the panel where it goes.
enum class Glyph { kOpen, kSave, kRecord, kPlay, kUndo, kOptions, kStop };
struct ButtonLook {
    Glyph glyph;
    QString text;
    bool red;  // the Stop buttons
    bool pressed;
};
void DrawButton(QImage& image, const ButtonLook& look);    // 120 x 40
void DrawExit(QImage& image, bool pressed);                // 56 x 52
void DrawKnob(QImage& image, bool pressed);                // the category button, 120 x 120
void DrawLamp(QImage& image, bool red);                    // 17 x 17
void DrawEffectLabel(QImage& image, const QString& text);  // n x 16
// `area`: the label's place on the category button.
void DrawCategoryLabel(QImage& image, const QString& text, bool bright, const QRect& area);
QImage RenderBallIcon();         // 32 x 32, magenta but for the ball
QImage RenderAppIcon(int size);  // transparent corners

// previews.cpp: PNG previews for people.
QImage PreviewSheet(const Artwork& art);       // every bitmap with its id
QImage PreviewCategories(const Artwork& art);  // each category's labels on the button, x2
QImage PreviewAtWork(const Artwork& art);      // a trace, Stop buttons, pressed states, ball

}  // namespace marvolin::artwork
