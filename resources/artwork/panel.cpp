// The panel: backdrop, title, console, waveform screen, grille, ball groove, lamp rail,
// help well and logo.

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <vector>

#include "resources/artwork/artwork.h"
#include "resources/artwork/layout.h"
#include "resources/artwork/paint_kit.h"

namespace marvolin::artwork {
namespace {

// A deterministic pseudo-random sequence for the panel's grain.
class Grain {
  public:
    int Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<int>((state_ >> 24) % 5) - 2;
    }

  private:
    std::uint32_t state_ = 20240601u;
};

void DrawBackdrop(QImage& image) {
    {
        QPainter p(&image);
        QLinearGradient base(0, 0, 0, kHeight);
        base.setColorAt(0, QColor(0x2C, 0x33, 0x46));
        base.setColorAt(0.45, QColor(0x1E, 0x24, 0x32));
        base.setColorAt(1, QColor(0x12, 0x15, 0x1D));
        p.fillRect(image.rect(), base);
        QRadialGradient light(QPointF(320, -60), 460);
        light.setColorAt(0, QColor(110, 160, 255, 46));
        light.setColorAt(1, QColor(110, 160, 255, 0));
        p.fillRect(image.rect(), light);
    }
    // A faint grain, so the dark gradients show no bands.
    Grain grain;
    for (int y = 0; y < image.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int d = grain.Next();
            row[x] =
                qRgb(std::clamp(qRed(row[x]) + d, 0, 255), std::clamp(qGreen(row[x]) + d, 0, 255),
                     std::clamp(qBlue(row[x]) + d, 0, 255));
        }
    }
    // A bevelled edge round the window.
    QPainter p(&image);
    p.setPen(QColor(0x55, 0x60, 0x7A));
    p.drawLine(0, 0, kWidth - 1, 0);
    p.drawLine(0, 0, 0, kHeight - 1);
    p.setPen(QColor(0x06, 0x07, 0x0A));
    p.drawLine(0, kHeight - 1, kWidth - 1, kHeight - 1);
    p.drawLine(kWidth - 1, 0, kWidth - 1, kHeight - 1);
    p.setPen(QColor(0x0C, 0x0E, 0x14));
    p.drawRect(1, 1, kWidth - 3, kHeight - 3);
}

// A damped wave beside the title, growing towards it.
QPainterPath TitleWave(double fromX, double toX, double y, bool growsRight) {
    QPainterPath path;
    const int steps = 160;
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        const double x = fromX + (toX - fromX) * t;
        const double envelope = std::pow(growsRight ? t : 1.0 - t, 1.6);
        const double phase = (x - 320.0) * 0.32;
        const double value = y - 10.0 * envelope * std::sin(phase) * std::cos(phase * 0.23);
        if (i == 0) {
            path.moveTo(x, value);
        } else {
            path.lineTo(x, value);
        }
    }
    return path;
}

void DrawTitle(QPainter& p) {
    const QFont font = Font(36, true);
    const QString title = QStringLiteral("Marvolin");
    const double width = TextWidth(title, font);
    const QPainterPath text = TextPath(title, font, QPointF(320 - width / 2, 43));
    SoftShape(p, text, QColor(80, 190, 255, 150), 7);
    QLinearGradient fill(0, 14, 0, 44);
    fill.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
    fill.setColorAt(0.55, QColor(0xB4, 0xE6, 0xFF));
    fill.setColorAt(1, QColor(0x86, 0x93, 0xFF));
    FillWithShadow(p, text, fill, QColor(0, 0, 0, 170), {0, 2});

    const double gap = 14;
    for (bool left : {true, false}) {
        const double inner = left ? 320 - width / 2 - gap : 320 + width / 2 + gap;
        const double outer = left ? 118 : 522;
        QLinearGradient fade(outer, 0, inner, 0);
        fade.setColorAt(0, QColor(95, 211, 243, 0));
        fade.setColorAt(1, QColor(95, 211, 243, 220));
        const QPainterPath wave =
            left ? TitleWave(outer, inner, 30, true) : TitleWave(inner, outer, 30, false);
        p.strokePath(wave, QPen(QBrush(fade), 1.6, Qt::SolidLine, Qt::RoundCap));
    }
}

