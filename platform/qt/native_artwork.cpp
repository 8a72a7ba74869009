#include "platform/qt/native_artwork.h"

#include <algorithm>
#include <cmath>

#include "resources/artwork/artwork.h"
#include "resources/artwork/paint_kit.h"

namespace marvolin::platform::qt {
namespace {

// The window's pictures keep their top byte free; only colours count.
constexpr QRgb kColour = 0x00FFFFFF;

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
            if (((shown[area.left() + x] ^ drawn[x]) & kColour) != 0) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

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

std::vector<int> NativeArtwork::ShownLayers(const QImage& picture, const QRect& area) const {
    std::vector<int> shown(static_cast<std::size_t>(area.width()) * area.height(), -1);
    const auto at = [&](int x, int y) -> int& {
        return shown[static_cast<std::size_t>(y - area.top()) * area.width() + (x - area.left())];
    };
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        const QRgb* drawn = reinterpret_cast<const QRgb*>(background_.plain.constScanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            if (((row[x] ^ drawn[x]) & kColour) == 0) {
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
    return shown;
}

QImage NativeArtwork::Compose(const QImage& picture, const QRect& wanted) const {
    const QRect area = wanted.intersected(picture.rect()).intersected(background_.area);
    if (area.isEmpty()) {
        return {};
    }
    const std::vector<int> shown = ShownLayers(picture, area);
    const int left = FirstDevicePixel(area.left());
    const int top = FirstDevicePixel(area.top());
    const int right = FirstDevicePixel(area.right() + 1);
    const int bottom = FirstDevicePixel(area.bottom() + 1);
    QImage image(right - left, bottom - top, QImage::Format_RGB32);
    for (int dy = top; dy < bottom; ++dy) {
        const int y = std::clamp(WindowPixelOf(dy), area.top(), area.bottom());
        QRgb* out = reinterpret_cast<QRgb*>(image.scanLine(dy - top));
        const QRgb* own = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int dx = left; dx < right; ++dx) {
            const int x = std::clamp(WindowPixelOf(dx), area.left(), area.right());
            const int k =
                shown[static_cast<std::size_t>(y - area.top()) * area.width() + (x - area.left())];
            if (k < 0) {
                out[dx - left] = own[x] | 0xFF000000;
                continue;
            }
            const Layer& layer = k == 0 ? background_ : bitmaps_[static_cast<std::size_t>(k - 1)];
            const int fx =
                std::clamp(dx - static_cast<int>(std::lround(layer.area.left() * ratio_)), 0,
                           layer.fine.width() - 1);
            const int fy = std::clamp(dy - static_cast<int>(std::lround(layer.area.top() * ratio_)),
                                      0, layer.fine.height() - 1);
            out[dx - left] = reinterpret_cast<const QRgb*>(layer.fine.constScanLine(fy))[fx];
        }
    }
    image.setDevicePixelRatio(ratio_);
    return image;
}

void NativeArtwork::Paint(QPainter& painter, const QImage& picture, const QRect& area) const {
    const QRect shown = area.intersected(picture.rect()).intersected(background_.area);
    const QImage image = Compose(picture, shown);
    if (!image.isNull()) {
        painter.drawImage(DeviceOrigin(shown), image);
    }
}

}  // namespace marvolin::platform::qt
