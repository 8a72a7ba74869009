#include "resources/artwork/paint_kit.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace marvolin::artwork {
namespace {

QString g_family;

const char* const kFontFiles[] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
};

// One horizontal box-blur pass over each row of premultiplied ARGB pixels (edges are
// transparent).
void BoxPass(std::vector<int>& channel, int width, int height, int radius, bool vertical) {
    std::vector<int> line(static_cast<std::size_t>(vertical ? height : width));
    const int length = static_cast<int>(line.size());
    const int lines = vertical ? width : height;
    const int span = 2 * radius + 1;
    for (int l = 0; l < lines; ++l) {
        auto at = [&](int i) -> int& {
            return vertical ? channel[static_cast<std::size_t>(i) * width + l]
                            : channel[static_cast<std::size_t>(l) * width + i];
        };
        for (int i = 0; i < length; ++i) {
            line[static_cast<std::size_t>(i)] = at(i);
        }
        int sum = 0;
        for (int i = -radius; i <= radius; ++i) {
            sum += (i >= 0 && i < length) ? line[static_cast<std::size_t>(i)] : 0;
        }
        for (int i = 0; i < length; ++i) {
            at(i) = (sum + span / 2) / span;
            const int out = i - radius;
            const int in = i + radius + 1;
            sum -= (out >= 0) ? line[static_cast<std::size_t>(out)] : 0;
            sum += (in < length) ? line[static_cast<std::size_t>(in)] : 0;
        }
    }
}

}  // namespace

bool LoadFonts() {
    for (const char* file : kFontFiles) {
        const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(file));
        if (id < 0 || QFontDatabase::applicationFontFamilies(id).isEmpty()) {
            std::fprintf(stderr, "generate_artwork: cannot load the font %s (fonts-dejavu-core)\n",
                         file);
            return false;
        }
        g_family = QFontDatabase::applicationFontFamilies(id).first();
    }
    return true;
}

QFont Font(int pixelSize, bool bold) {
    QFont font(g_family);
    font.setPixelSize(pixelSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoFontMerging | QFont::PreferOutline));
    return font;
}

QFont FittingFont(const QString& text, int pixelSize, bool bold, double width) {
    QFont font = Font(pixelSize, bold);
    while (pixelSize > 6 && TextWidth(text, font) > width) {
        font = Font(--pixelSize, bold);
    }
    return font;
}

QPainterPath TextPath(const QString& text, const QFont& font, QPointF origin) {
    QPainterPath path;
    path.addText(origin, font, text);
    return path;
}

double TextWidth(const QString& text, const QFont& font) {
    return QFontMetricsF(font).horizontalAdvance(text);
}

double CentredBaseline(const QFont& font, double top, double height) {
    return top + (height + QFontMetricsF(font).capHeight()) / 2.0;
}

void FillWithShadow(QPainter& painter, const QPainterPath& path, const QBrush& brush, QColor shadow,
                    QPointF offset) {
    painter.fillPath(path.translated(offset), shadow);
    painter.fillPath(path, brush);
}

