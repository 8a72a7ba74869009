#include "resources/artwork/artwork.h"

#include <functional>

#include "resources/artwork/layout.h"
#include "resources/artwork/paint_kit.h"

namespace marvolin::artwork {
namespace {

// A copy of `area` of `backdrop` with something drawn over it.
QImage Over(const QImage& backdrop, const QRect& area, const std::function<void(QImage&)>& draw) {
    QImage image = Crop(backdrop, area);
    draw(image);
    return image;
}

}  // namespace

Artwork RenderArtwork() {
    Artwork art = RenderPanelArtwork();
    art.icon = RenderAppIcon(256);
    return art;
}

Artwork RenderPanelArtwork() {
    Artwork art;
    const app::HotspotTable hotspots = app::MakeHotspotTable();
    const app::CategoryLabelTable labels = app::MakeCategoryLabelTable();

    QImage stage = RenderPanel();
    art.bitmaps[kAboutLogo] = Crop(stage, kLogoArea);

    // Lamps first: the category button's corners hold parts of lamps 1 and 5.
    for (int e = 0; e < 5; ++e) {
        const app::Hotspot& h = hotspots[app::kFirstEffectHotspot + e];
        const QRect area(h.left, h.top, 17, 17);
        art.bitmaps[h.normalBitmap] = Over(stage, area, [](QImage& i) { DrawLamp(i, false); });
        art.bitmaps[h.pressedBitmap] = Over(stage, area, [](QImage& i) { DrawLamp(i, true); });
    }
    for (int e = 0; e < 5; ++e) {
        const app::Hotspot& h = hotspots[app::kFirstEffectHotspot + e];
        Blit(stage, {h.left, h.top}, art.bitmaps[h.normalBitmap]);
    }

    // Effect labels beside the lamps.
    for (int c = 0; c < app::kCategoryCount; ++c) {
        for (int e = 0; e < 5; ++e) {
            const QString name = EffectName(c, e);
            art.bitmaps[resources::EffectLabelBitmap(c, e)] =
                Over(stage, kEffectSlots[e].label, [&](QImage& i) { DrawEffectLabel(i, name); });
        }
    }

    // The category button and its labels.
    const app::Hotspot& knob = hotspots[app::kCategoryHotspot];
    const QRect knobArea = ToRect(knob);
    const QImage raised = Over(stage, knobArea, [](QImage& i) { DrawKnob(i, false); });
    const QImage pressed = Over(stage, knobArea, [](QImage& i) { DrawKnob(i, true); });
    art.bitmaps[knob.normalBitmap] = raised;
    art.bitmaps[knob.pressedBitmap] = pressed;
    for (int c = 0; c < app::kCategoryCount; ++c) {
        const app::CategoryLabel& l = labels[c];
        const QString name = CategoryName(c);
        const QRect bright(l.labelX - knob.left, l.labelY - knob.top, l.labelWidth, l.labelHeight);
        const QRect dim(l.pressedX - knob.left, l.pressedY - knob.top, l.labelWidth, l.labelHeight);
        art.bitmaps[l.brightBitmap] =
            Over(raised, bright, [&](QImage& i) { DrawCategoryLabel(i, name, true, bright); });
        art.bitmaps[l.dimBitmap] =
            Over(pressed, dim, [&](QImage& i) { DrawCategoryLabel(i, name, false, dim); });
    }

    // The six buttons and the Stop buttons.
    struct ButtonLayout {
        int hotspot;
        Glyph glyph;
        const char* text;
    };
    const ButtonLayout buttons[] = {
        {app::kOpenHotspot, Glyph::kOpen, "Open"},
        {app::kSaveHotspot, Glyph::kSave, "Save"},
        {app::kRecordHotspot, Glyph::kRecord, "Record"},
        {app::kPlayHotspot, Glyph::kPlay, "Play"},
        {app::kUndoHotspot, Glyph::kUndo, "Undo"},
        {app::kOptionsHotspot, Glyph::kOptions, "Options"},
    };
    for (const ButtonLayout& b : buttons) {
        const app::Hotspot& h = hotspots[b.hotspot];
        const QString text = QString::fromLatin1(b.text);
        art.bitmaps[h.normalBitmap] = Over(stage, ToRect(h), [&](QImage& i) {
            DrawButton(i, {b.glyph, text, false, false});
        });
        art.bitmaps[h.pressedBitmap] = Over(stage, ToRect(h), [&](QImage& i) {
            DrawButton(i, {b.glyph, text, false, true});
        });
    }
    const QRect play = ToRect(hotspots[app::kPlayHotspot]);
    const QRect record = ToRect(hotspots[app::kRecordHotspot]);
    const QString stop = QStringLiteral("Stop");
    art.bitmaps[kStopBright] = Over(stage, play, [&](QImage& i) {
        DrawButton(i, {Glyph::kStop, stop, true, false});
    });
    art.bitmaps[kStopPressed] = Over(stage, play, [&](QImage& i) {
        DrawButton(i, {Glyph::kStop, stop, true, true});
    });
    art.bitmaps[kStopRecording] = Over(stage, record, [&](QImage& i) {
        DrawButton(i, {Glyph::kStop, stop, true, false});
    });

    const app::Hotspot& exit = hotspots[app::kExitHotspot];
    art.bitmaps[exit.normalBitmap] =
        Over(stage, ToRect(exit), [](QImage& i) { DrawExit(i, false); });
    art.bitmaps[exit.pressedBitmap] =
        Over(stage, ToRect(exit), [](QImage& i) { DrawExit(i, true); });

    art.bitmaps[kProgressBall] = RenderBallIcon();

    // The picture: the stage with every button in its normal state, the Robots labels.
    for (int i = 0; i < app::kHotspotCount; ++i) {
        const app::Hotspot& h = hotspots[i];
        if (h.normalBitmap != 0) {
            Blit(stage, {h.left, h.top}, art.bitmaps[h.normalBitmap]);
        }
    }
    const app::CategoryLabel& shown = labels[kShownCategory];
    Blit(stage, {shown.labelX, shown.labelY}, art.bitmaps[shown.brightBitmap]);
    for (int e = 0; e < 5; ++e) {
        Blit(stage, kEffectSlots[e].label.topLeft(),
             art.bitmaps[resources::EffectLabelBitmap(kShownCategory, e)]);
    }
    art.picture = stage.convertToFormat(QImage::Format_RGB32);

    // Where the program puts them: the buttons at their hotspots, the labels in their slots.
    art.places[kAboutLogo] = kLogoArea.topLeft();
    for (int i = 0; i < app::kHotspotCount; ++i) {
        const app::Hotspot& h = hotspots[i];
        for (const int id : {h.normalBitmap, h.pressedBitmap}) {
            if (id != 0 && art.bitmaps.count(id) != 0) {
                art.places[id] = {h.left, h.top};
            }
        }
    }
    art.places[kStopBright] = play.topLeft();
    art.places[kStopPressed] = play.topLeft();
    art.places[kStopRecording] = record.topLeft();
    for (int c = 0; c < app::kCategoryCount; ++c) {
        const app::CategoryLabel& l = labels[c];
        art.places[l.brightBitmap] = {l.labelX, l.labelY};
        art.places[l.dimBitmap] = {l.pressedX, l.pressedY};
        for (int e = 0; e < 5; ++e) {
            art.places[resources::EffectLabelBitmap(c, e)] = kEffectSlots[e].label.topLeft();
        }
    }
    return art;
}

}  // namespace marvolin::artwork
