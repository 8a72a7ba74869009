#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>
#include <memory>
#include <vector>

namespace marvolin::platform::qt {

// The panel's artwork drawn again at a screen's own resolution, so that a screen with more
// than one device pixel per window pixel shows it sharply. The window's 640 x 480 picture
// stays what is shown: wherever it holds exactly the artwork's pixels (the background picture
// pixel by pixel, a bitmap over its whole rectangle at the place the program shows it), the
// finer copy of the same artwork shows; every other pixel shows as it is in the picture.
class NativeArtwork {
  public:
    // Draws the artwork at `ratio` device pixels per window pixel, and once more at one to
    // recognise it in the picture; nullptr when its fonts cannot be loaded.
    static std::unique_ptr<NativeArtwork> Render(double ratio);

    double ratio() const { return ratio_; }

    // The device pixels that show `area` (window pixels) of `picture`, as an image with the
    // device pixel ratio set, to be drawn at window pixel DeviceOrigin(area). Device pixel d
    // shows window pixel floor(d / ratio), the pixel a click on it reaches.
    QImage Compose(const QImage& picture, const QRect& area) const;
    QPointF DeviceOrigin(const QRect& area) const;

    // Paints `area` of `picture` with `painter` set up in window pixels.
    void Paint(QPainter& painter, const QImage& picture, const QRect& area) const;

  private:
    struct Layer {
        QRect area;    // in window pixels
        QImage plain;  // as the program draws it, one pixel per window pixel
        QImage fine;   // the same at `ratio_`, starting at device pixel round(area * ratio_)
    };

    NativeArtwork() = default;
    int FirstDevicePixel(int windowPixel) const;
    int WindowPixelOf(int devicePixel) const;
    // Which layer each window pixel of `area` shows: -1 the picture's own pixel, 0 the
    // background, k the bitmap layers_[k - 1].
    std::vector<int> ShownLayers(const QImage& picture, const QRect& area) const;

    double ratio_ = 1.0;
    Layer background_;
    std::vector<Layer> bitmaps_;
};

}  // namespace marvolin::platform::qt