QPainterPath Circle(QPointF centre, double radius) {
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

QPainterPath RoundedRect(const QRectF& rect, double radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

void Antialias(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
}

namespace {

double renderScale = 1.0;

int Scaled(int value, double scale) {
    return static_cast<int>(std::lround(value * scale));
}

// `area` in the image's own pixels; the edges are rounded so that neighbouring areas meet.
QRect ScaledRect(const QRect& area, double scale) {
    const int left = Scaled(area.left(), scale);
    const int top = Scaled(area.top(), scale);
    return {left, top, Scaled(area.left() + area.width(), scale) - left,
            Scaled(area.top() + area.height(), scale) - top};
}

}  // namespace

double RenderScale() {
    return renderScale;
}

ScaleScope::ScaleScope(double scale) : previous_(renderScale) {
    renderScale = scale;
}

ScaleScope::~ScaleScope() {
    renderScale = previous_;
}

QSize LogicalSize(const QImage& image) {
    return image.deviceIndependentSize().toSize();
}

QImage NewImage(int width, int height, QColor fill) {
    QImage image(Scaled(width, renderScale), Scaled(height, renderScale),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(renderScale);
    image.fill(fill);
    return image;
}

QImage Crop(const QImage& image, const QRect& area) {
    return image.copy(ScaledRect(area, image.devicePixelRatio()));
}

void Blit(QImage& target, QPoint at, const QImage& source) {
    // Copied pixel for pixel at the rounded place, so that no scaled painter resamples it.
    const double scale = target.devicePixelRatio();
    QImage plain = source;
    plain.setDevicePixelRatio(1);
    target.setDevicePixelRatio(1);
    {
        QPainter painter(&target);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QPoint(Scaled(at.x(), scale), Scaled(at.y(), scale)), plain);
    }
    target.setDevicePixelRatio(scale);
}

QImage Blurred(const QImage& image, int radius) {
    QImage source = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (image.devicePixelRatio() != 1.0) {
        radius = std::max(1, Scaled(radius, image.devicePixelRatio()));
    }
    const int width = source.width();
    const int height = source.height();
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    std::vector<int> channels[4];
    for (auto& channel : channels) {
        channel.resize(count);
    }
    for (int y = 0; y < height; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * width + x;
            for (int c = 0; c < 4; ++c) {
                channels[c][i] = static_cast<int>((row[x] >> (8 * c)) & 0xFF);
            }
        }
    }
    // Three box passes of about radius / sqrt(3) approach a Gaussian of the given radius.
    const int box = std::max(1, (radius * 10 + 8) / 17);
    for (auto& channel : channels) {
        for (int pass = 0; pass < 3; ++pass) {
            BoxPass(channel, width, height, box, false);
            BoxPass(channel, width, height, box, true);
        }
    }
    QImage result(width, height, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < height; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * width + x;
            const int alpha = channels[3][i];
            QRgb value = static_cast<QRgb>(alpha) << 24;
            for (int c = 0; c < 3; ++c) {
                value |= static_cast<QRgb>(std::min(channels[c][i], alpha)) << (8 * c);
            }
            row[x] = value;
        }
    }
    result.setDevicePixelRatio(image.devicePixelRatio());
    return result;
}

void SoftShape(QPainter& painter, const QPainterPath& shape, QColor color, int radius) {
    const QPainterPath mapped = painter.transform().map(shape);
    const QRect bounds = mapped.boundingRect().toAlignedRect().adjusted(
        -3 * radius - 2, -3 * radius - 2, 3 * radius + 2, 3 * radius + 2);
    QImage layer = NewImage(bounds.width(), bounds.height());
    {
        QPainter layerPainter(&layer);
        layerPainter.setRenderHint(QPainter::Antialiasing);
        layerPainter.translate(-bounds.topLeft());
        layerPainter.fillPath(mapped, color);
    }
    painter.save();
    painter.resetTransform();
    painter.drawImage(bounds.topLeft(), Blurred(layer, radius));
    painter.restore();
}

QByteArray BmpFile(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const int width = rgb.width();
    const int height = rgb.height();
    const int stride = (width * 3 + 3) & ~3;
    const quint32 dataSize = static_cast<quint32>(stride) * static_cast<quint32>(height);
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(54 + dataSize));
    auto u16 = [&](quint32 v) {
        bytes.append(static_cast<char>(v & 0xFF));
        bytes.append(static_cast<char>((v >> 8) & 0xFF));
    };
    auto u32 = [&](quint32 v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    bytes.append("BM", 2);
    u32(54 + dataSize);  // file size
    u32(0);              // reserved
    u32(54);             // offset of the pixels
    u32(40);             // BITMAPINFOHEADER
    u32(static_cast<quint32>(width));
    u32(static_cast<quint32>(height));  // positive: bottom-up
    u16(1);                             // planes
    u16(24);                            // bits per pixel
    u32(0);                             // BI_RGB
    u32(dataSize);
    u32(2835);  // 72 dpi
    u32(2835);
    u32(0);  // colours used
    u32(0);  // important colours
    for (int y = height - 1; y >= 0; --y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            bytes.append(static_cast<char>(qBlue(row[x])));
            bytes.append(static_cast<char>(qGreen(row[x])));
            bytes.append(static_cast<char>(qRed(row[x])));
        }
        bytes.append(stride - width * 3, '\0');
    }
    return bytes;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "generate_artwork: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

QColor Mix(QColor a, QColor b, double t) {
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t),
                            static_cast<float>(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

}  // namespace marvolin::artwork