// The raised console holding the waveform screen and the six buttons. Its face is one flat
// colour under the buttons, so any button bitmap fits any button place.
void DrawConsole(QPainter& p) {
    const QRectF body(104.5, 54.5, 431, 207);
    SoftShape(p, RoundedRect(body.translated(0, 3), 14), QColor(0, 0, 0, 190), 6);
    p.fillPath(RoundedRect(body, 14), kConsole);
    QLinearGradient rim(0, body.top(), 0, body.bottom());
    rim.setColorAt(0, QColor(0x5A, 0x66, 0x82));
    rim.setColorAt(0.15, QColor(0x34, 0x3D, 0x52));
    rim.setColorAt(1, QColor(0x0A, 0x0C, 0x11));
    p.strokePath(RoundedRect(body, 14), QPen(QBrush(rim), 1.2));

    // The screen's recess.
    const QRectF recess(111.5, 58.5, 408, 94);
    QLinearGradient lip(0, recess.top(), 0, recess.bottom());
    lip.setColorAt(0, QColor(0x05, 0x06, 0x0A));
    lip.setColorAt(1, QColor(0x4A, 0x55, 0x6E));
    p.fillPath(RoundedRect(recess.adjusted(-1, -1, 1, 1), 8), lip);
    p.fillPath(RoundedRect(recess, 7), QColor(0x07, 0x09, 0x0F));
}

// The waveform screen: a deep blue gradient whose pixels all have blue, brightest along the
// middle line, with a faint grid. The program turns blue b into (255, b / 2, b / 2) along
// the sound's trace: a red trace, turning coral near the middle.
void DrawScreen(QImage& image) {
    const QRect area = kTraceArea;
    const double middle = area.top() + (area.height() - 1) / 2.0;  // 105
    const double halfHeight = (area.height() - 1) / 2.0;
    const double centreX = area.left() + (area.width() - 1) / 2.0;  // 315
    // The gradient and the rim's shade follow each image pixel's own middle, in panel pixels
    // (at scale 1 exactly the panel pixel); the grid's lines and dots keep whole panel pixels.
    const double scale = image.devicePixelRatio();
    const auto first = [&](int panel) { return static_cast<int>(std::lround(panel * scale)); };
    const auto panelPixel = [&](int imagePixel) {
        return static_cast<int>(std::floor((imagePixel + 0.5) / scale));
    };
    const auto middleOf = [&](int imagePixel, int panel) {
        // Within the panel pixel, so that the shade never leaves the rim's range.
        return std::clamp((imagePixel + 0.5) / scale - 0.5, panel - 0.5, panel + 0.5);
    };
    for (int row_y = first(area.top()); row_y < first(area.bottom() + 1); ++row_y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(row_y));
        const int y = panelPixel(row_y);
        const double fy = middleOf(row_y, y);
        const double t = (fy - middle) / halfHeight;
        const double vertical = std::max(0.0, 1.0 - t * t);
        for (int column = first(area.left()); column < first(area.right() + 1); ++column) {
            const int x = panelPixel(column);
            const double fx = middleOf(column, x);
            const double u = (fx - centreX) / (area.width() / 2.0);
            double blue = (58 + 92 * std::pow(vertical, 1.3)) * (1.0 - 0.18 * u * u);
            double green = blue * 0.30;
            double red = blue * 0.08;
            // Grid lines every 20 pixels from the middle, and a brighter middle line.
            const int dx = std::abs(x - static_cast<int>(centreX));
            const int dy = std::abs(y - static_cast<int>(middle));
            if (dy == 0) {
                blue += 40;
                green += 30;
                red += 8;
            } else if (dx % 40 == 0 || dy % 20 == 0) {
                blue += 20;
                green += 13;
                red += 4;
            } else if (dx % 8 == 0 && dy % 4 == 0) {
                blue += 14;
                green += 9;
            }
            // Shade the rim, as if the glass sat below the frame.
            const double edge = std::max(0.0, std::min({fx - area.left(), area.right() - fx,
                                                        fy - area.top(), area.bottom() - fy}));
            if (edge < 5) {
                const double shade = 0.62 + 0.076 * edge;
                blue *= shade;
                green *= shade;
                red *= shade;
            }
            row[column] = qRgb(static_cast<int>(red), static_cast<int>(green),
                               std::clamp(static_cast<int>(blue), 1, 255));
        }
    }
    // A faint reflection over the upper glass (adds a little to every channel, keeps blue).
    QPainter p(&image);
    Antialias(p);
    QPainterPath sheen;
    sheen.moveTo(area.left(), area.top());
    sheen.lineTo(area.left() + 170, area.top());
    sheen.cubicTo(area.left() + 120, area.top() + 30, area.left() + 60, area.top() + 34,
                  area.left(), area.top() + 36);
    sheen.closeSubpath();
    QLinearGradient glass(0, area.top(), 0, area.top() + 36);
    glass.setColorAt(0, QColor(170, 210, 255, 34));
    glass.setColorAt(1, QColor(170, 210, 255, 0));
    p.setClipRect(area);
    p.fillPath(sheen, glass);
}

