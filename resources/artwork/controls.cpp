// The buttons, the category button, the lamps, the labels, the progress ball and the
// application icon.

#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>

#include <algorithm>
#include <cmath>

#include "resources/artwork/artwork.h"
#include "resources/artwork/layout.h"
#include "resources/artwork/paint_kit.h"

namespace marvolin::artwork {
// ---------------------------------------------------------------------------------------
// Buttons (120 x 40), drawn over the console's flat face.

// Draws `glyph` centred on `c`; `dim` < 1 fades it towards `shade` (pressed buttons).
void DrawGlyph(QPainter& p, Glyph glyph, QPointF c, double dim, QColor shade) {
    auto tone = [dim, shade](QColor color) { return Mix(shade, color, dim); };
    p.save();
    p.translate(c);
    switch (glyph) {
        case Glyph::kOpen: {
            QPainterPath back;
            back.moveTo(-8, -6.5);
            back.lineTo(-2.5, -6.5);
            back.lineTo(-0.5, -4.5);
            back.lineTo(8, -4.5);
            back.lineTo(8, 6.5);
            back.lineTo(-8, 6.5);
            back.closeSubpath();
            p.fillPath(back, tone(QColor(0xD9, 0x8A, 0x2B)));
            QPainterPath front;
            front.moveTo(-6.5, -1.5);
            front.lineTo(9.5, -1.5);
            front.lineTo(7.5, 6.5);
            front.lineTo(-8, 6.5);
            front.closeSubpath();
            QLinearGradient g(0, -1.5, 0, 6.5);
            g.setColorAt(0, tone(QColor(0xFF, 0xD8, 0x7A)));
            g.setColorAt(1, tone(QColor(0xF6, 0xA9, 0x3B)));
            p.fillPath(front, g);
            break;
        }
        case Glyph::kSave: {
            p.fillPath(RoundedRect(QRectF(-7.5, -7.5, 15, 15), 2.2),
                       tone(QColor(0x4F, 0xA8, 0xF0)));
            p.fillPath(RoundedRect(QRectF(-4.5, -7.5, 9, 5.5), 1), tone(QColor(0x1A, 0x3E, 0x66)));
            p.fillRect(QRectF(1.2, -6.6, 2, 3.6), tone(QColor(0xA8, 0xD8, 0xFF)));
            p.fillPath(RoundedRect(QRectF(-5, 0.5, 10, 7), 1), tone(QColor(0xEE, 0xF6, 0xFF)));
            break;
        }
        case Glyph::kRecord: {
            QRadialGradient g(QPointF(-2, -2.5), 9);
            g.setColorAt(0, tone(QColor(0xFF, 0xA8, 0x9C)));
            g.setColorAt(0.5, tone(QColor(0xFF, 0x3B, 0x30)));
            g.setColorAt(1, tone(QColor(0xB0, 0x12, 0x0C)));
            p.fillPath(Circle({0, 0}, 7), g);
            break;
        }
        case Glyph::kPlay: {
            QPainterPath triangle;
            triangle.moveTo(-5, -7.5);
            triangle.lineTo(8, 0);
            triangle.lineTo(-5, 7.5);
            triangle.closeSubpath();
            QLinearGradient g(0, -7.5, 0, 7.5);
            g.setColorAt(0, tone(QColor(0x9C, 0xF5, 0xB4)));
            g.setColorAt(1, tone(QColor(0x2F, 0xBF, 0x66)));
            p.setPen(QPen(QBrush(g), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(g);
            p.drawPath(triangle);
            break;
        }
        case Glyph::kUndo: {
            // An arc turning back, the arrow head at its start pointing the other way.
            const QColor color = tone(QColor(0xC9, 0xAE, 0xFF));
            const QPointF centre(0.5, 1);
            const double radius = 6.2;
            const double start = 155;
            QPainterPath arc;
            const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
            arc.arcMoveTo(box, start);
            arc.arcTo(box, start, -235);
            p.strokePath(arc, QPen(color, 2.4, Qt::SolidLine, Qt::FlatCap));
            const double a = start * M_PI / 180.0;
            const QPointF from = arc.pointAtPercent(0);
            const QPointF ahead(-std::sin(a), -std::cos(a));  // towards growing angles
            const QPointF side(ahead.y(), -ahead.x());
            QPainterPath head;
            head.moveTo(from + ahead * 4.2);
            head.lineTo(from - ahead * 1.2 + side * 4.2);
            head.lineTo(from - ahead * 1.2 - side * 4.2);
            head.closeSubpath();
            p.setPen(QPen(color, 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(color);
            p.drawPath(head);
            break;
        }
        case Glyph::kOptions: {
            const double knobs[3] = {-3, 3.5, -0.5};
            for (int i = 0; i < 3; ++i) {
                const double y = -5.5 + 5.5 * i;
                p.setPen(QPen(tone(QColor(0xB8, 0xC4, 0xD8)), 1.8, Qt::SolidLine, Qt::RoundCap));
                p.drawLine(QPointF(-7.5, y), QPointF(7.5, y));
                p.fillPath(Circle({knobs[i], y}, 2.7), tone(QColor(0x5F, 0xD3, 0xF3)));
                p.strokePath(Circle({knobs[i], y}, 2.7), QPen(QColor(0x10, 0x14, 0x1C), 0.8));
            }
            break;
        }
        case Glyph::kStop:
            p.fillPath(RoundedRect(QRectF(-6, -6, 12, 12), 2), tone(QColor(0xFF, 0xFF, 0xFF)));
            break;
    }
    p.restore();
}

void DrawButton(QImage& image, const ButtonLook& look) {
    QPainter p(&image);
    Antialias(p);
    const QRectF body(2.5, 2.5, 115, 34);
    const double radius = 10;
    const QPainterPath shape = RoundedRect(body, radius);
    if (!look.pressed) {
        SoftShape(p, RoundedRect(body.translated(0, 1.5), radius), QColor(0, 0, 0, 200), 2);
    } else {
        p.strokePath(RoundedRect(body.adjusted(-0.5, -0.5, 0.5, 1), radius),
                     QPen(QColor(0x3C, 0x46, 0x5C, 160), 1));
    }

    QLinearGradient fill(0, body.top(), 0, body.bottom());
    if (look.red) {
        if (look.pressed) {
            fill.setColorAt(0, QColor(0x5A, 0x10, 0x0C));
            fill.setColorAt(1, QColor(0x8C, 0x1E, 0x17));
        } else {
            fill.setColorAt(0, QColor(0xFF, 0x6E, 0x5F));
            fill.setColorAt(0.5, QColor(0xDE, 0x2E, 0x22));
            fill.setColorAt(0.52, QColor(0xC4, 0x1E, 0x15));
            fill.setColorAt(1, QColor(0xD6, 0x33, 0x27));
        }
    } else if (look.pressed) {
        fill.setColorAt(0, QColor(0x12, 0x16, 0x1F));
        fill.setColorAt(1, QColor(0x25, 0x2C, 0x3B));
    } else {
        fill.setColorAt(0, QColor(0x6A, 0x78, 0x96));
        fill.setColorAt(0.5, QColor(0x43, 0x4E, 0x68));
        fill.setColorAt(0.52, QColor(0x35, 0x3F, 0x56));
        fill.setColorAt(1, QColor(0x42, 0x4D, 0x68));
    }
    p.fillPath(shape, fill);

    p.save();
    p.setClipPath(shape);
    if (look.pressed) {
        // An inner shadow along the top: the button sits below the face.
        SoftShape(p, RoundedRect(body.adjusted(-6, -8, 6, -30), 6), QColor(0, 0, 0, 230), 3);
    } else {
        // A glossy upper half and a lit lower rim.
        QLinearGradient gloss(0, body.top(), 0, body.top() + 16);
        gloss.setColorAt(0, QColor(255, 255, 255, 80));
        gloss.setColorAt(1, QColor(255, 255, 255, 14));
        p.fillPath(
            RoundedRect(QRectF(body.left() + 2, body.top() + 1.5, body.width() - 4, 15.5), 8),
            gloss);
        QRadialGradient bounce(QPointF(60, 46), 58, QPointF(60, 46));
        bounce.setColorAt(0, QColor(255, 255, 255, look.red ? 60 : 36));
        bounce.setColorAt(1, QColor(255, 255, 255, 0));
        p.fillPath(shape, bounce);
    }
    p.restore();
    p.strokePath(shape,
                 QPen(look.pressed ? QColor(0x05, 0x06, 0x09) : QColor(0x0B, 0x0D, 0x13), 1));
    if (!look.pressed) {
        p.strokePath(RoundedRect(body.adjusted(1, 1, -1, -1), radius - 1),
                     QPen(QColor(255, 255, 255, look.red ? 70 : 46), 1));
    }

    // Glyph and caption, centred together; one pixel lower right when pressed.
    const QFont font = Font(14, true);
    const double textWidth = TextWidth(look.text, font);
    const double glyphWidth = 17;
    const double gap = 7;
    const double shift = look.pressed ? 1 : 0;
    const double left = std::round((120 - glyphWidth - gap - textWidth) / 2) + shift;
    const double centreY = body.center().y() + shift;
    DrawGlyph(p, look.glyph, {left + glyphWidth / 2, centreY}, look.pressed ? 0.55 : 1.0,
              look.red ? QColor(0x8C, 0x1E, 0x17) : QColor(0x20, 0x26, 0x33));
    const QPainterPath caption = TextPath(
        look.text, font, {left + glyphWidth + gap, CentredBaseline(font, centreY - 8, 16)});
    QColor ink = look.pressed ? (look.red ? QColor(0xE3, 0xA8, 0xA2) : kInkDim) : kInk;
    FillWithShadow(p, caption, ink, QColor(0, 0, 0, look.pressed ? 90 : 150));
}

// ---------------------------------------------------------------------------------------
// The round Exit button (56 x 52).

void DrawExit(QImage& image, bool pressed) {
    QPainter p(&image);
    Antialias(p);
    const QPointF c(28, 26);
    const double outer = 23;
    const double face = 18.5;
    SoftShape(p, Circle(c + QPointF(0, pressed ? 1 : 2), outer), QColor(0, 0, 0, 200),
              pressed ? 2 : 3);
    QConicalGradient metal(c, 130);
    metal.setColorAt(0, QColor(0xD8, 0xDE, 0xEA));
    metal.setColorAt(0.25, QColor(0x4C, 0x55, 0x69));
    metal.setColorAt(0.5, QColor(0xC4, 0xCC, 0xDA));
    metal.setColorAt(0.75, QColor(0x3E, 0x46, 0x57));
    metal.setColorAt(1, QColor(0xD8, 0xDE, 0xEA));
    p.fillPath(Circle(c, outer), metal);
    p.strokePath(Circle(c, outer), QPen(QColor(0x08, 0x09, 0x0D), 1));
    p.fillPath(Circle(c, face + 1.3), QColor(0x12, 0x05, 0x04));

    const QPointF shift = pressed ? QPointF(1, 1) : QPointF(0, 0);
    QRadialGradient red(c + shift + QPointF(-6, -8), face * 1.6, c + shift + QPointF(-6, -8));
    if (pressed) {
        red.setColorAt(0, QColor(0x9C, 0x24, 0x1A));
        red.setColorAt(1, QColor(0x3E, 0x08, 0x05));
    } else {
        red.setColorAt(0, QColor(0xFF, 0x7A, 0x66));
        red.setColorAt(0.45, QColor(0xE0, 0x2A, 0x1E));
        red.setColorAt(1, QColor(0x7A, 0x0C, 0x08));
    }
    p.fillPath(Circle(c, face), red);
    if (pressed) {
        p.save();
        p.setClipPath(Circle(c, face));
        p.strokePath(Circle(c + QPointF(-1.5, -2), face), QPen(QColor(0, 0, 0, 110), 4));
        p.restore();
    } else {
        QLinearGradient gloss(0, c.y() - face, 0, c.y());
        gloss.setColorAt(0, QColor(255, 255, 255, 120));
        gloss.setColorAt(1, QColor(255, 255, 255, 0));
        QPainterPath highlight;
        highlight.addEllipse(QRectF(c.x() - 12, c.y() - face + 1.5, 24, 15));
        p.fillPath(highlight, gloss);
    }

    // The power symbol.
    const QPointF s = c + shift + QPointF(0, 0.5);
    const QColor ink = pressed ? QColor(0xE8, 0xB4, 0xAE) : QColor(0xFF, 0xFF, 0xFF);
    QPainterPath ring;
    const QRectF box(s.x() - 8, s.y() - 8, 16, 16);
    ring.arcMoveTo(box, 60);
    ring.arcTo(box, 60, 300);
    const QPen pen(ink, 2.6, Qt::SolidLine, Qt::RoundCap);
    QPainterPath bar;
    bar.moveTo(s.x(), s.y() - 10);
    bar.lineTo(s.x(), s.y() - 1.5);
    QPainterPathStroker stroker(pen);
    QPainterPath glyph = stroker.createStroke(ring).united(stroker.createStroke(bar));
    if (!pressed) {
        SoftShape(p, glyph, QColor(255, 220, 200, 130), 2);
    }
    FillWithShadow(p, glyph, ink, QColor(0x40, 0x05, 0x03, 160));
}

// ---------------------------------------------------------------------------------------
// The category button (120 x 120): a metal rim and a glossy blue dome. Its label is drawn
// over it by the program.

void DrawKnob(QImage& image, bool pressed) {
    QPainter p(&image);
    Antialias(p);
    const QPointF c = kKnobFaceCentre;
    const double rim = 55.5;
    const double face = kKnobFace;
    SoftShape(p, Circle(c + QPointF(0, pressed ? 1 : 2.5), rim), QColor(0, 0, 0, 210),
              pressed ? 2 : 3);
    QConicalGradient metal(c, 125);
    metal.setColorAt(0, QColor(0xE2, 0xE7, 0xF0));
    metal.setColorAt(0.17, QColor(0x70, 0x7A, 0x90));
    metal.setColorAt(0.3, QColor(0x3A, 0x42, 0x54));
    metal.setColorAt(0.5, QColor(0xC8, 0xD0, 0xDE));
    metal.setColorAt(0.7, QColor(0x44, 0x4C, 0x5E));
    metal.setColorAt(0.85, QColor(0x7E, 0x88, 0x9C));
    metal.setColorAt(1, QColor(0xE2, 0xE7, 0xF0));
    p.fillPath(Circle(c, rim), metal);
    p.strokePath(Circle(c, rim), QPen(QColor(0x06, 0x07, 0x0B), 1));
    p.fillPath(Circle(c, face + 1.4), QColor(0x06, 0x08, 0x12));

    const QPointF shift = pressed ? QPointF(4, 2) : QPointF(0, 0);
    const QPainterPath dome = Circle(c, face);
    QRadialGradient fill(c + QPointF(-14, -20), face * 1.45, c + QPointF(-14, -20));
    if (pressed) {
        fill.setColorAt(0, QColor(0x2A, 0x34, 0x5C));
        fill.setColorAt(0.6, QColor(0x1A, 0x21, 0x3C));
        fill.setColorAt(1, QColor(0x0E, 0x12, 0x22));
    } else {
        fill.setColorAt(0, QColor(0x6A, 0x7F, 0xC4));
        fill.setColorAt(0.45, QColor(0x35, 0x43, 0x7E));
        fill.setColorAt(1, QColor(0x16, 0x1C, 0x38));
    }
    p.fillPath(dome, fill);
    p.save();
    p.setClipPath(dome);
    if (pressed) {
        p.strokePath(Circle(c + QPointF(-2, -3), face), QPen(QColor(0, 0, 0, 150), 7));
    } else {
        QLinearGradient gloss(0, c.y() - face, 0, c.y() - 6);
        gloss.setColorAt(0, QColor(255, 255, 255, 95));
        gloss.setColorAt(1, QColor(255, 255, 255, 6));
        QPainterPath highlight;
        highlight.addEllipse(QRectF(c.x() - 36, c.y() - face + 2, 72, 42));
        p.fillPath(highlight, gloss);
        QRadialGradient bounce(c + QPointF(0, 58), 50);
        bounce.setColorAt(0, QColor(120, 200, 255, 70));
        bounce.setColorAt(1, QColor(120, 200, 255, 0));
        p.fillPath(dome, bounce);
    }
    p.restore();
    p.strokePath(dome, QPen(QColor(0x02, 0x03, 0x08), 1));

    // "CATEGORY" above the label and two arrows below it: left click next, right previous.
    const QColor ink = pressed ? QColor(0x5C, 0x6C, 0x98) : QColor(0xA8, 0xBC, 0xEE);
    QFont small = Font(8, true);
    small.setLetterSpacing(QFont::AbsoluteSpacing, 1.4);
    const QString caption = QStringLiteral("CATEGORY");
    const double width = TextWidth(caption, small);
    p.fillPath(TextPath(caption, small, QPointF(c.x() - width / 2 + 0.7, 36) + shift), ink);
    for (int side : {-1, 1}) {
        QPainterPath arrow;
        const QPointF tip = c + shift + QPointF(side * 21, 24);
        arrow.moveTo(tip);
        arrow.lineTo(tip + QPointF(-side * 7, -4.5));
        arrow.lineTo(tip + QPointF(-side * 7, 4.5));
        arrow.closeSubpath();
        p.fillPath(arrow, pressed ? QColor(0x3A, 0x70, 0x86) : kAccent);
    }
    p.fillPath(Circle(c + shift + QPointF(0, 24), 2.2),
               pressed ? QColor(0x3A, 0x70, 0x86) : kAccent);
}

// ---------------------------------------------------------------------------------------
// Lamps (17 x 17): a dark socket holding a glowing dome, blue (idle) or red (chosen).

void DrawLamp(QImage& image, bool red) {
    QPainter p(&image);
    Antialias(p);
    const QPointF c(8.5, 8.5);
    QLinearGradient lip(0, 0, 0, 17);
    lip.setColorAt(0, QColor(0x02, 0x03, 0x05));
    lip.setColorAt(1, QColor(0x5A, 0x66, 0x80));
    p.fillPath(Circle(c, 8.3), lip);
    p.fillPath(Circle(c, 7.3), QColor(0x04, 0x05, 0x08));
    const QColor glow = red ? QColor(255, 70, 40) : QColor(40, 150, 255);
    QRadialGradient halo(c, 7.3);
    halo.setColorAt(0.6, QColor(glow.red(), glow.green(), glow.blue(), red ? 230 : 150));
    halo.setColorAt(1, QColor(glow.red(), glow.green(), glow.blue(), 0));
    p.fillPath(Circle(c, 7.3), halo);
    QRadialGradient dome(c + QPointF(-1.6, -1.8), 6.4, c + QPointF(-1.6, -1.8));
    if (red) {
        dome.setColorAt(0, QColor(0xFF, 0xF2, 0xE0));
        dome.setColorAt(0.3, QColor(0xFF, 0x9A, 0x6E));
        dome.setColorAt(0.75, QColor(0xF0, 0x2A, 0x1A));
        dome.setColorAt(1, QColor(0x90, 0x0E, 0x08));
    } else {
        dome.setColorAt(0, QColor(0xE6, 0xF7, 0xFF));
        dome.setColorAt(0.3, QColor(0x7C, 0xCA, 0xFF));
        dome.setColorAt(0.75, QColor(0x1E, 0x74, 0xE6));
        dome.setColorAt(1, QColor(0x0B, 0x2E, 0x70));
    }
    p.fillPath(Circle(c, 5.4), dome);
    p.fillPath(Circle(c + QPointF(-1.8, -2.1), 1.4), QColor(255, 255, 255, 200));
}

// ---------------------------------------------------------------------------------------
// Labels.

void DrawEffectLabel(QImage& image, const QString& text) {
    QPainter p(&image);
    Antialias(p);
    const QFont font = FittingFont(text, 13, true, LogicalSize(image).width() - 2);
    const QPainterPath path = TextPath(text, font, {1, CentredBaseline(font, 0, 16)});
    FillWithShadow(p, path, QColor(0xDC, 0xE5, 0xF4), QColor(0, 0, 0, 200));
}

// `area` is the label's place on the category button (120 x 120); the name is centred in the
// part of it that lies well inside the button's dome.
void DrawCategoryLabel(QImage& image, const QString& text, bool bright, const QRect& area) {
    double left = area.left();
    double right = area.left() + area.width();
    for (int y = area.top(); y < area.top() + area.height(); ++y) {
        const double dy = y + 0.5 - kKnobFaceCentre.y();
        const double half = std::sqrt(std::max(0.0, kKnobFace * kKnobFace - dy * dy));
        left = std::max(left, kKnobFaceCentre.x() - half + 4);
        right = std::min(right, kKnobFaceCentre.x() + half - 4);
    }
    QPainter p(&image);
    Antialias(p);
    const QFont font = FittingFont(text, 13, true, right - left);
    const double width = TextWidth(text, font);
    const double x = (left + right - width) / 2 - area.left();
    const QPainterPath path = TextPath(text, font, {x, CentredBaseline(font, 0, 15)});
    if (bright) {
        FillWithShadow(p, path, QColor(0xFF, 0xFF, 0xFF), QColor(0x05, 0x08, 0x18, 200));
    } else {
        FillWithShadow(p, path, QColor(0x8C, 0x9C, 0xC6), QColor(0, 0, 0, 150));
    }
}

// ---------------------------------------------------------------------------------------
// The progress ball: an 11 x 11 shiny ball at the top left of a 32 x 32 icon whose other
// pixels are magenta (transparent). Its rim is blended with the groove's colour. Drawn at
// RenderScale() like the rest, for screens that show the ball in finer detail.

QImage RenderBallIcon() {
    QImage ball = NewImage(kBallSize, kBallSize);
    {
        QPainter p(&ball);
        Antialias(p);
        const QPointF c(5.5, 5.5);
        QRadialGradient g(QPointF(3.8, 3.4), 7.5, QPointF(3.8, 3.4));
        g.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
        g.setColorAt(0.25, QColor(0xB8, 0xF4, 0xFF));
        g.setColorAt(0.7, QColor(0x2C, 0xB4, 0xE8));
        g.setColorAt(1, QColor(0x0B, 0x4A, 0x70));
        p.fillPath(Circle(c, 5.5), g);
    }
    const QSize size = NewImage(32, 32).size();
    QImage icon(size, QImage::Format_RGB32);
    icon.setDevicePixelRatio(ball.devicePixelRatio());
    icon.fill(QColor(255, 0, 255));
    for (int y = 0; y < ball.height(); ++y) {
        for (int x = 0; x < ball.width(); ++x) {
            const QRgb pixel = ball.pixel(x, y);  // premultiplied made plain by pixel()
            const int alpha = qAlpha(pixel);
            if (alpha < 24) {
                continue;
            }
            const QColor over =
                Mix(kGroove, QColor(qRed(pixel), qGreen(pixel), qBlue(pixel)), alpha / 255.0);
            icon.setPixel(x, y, over.rgb());
        }
    }
    return icon;
}

// ---------------------------------------------------------------------------------------
// The application icon: a glowing voice wave on a rounded dark-blue tile.

QImage RenderAppIcon(int size) {
    QImage image = NewImage(size, size);
    QPainter p(&image);
    Antialias(p);
    p.scale(size / 256.0, size / 256.0);
    const QRectF tile(12, 12, 232, 232);
    SoftShape(p, RoundedRect(tile.translated(0, 4), 52), QColor(0, 0, 0, 140), 6);
    QLinearGradient bg(tile.topLeft(), tile.bottomRight());
    bg.setColorAt(0, QColor(0x3C, 0x4E, 0x94));
    bg.setColorAt(1, QColor(0x10, 0x15, 0x2C));
    p.fillPath(RoundedRect(tile, 52), bg);
    p.strokePath(RoundedRect(tile.adjusted(1.5, 1.5, -1.5, -1.5), 50),
                 QPen(QColor(255, 255, 255, 50), 3));

    const double heights[9] = {34, 70, 118, 166, 108, 150, 92, 58, 28};
    QPainterPath bars;
    for (int i = 0; i < 9; ++i) {
        const double x = 128 + (i - 4) * 22;
        bars.addRoundedRect(QRectF(x - 7.5, 128 - heights[i] / 2, 15, heights[i]), 7.5, 7.5);
    }
    QLinearGradient wave(36, 0, 220, 0);
    wave.setColorAt(0, QColor(0x5F, 0xD3, 0xF3));
    wave.setColorAt(0.5, QColor(0xB0, 0x8C, 0xFF));
    wave.setColorAt(1, QColor(0xFF, 0x6E, 0x5F));
    SoftShape(p, bars, QColor(120, 180, 255, 170), 9);
    p.fillPath(bars, wave);
    QLinearGradient gloss(0, 12, 0, 128);
    gloss.setColorAt(0, QColor(255, 255, 255, 60));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    p.setClipPath(RoundedRect(tile, 52));
    p.fillPath(RoundedRect(QRectF(12, 12, 232, 110), 52), gloss);
    return image;
}

}  // namespace marvolin::artwork
