// PNG previews of the artwork, for people (generate_artwork --preview <folder>).

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

#include "resources/artwork/artwork.h"
#include "resources/artwork/layout.h"
#include "resources/artwork/paint_kit.h"

namespace marvolin::artwork {
// ---------------------------------------------------------------------------------------
// Previews for people: the picture, every bitmap on one sheet, the program at work.

QImage PreviewSheet(const Artwork& art) {
    const int columns = 6;
    const int cellWidth = 150;
    std::vector<std::pair<int, const QImage*>> items;
    for (const auto& [id, image] : art.bitmaps) {
        items.emplace_back(id, &image);
    }
    std::vector<int> rowTops{0};
    for (std::size_t i = 0; i < items.size(); i += columns) {
        int tallest = 0;
        for (std::size_t j = i; j < std::min(items.size(), i + columns); ++j) {
            tallest = std::max(tallest, items[j].second->height());
        }
        rowTops.push_back(rowTops.back() + tallest + 24);
    }
    QImage sheet = NewImage(columns * cellWidth, rowTops.back(), QColor(0x80, 0x80, 0x88));
    QPainter p(&sheet);
    p.setFont(Font(11, false));
    for (std::size_t i = 0; i < items.size(); ++i) {
        const int x = static_cast<int>(i % columns) * cellWidth + 6;
        const int y = rowTops[i / columns] + 4;
        p.setPen(Qt::black);
        p.drawText(x, y + 11, QString::number(items[i].first));
        p.drawImage(x, y + 16, *items[i].second);
    }
    return sheet;
}

// Each category's labels on the raised and on the pressed button, enlarged twice.
QImage PreviewCategories(const Artwork& art) {
    const app::HotspotTable hotspots = app::MakeHotspotTable();
    const app::CategoryLabelTable labels = app::MakeCategoryLabelTable();
    const app::Hotspot& knob = hotspots[app::kCategoryHotspot];
    QImage sheet = NewImage(4 * 250, 2 * 130, QColor(0x80, 0x80, 0x88));
    for (int c = 0; c < app::kCategoryCount; ++c) {
        const app::CategoryLabel& l = labels[c];
        QImage raised = art.bitmaps.at(knob.normalBitmap);
        QImage pressed = art.bitmaps.at(knob.pressedBitmap);
        Blit(raised, {l.labelX - knob.left, l.labelY - knob.top}, art.bitmaps.at(l.brightBitmap));
        Blit(pressed, {l.pressedX - knob.left, l.pressedY - knob.top}, art.bitmaps.at(l.dimBitmap));
        const QPoint at((c % 4) * 250, (c / 4) * 130);
        Blit(sheet, at + QPoint(4, 5), raised);
        Blit(sheet, at + QPoint(126, 5), pressed);
    }
    return sheet.scaled(sheet.size() * 2);
}

QImage PreviewAtWork(const Artwork& art) {
    const app::HotspotTable hotspots = app::MakeHotspotTable();
    const app::CategoryLabelTable labels = app::MakeCategoryLabelTable();
    QImage image = art.picture.convertToFormat(QImage::Format_RGB32);
    auto put = [&](QPoint at, int id) { Blit(image, at, art.bitmaps.at(id)); };
    // A sound's trace, drawn the program's way: blue b becomes (255, b / 2, b / 2).
    for (int x = kTraceArea.left(); x <= kTraceArea.right(); ++x) {
        const double t = (x - kTraceArea.left()) / double(kTraceArea.width());
        const double amplitude = 38 * std::abs(std::sin(t * 19) * std::sin(t * 3.3 + 0.4)) *
                                 (0.35 + 0.65 * t * (1 - t) * 4);
        for (int y = 105 - int(amplitude); y <= 105 + int(amplitude * 0.9); ++y) {
            const int b = qBlue(image.pixel(x, y));
            if (b > 0) {
                image.setPixel(x, y, qRgb(255, b / 2, b / 2));
            }
        }
    }
    put({hotspots[app::kPlayHotspot].left, hotspots[app::kPlayHotspot].top}, kStopBright);
    put({hotspots[app::kRecordHotspot].left, hotspots[app::kRecordHotspot].top}, kStopRecording);
    put({hotspots[app::kOpenHotspot].left, hotspots[app::kOpenHotspot].top}, 108);
    put({hotspots[app::kExitHotspot].left, hotspots[app::kExitHotspot].top}, 105);
    const app::Hotspot& knob = hotspots[app::kCategoryHotspot];
    put({knob.left, knob.top}, knob.pressedBitmap);
    const app::CategoryLabel& l = labels[app::kTransmissions];
    put({l.pressedX, l.pressedY}, l.dimBitmap);
    for (int e = 0; e < 5; ++e) {
        put(kEffectSlots[e].label.topLeft(),
            resources::kFirstEffectLabel + 5 * app::kTransmissions + e);
    }
    put({hotspots[app::kFirstEffectHotspot + 2].left, hotspots[app::kFirstEffectHotspot + 2].top},
        hotspots[app::kFirstEffectHotspot + 2].pressedBitmap);
    // The progress ball at 0, 35 and 100 %, drawn through its magenta mask.
    const QImage& ball = art.bitmaps.at(kProgressBall);
    for (double percent : {0.0, 35.0, 100.0}) {
        const double angle = percent / 100.0 * 170.0 * M_PI / 180.0;
        const int x = static_cast<int>(255 - 70 * std::sin(angle));
        const int y = static_cast<int>(343 + 66 * std::cos(angle));
        for (int j = 0; j < 32; ++j) {
            for (int i = 0; i < 32; ++i) {
                if ((ball.pixel(i, j) & 0xFFFFFF) != 0xFF00FF) {
                    image.setPixel(x + i, y + j, ball.pixel(i, j));
                }
            }
        }
    }
    QPainter p(&image);
    p.fillRect(QRect(20, 430, 90, 16), Qt::red);
    p.setPen(Qt::black);
    p.setFont(Font(13, false));
    p.drawText(22, 443, QStringLiteral("RECORDING"));
    p.setPen(Qt::white);
    p.drawText(22, 463, QStringLiteral("Plays the sound"));
    return image;
}
}  // namespace marvolin::artwork