// A round speaker grille left of the category button.
void DrawGrille(QPainter& p) {
    const QPointF centre(96, 344);
    const double radius = 64;
    SoftShape(p, Circle(centre + QPointF(0, 2), radius + 1), QColor(0, 0, 0, 170), 4);
    QConicalGradient metal(centre, 120);
    metal.setColorAt(0, QColor(0x9A, 0xA4, 0xB8));
    metal.setColorAt(0.25, QColor(0x3E, 0x46, 0x58));
    metal.setColorAt(0.5, QColor(0x8C, 0x96, 0xAA));
    metal.setColorAt(0.75, QColor(0x36, 0x3D, 0x4D));
    metal.setColorAt(1, QColor(0x9A, 0xA4, 0xB8));
    p.fillPath(Circle(centre, radius), metal);
    QRadialGradient plate(centre + QPointF(-18, -22), radius * 1.3);
    plate.setColorAt(0, QColor(0x3A, 0x43, 0x57));
    plate.setColorAt(1, QColor(0x1A, 0x1F, 0x2A));
    p.fillPath(Circle(centre, radius - 4), plate);
    // Holes in a hexagonal pattern.
    const double step = 9;
    for (int row = -7; row <= 7; ++row) {
        const double y = centre.y() + row * step * 0.866;
        const double offset = (row % 2 != 0) ? step / 2 : 0;
        for (int column = -8; column <= 8; ++column) {
            const double x = centre.x() + column * step + offset;
            const double distance = std::hypot(x - centre.x(), y - centre.y());
            if (distance > radius - 10) {
                continue;
            }
            p.fillPath(Circle({x, y + 0.7}, 2.7), QColor(0x55, 0x60, 0x78, 150));
            p.fillPath(Circle({x, y}, 2.7), QColor(0x05, 0x06, 0x09));
        }
    }
    // The centre cap.
    QRadialGradient cap(centre + QPointF(-4, -5), 16);
    cap.setColorAt(0, QColor(0x6C, 0x78, 0x92));
    cap.setColorAt(1, QColor(0x22, 0x28, 0x36));
    p.fillPath(Circle(centre, 11.5), QColor(0x05, 0x06, 0x09));
    p.fillPath(Circle(centre, 10), cap);
}

// The groove the progress ball runs in (left of the category button) and the engraved
// line joining the five lamps (right of it).
void DrawKnobSurround(QPainter& p) {
    const QRectF ellipse(kTrackCentre.x() - kTrackRadiusX, kTrackCentre.y() - kTrackRadiusY,
                         2 * kTrackRadiusX, 2 * kTrackRadiusY);
    QPainterPath track;
    track.arcMoveTo(ellipse, 84);
    track.arcTo(ellipse, 84, 192);
    const auto groove = [](QColor color, double width) {
        return QPen(color, width, Qt::SolidLine, Qt::RoundCap);
    };
    p.strokePath(track.translated(0, 1), groove(QColor(0x50, 0x5B, 0x74), 17));
    p.strokePath(track.translated(0, -1), groove(QColor(0x02, 0x03, 0x05), 17));
    p.strokePath(track, groove(kGroove, 16));
    p.strokePath(track.translated(0, 1.2), groove(QColor(0x14, 0x19, 0x24), 9));
    // Ticks outside the groove at 0, 25, 50, 75 and 100 %: the ball's angle from the bottom
    // runs from 0 to about 170 degrees.
    p.setPen(QPen(QColor(95, 211, 243, 150), 1.6, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i <= 4; ++i) {
        const double angle = 170.0 * i / 4 * M_PI / 180.0;
        const auto at = [&](double extra) {
            return QPointF(kTrackCentre.x() - std::sin(angle) * (kTrackRadiusX + extra),
                           kTrackCentre.y() + std::cos(angle) * (kTrackRadiusY + extra));
        };
        p.drawLine(at(11.5), at(15.5));
    }

    // The lamps' rail: a smooth curve through their centres.
    std::vector<QPointF> points;
    for (const EffectSlot& slot : kEffectSlots) {
        points.push_back(QRectF(slot.lamp).center());
    }
    QPainterPath rail;
    rail.moveTo(points.front());
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const QPointF before = points[i == 0 ? 0 : i - 1];
        const QPointF after = points[std::min(i + 2, points.size() - 1)];
        rail.cubicTo(points[i] + (points[i + 1] - before) / 6.0,
                     points[i + 1] - (after - points[i]) / 6.0, points[i + 1]);
    }
    p.strokePath(rail.translated(0, 1),
                 QPen(QColor(0x4A, 0x55, 0x6E), 3, Qt::SolidLine, Qt::RoundCap));
    p.strokePath(rail, QPen(QColor(0x07, 0x09, 0x0D), 3, Qt::SolidLine, Qt::RoundCap));
}

