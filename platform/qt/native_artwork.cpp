#include "platform/qt/native_artwork.h"

#include <QPen>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "resources/artwork/artwork.h"
#include "resources/artwork/paint_kit.h"

namespace marvolin::platform::qt {
namespace {

// The window's pictures keep their top byte free; only colours count.
constexpr QRgb kColour = 0x00FFFFFF;
// The key colour of bitmaps the program copies with holes.
constexpr QRgb kMagenta = 0x00FF00FF;

bool Same(QRgb a, QRgb b) {
    return ((a ^ b) & kColour) == 0;
}

// The trace turns a pixel with blue b into (255, b / 2, b / 2); pixels without blue stay.
QRgb Recoloured(QRgb pixel) {
    const int blue = qBlue(pixel);
    return blue == 0 ? pixel : qRgb(255, blue / 2, blue / 2);
}

// True when `shown` is `under` recoloured by the trace one or more times.
bool OnTrace(QRgb shown, QRgb under) {
    for (QRgb traced = Recoloured(under); !Same(traced, under); traced = Recoloured(under)) {
        if (Same(shown, traced)) {
            return true;
        }
        under = traced;
    }
    return false;
}

// `under` with `coverage` (0 to 255) of the trace over it.
QRgb WithTrace(QRgb under, int coverage) {
    const QRgb over = Recoloured(under);
    const auto mix = [&](int a, int b) { return a + ((b - a) * coverage + 127) / 255; };
    return qRgb(mix(qRed(under), qRed(over)), mix(qGreen(under), qGreen(over)),
                mix(qBlue(under), qBlue(over)));
}

QRect BoundingRect(const std::vector<QPoint>& points) {
    if (points.empty()) {
        return {};
    }
    QRect bounds(points.front(), QSize(1, 1));
    for (const QPoint point : points) {
        bounds |= QRect(point, QSize(1, 1));
    }
    return bounds;
}

QImage Plain(const QImage& image) {
    QImage plain = image.convertToFormat(QImage::Format_RGB32);
    plain.setDevicePixelRatio(1.0);
    return plain;
}

// True when `picture` holds `layer` over its whole rectangle.
bool Shows(const QImage& picture, const QImage& plain, const QRect& area) {
    if (!picture.rect().contains(area)) {
        return false;
    }
    for (int y = 0; y < area.height(); ++y) {
        const QRgb* shown = reinterpret_cast<const QRgb*>(picture.constScanLine(area.top() + y));
        const QRgb* drawn = reinterpret_cast<const QRgb*>(plain.constScanLine(y));
        for (int x = 0; x < area.width(); ++x) {
            if (!Same(shown[area.left() + x], drawn[x])) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

// A layer's fine image, its top-left at device pixel (originX, originY).
struct NativeArtwork::FineSource {
    const QRgb* bits;
    qsizetype stride;  // pixels a row
    int width;
    int height;
    int originX;
    int originY;

    bool Holds(int dx, int dy) const {
        return dx >= originX && dy >= originY && dx < originX + width && dy < originY + height;
    }
    // The pixel at device pixel (dx, dy), or the nearest the image has.
    QRgb At(int dx, int dy) const {
        const int fx = std::clamp(dx - originX, 0, width - 1);
        const int fy = std::clamp(dy - originY, 0, height - 1);
        return bits[fy * stride + fx];
    }
};

std::unique_ptr<NativeArtwork> NativeArtwork::Render(double ratio) {
    if (!(ratio > 0.0) || ratio > 8.0 || !artwork::LoadFonts()) {
        return nullptr;
    }
    const artwork::Artwork plain = artwork::RenderPanelArtwork();
    artwork::Artwork fine;
    {
        const artwork::ScaleScope scale(ratio);
        fine = artwork::RenderPanelArtwork();
    }
    std::unique_ptr<NativeArtwork> native(new NativeArtwork);
    native->ratio_ = ratio;
    native->background_ = {plain.picture.rect(), Plain(plain.picture), Plain(fine.picture)};
    for (const auto& [id, place] : plain.places) {
        const auto drawn = plain.bitmaps.find(id);
        const auto sharp = fine.bitmaps.find(id);
        if (drawn == plain.bitmaps.end() || sharp == fine.bitmaps.end()) {
            continue;
        }
        native->bitmaps_.push_back(
            {QRect(place, drawn->second.size()), Plain(drawn->second), Plain(sharp->second)});
    }
    for (const auto& [id, drawn] : plain.bitmaps) {
        const auto sharp = fine.bitmaps.find(id);
        if (plain.places.count(id) == 0 && sharp != fine.bitmaps.end()) {
            native->sprites_.push_back(
                {id, {QRect({0, 0}, drawn.size()), Plain(drawn), Plain(sharp->second)}});
        }
    }
    return native;
}

int NativeArtwork::FirstDevicePixel(int windowPixel) const {
    return static_cast<int>(std::ceil(windowPixel * ratio_ - 1e-9));
}

int NativeArtwork::WindowPixelOf(int devicePixel) const {
    return static_cast<int>(std::floor(devicePixel / ratio_ + 1e-9));
}

QPointF NativeArtwork::DeviceOrigin(const QRect& area) const {
    return {FirstDevicePixel(area.left()) / ratio_, FirstDevicePixel(area.top()) / ratio_};
}

NativeArtwork::FineSource NativeArtwork::Source(const Layer& layer, QPoint origin) const {
    // Fine images start at the device pixel nearest their window pixel's top-left corner.
    const auto device = [&](int window) { return static_cast<int>(std::lround(window * ratio_)); };
    return {reinterpret_cast<const QRgb*>(layer.fine.constBits()),
            layer.fine.bytesPerLine() / 4,
            layer.fine.width(),
            layer.fine.height(),
            device(origin.x()),
            device(origin.y())};
}

std::vector<NativeArtwork::Shown> NativeArtwork::FindMoving(const QImage& picture,
                                                            const Drawings& drawings) const {
    std::vector<Shown> found;
    for (const Drawings::Moving& moving : drawings.moving) {
        const auto sprite = std::find_if(sprites_.begin(), sprites_.end(), [&](const auto& entry) {
            return entry.first == moving.id;
        });
        if (sprite == sprites_.end()) {
            continue;
        }
        const Layer& layer = sprite->second;
        const QRect area(moving.at, layer.plain.size());
        const QRect visible = area.intersected(picture.rect());
        bool shows = !visible.isEmpty();
        int opaque = 0;
        for (int y = visible.top(); shows && y <= visible.bottom(); ++y) {
            const QRgb* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
            for (int x = visible.left(); x <= visible.right(); ++x) {
                const QRgb drawn = layer.plain.pixel(x - area.left(), y - area.top());
                if (Same(drawn, kMagenta)) {
                    continue;
                }
                ++opaque;
                if (!Same(row[x], drawn)) {
                    shows = false;
                    break;
                }
            }
        }
        const bool known =
            std::any_of(found.begin(), found.end(), [&](const Shown& s) { return s.area == area; });
        if (shows && opaque > 0 && !known) {
            found.push_back({&layer, area});
        }
    }
    return found;
}

std::vector<int> NativeArtwork::ShownLayers(const QImage& picture, const QRect& area,
                                            const std::vector<Shown>& moving,
                                            const QRect& trace) const {
    std::vector<int> shown(static_cast<std::size_t>(area.width()) * area.height(), -1);
    const auto at = [&](int x, int y) -> int& {
        return shown[static_cast<std::size_t>(y - area.top()) * area.width() + (x - area.left())];
    };
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        const QRgb* drawn = reinterpret_cast<const QRgb*>(background_.plain.constScanLine(y));
        const bool traced = y >= trace.top() && y <= trace.bottom();
        for (int x = area.left(); x <= area.right(); ++x) {
            // A trace pixel, recoloured once or, where the trace crossed itself, again, is the
            // background under the finer trace.
            if (Same(row[x], drawn[x]) ||
                (traced && x >= trace.left() && x <= trace.right() && OnTrace(row[x], drawn[x]))) {
                at(x, y) = 0;
            }
        }
    }
    for (std::size_t k = 0; k < bitmaps_.size(); ++k) {
        const Layer& layer = bitmaps_[k];
        const QRect overlap = layer.area.intersected(area);
        if (overlap.isEmpty() || !Shows(picture, layer.plain, layer.area)) {
            continue;
        }
        for (int y = overlap.top(); y <= overlap.bottom(); ++y) {
            for (int x = overlap.left(); x <= overlap.right(); ++x) {
                at(x, y) = static_cast<int>(k) + 1;
            }
        }
    }
    for (std::size_t m = 0; m < moving.size(); ++m) {
        const QRect overlap = moving[m].area.intersected(area);
        for (int y = overlap.top(); y <= overlap.bottom(); ++y) {
            for (int x = overlap.left(); x <= overlap.right(); ++x) {
                const QPoint inside = QPoint(x, y) - moving[m].area.topLeft();
                if (!Same(moving[m].sprite->plain.pixel(inside), kMagenta)) {
                    at(x, y) = static_cast<int>(bitmaps_.size() + m) + 1;
                }
            }
        }
    }
    return shown;
}

QImage NativeArtwork::TraceCoverage(const std::vector<QPoint>& trace, const QRect& device) const {
    QImage coverage(device.size(), QImage::Format_Alpha8);
    coverage.fill(0);
    QPainter painter(&coverage);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(-device.left(), -device.top());
    painter.scale(ratio_, ratio_);
    // Through the middles of the pixels the program's trace joins, one window pixel wide.
    QPolygonF line;
    for (const QPoint point : trace) {
        line << QPointF(point.x() + 0.5, point.y() + 0.5);
    }
    painter.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(line);
    return coverage;
}

QImage NativeArtwork::Compose(const QImage& picture, const QRect& wanted,
                              const Drawings& drawings) const {
    const QRect area = wanted.intersected(picture.rect()).intersected(background_.area);
    if (area.isEmpty()) {
        return {};
    }
    const std::vector<Shown> moving = FindMoving(picture, drawings);
    const QRect trace = BoundingRect(drawings.trace);
    const std::vector<int> shown = ShownLayers(picture, area, moving, trace);
    const int left = FirstDevicePixel(area.left());
    const int top = FirstDevicePixel(area.top());
    const int right = FirstDevicePixel(area.right() + 1);
    const int bottom = FirstDevicePixel(area.bottom() + 1);
    const QRect device(left, top, right - left, bottom - top);
    const bool traced = trace.intersects(area.adjusted(-1, -1, 1, 1));
    const QImage coverage = traced ? TraceCoverage(drawings.trace, device) : QImage();

    // Every layer's fine image by its number in `shown`, placed in device pixels.
    std::vector<FineSource> sources;
    sources.reserve(1 + bitmaps_.size() + moving.size());
    sources.push_back(Source(background_, {0, 0}));
    for (const Layer& layer : bitmaps_) {
        sources.push_back(Source(layer, layer.area.topLeft()));
    }
    for (const Shown& m : moving) {
        sources.push_back(Source(*m.sprite, m.area.topLeft()));
    }
    const FineSource& background = sources.front();
    const std::size_t firstMoving = 1 + bitmaps_.size();

    std::vector<int> columns(static_cast<std::size_t>(device.width()));
    for (int dx = left; dx < right; ++dx) {
        columns[static_cast<std::size_t>(dx - left)] =
            std::clamp(WindowPixelOf(dx), area.left(), area.right()) - area.left();
    }
    QImage image(device.size(), QImage::Format_RGB32);
    for (int dy = top; dy < bottom; ++dy) {
        const int y = std::clamp(WindowPixelOf(dy), area.top(), area.bottom());
        QRgb* out = reinterpret_cast<QRgb*>(image.scanLine(dy - top));
        const QRgb* own = reinterpret_cast<const QRgb*>(picture.constScanLine(y)) + area.left();
        const int* layers = shown.data() + static_cast<std::size_t>(y - area.top()) * area.width();
        const uchar* covered = traced ? coverage.constScanLine(dy - top) : nullptr;
        for (int i = 0; i < device.width(); ++i) {
            const int dx = left + i;
            const int x = columns[static_cast<std::size_t>(i)];
            const int k = layers[x];
            QRgb pixel;
            if (k < 0) {
                pixel = own[x];
            } else if (k == 0) {
                // A moving bitmap's finer rim may reach past the window pixels it covers.
                bool rim = false;
                for (std::size_t m = firstMoving; m < sources.size() && !rim; ++m) {
                    if (sources[m].Holds(dx, dy)) {
                        pixel = sources[m].At(dx, dy);
                        rim = !Same(pixel, kMagenta);
                    }
                }
                if (!rim) {
                    pixel = background.At(dx, dy);
                    if (covered != nullptr && covered[i] != 0) {
                        pixel = WithTrace(pixel, covered[i]);
                    }
                }
            } else {
                pixel = sources[static_cast<std::size_t>(k)].At(dx, dy);
                if (static_cast<std::size_t>(k) >= firstMoving && Same(pixel, kMagenta)) {
                    pixel = background.At(dx, dy);
                }
            }
            out[i] = pixel | 0xFF000000;
        }
    }
    image.setDevicePixelRatio(ratio_);
    return image;
}

void NativeArtwork::Paint(QPainter& painter, const QImage& picture, const QRect& area,
                          const Drawings& drawings) const {
    const QRect shown = area.intersected(picture.rect()).intersected(background_.area);
    const QImage image = Compose(picture, shown, drawings);
    if (!image.isNull()) {
        painter.drawImage(DeviceOrigin(shown), image);
    }
}

}  // namespace marvolin::platform::qt
