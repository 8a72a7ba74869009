#pragma once

// Small drawing helpers for the artwork generator: fonts loaded from fixed files, text as
// outlines, soft shadows, cropping, and the BMP writer. Every result depends only on the
// inputs, so the generated files are the same on every build.

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRect>
#include <QString>

namespace marvolin::artwork {

// Loads DejaVu Sans and DejaVu Sans Bold from their files; false (with a message) when one
// cannot be loaded.
bool LoadFonts();
QFont Font(int pixelSize, bool bold);
// The largest font of at most `pixelSize` whose advance for `text` is at most `width`.
QFont FittingFont(const QString& text, int pixelSize, bool bold, double width);

// Text as an outline (no hinting, no sub-pixel tricks): its baseline starts at `origin`.
QPainterPath TextPath(const QString& text, const QFont& font, QPointF origin);
double TextWidth(const QString& text, const QFont& font);
// The baseline that centres the font's capitals in [top, top + height).
double CentredBaseline(const QFont& font, double top, double height);
// Draws `path` with a one-pixel drop shadow below it.
void FillWithShadow(QPainter& painter, const QPainterPath& path, const QBrush& brush, QColor shadow,
                    QPointF offset = {0, 1});

QPainterPath Circle(QPointF centre, double radius);
QPainterPath RoundedRect(const QRectF& rect, double radius);
// Turns on antialiasing.
void Antialias(QPainter& painter);

// How many image pixels each panel pixel gets in the images NewImage makes (1 unless a
// ScaleScope says otherwise). The drawing code keeps working in panel pixels: images carry
// the scale as their device pixel ratio, so their painters are scaled to match.
double RenderScale();
class ScaleScope {
  public:
    explicit ScaleScope(double scale);
    ~ScaleScope();
    ScaleScope(const ScaleScope&) = delete;
    ScaleScope& operator=(const ScaleScope&) = delete;

  private:
    double previous_;
};
// `image`'s size in panel pixels.
QSize LogicalSize(const QImage& image);

// A new transparent (or filled) premultiplied ARGB image, width x height panel pixels.
QImage NewImage(int width, int height, QColor fill = Qt::transparent);
// `area` in panel pixels.
QImage Crop(const QImage& image, const QRect& area);
// Copies `source` over `target` at `at` (panel pixels), replacing the pixels.
void Blit(QImage& target, QPoint at, const QImage& source);
// Box blur (three passes, about a Gaussian of `radius` panel pixels) of a premultiplied ARGB
// image.
QImage Blurred(const QImage& image, int radius);
// Paints a blurred copy of `shape` in `color`: a glow or a soft shadow.
void SoftShape(QPainter& painter, const QPainterPath& shape, QColor color, int radius);

// An uncompressed bottom-up Windows BMP: 14-byte file header, 40-byte BITMAPINFOHEADER,
// 24 bits per pixel, rows padded to 4 bytes.
QByteArray BmpFile(const QImage& image);
bool WriteFile(const QString& path, const QByteArray& bytes);

// Linear interpolation between two colours, t in [0, 1].
QColor Mix(QColor a, QColor b, double t);

}  // namespace marvolin::artwork