// The help line's black well at the bottom left.
void DrawHelpWell(QImage& image) {
    {
        QPainter p(&image);
        Antialias(p);
        const QRectF well(14.5, 424.5, 291, 51);
        QLinearGradient lip(0, well.top(), 0, well.bottom());
        lip.setColorAt(0, QColor(0x04, 0x05, 0x08));
        lip.setColorAt(1, QColor(0x4E, 0x59, 0x72));
        p.fillPath(RoundedRect(well.adjusted(-1, -1, 1, 1), 9), lip);
        p.fillPath(RoundedRect(well, 8), Qt::black);
    }
    QPainter p(&image);
    p.fillRect(kHelpArea, Qt::black);
}

// The maker's mark: a round badge with a small wave, and the name.
void DrawLogo(QPainter& p, QPointF at) {
    const QPointF centre = at + QPointF(15, 15.5);
    SoftShape(p, Circle(centre, 13), QColor(255, 150, 60, 90), 3);
    QLinearGradient badge(centre - QPointF(10, 12), centre + QPointF(10, 12));
    badge.setColorAt(0, QColor(0xFF, 0xC2, 0x5C));
    badge.setColorAt(1, QColor(0xF0, 0x5A, 0x3C));
    p.fillPath(Circle(centre, 12.5), badge);
    p.strokePath(Circle(centre, 12.5), QPen(QColor(0x5A, 0x1E, 0x10, 200), 1));
    const double bars[5] = {4, 8, 12, 8, 4};
    for (int i = 0; i < 5; ++i) {
        const double x = centre.x() + (i - 2) * 4.2;
        p.setPen(QPen(QColor(0xFF, 0xFF, 0xFF, 235), 2.3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x, centre.y() - bars[i] / 2), QPointF(x, centre.y() + bars[i] / 2));
    }
    QFont font = Font(19, true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.4);
    const QPainterPath name = TextPath(QStringLiteral("Brendale"), font,
                                       {at.x() + 34, CentredBaseline(font, at.y(), 31)});
    QLinearGradient fill(0, at.y() + 6, 0, at.y() + 25);
    fill.setColorAt(0, QColor(0xF5, 0xF7, 0xFC));
    fill.setColorAt(1, QColor(0xA9, 0xB4, 0xCA));
    FillWithShadow(p, name, fill, QColor(0, 0, 0, 180));
}

}  // namespace

QImage RenderPanel() {
    QImage image = NewImage(kWidth, kHeight, Qt::black);
    DrawBackdrop(image);
    {
        QPainter p(&image);
        Antialias(p);
        DrawTitle(p);
        DrawConsole(p);
    }
    DrawScreen(image);
    {
        QPainter p(&image);
        Antialias(p);
        DrawGrille(p);
        DrawKnobSurround(p);
        DrawLogo(p, kLogoArea.topLeft());
        // A caption under the Exit button.
        QFont small = Font(8, true);
        small.setLetterSpacing(QFont::AbsoluteSpacing, 1.6);
        const QString exit = QStringLiteral("EXIT");
        p.fillPath(TextPath(exit, small, {499.8 - TextWidth(exit, small) / 2, 427}), kInkDim);
    }
    DrawHelpWell(image);
    return image;
}

}  // namespace marvolin::artwork
