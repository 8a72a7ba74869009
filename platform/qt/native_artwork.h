#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>
#include <memory>
#include <utility>
#include <vector>

namespace marvolin::platform::qt {

// The panel's artwork drawn again at a screen's own resolution, so that a screen with more
// than one device pixel per window pixel shows it sharply. The window's 640 x 480 picture
// stays what is shown: wherever it holds exactly the artwork's pixels (the background picture
// pixel by pixel, a bitmap over its whole rectangle at the place the program shows it), the
// finer copy of the same artwork shows; every other pixel shows as it is in the picture.
// What the program draws at places of its own choosing, the waveform trace and the progress
// ball, is drawn again finely over that artwork wherever the picture shows it as described.
class NativeArtwork {
  public:
    // The program's own drawings, as it described them.
    struct Drawings {
        struct Moving {
            int id;     // the bitmap resource, its magenta pixels left out
            QPoint at;  // its top-left corner, window pixels

            bool operator==(const Moving&) const = default;
        };
        std::vector<QPoint> trace;  // the waveform trace's chain of points, window pixels
        std::vector<Moving> moving;
    };

    // Draws the artwork at `ratio` device pixels per window pixel, and once more at one to
    // recognise it in the picture; nullptr when its fonts cannot be loaded.
    static std::unique_ptr<NativeArtwork> Render(double ratio);

    double ratio() const { return ratio_; }

    // The device pixels that show `area` (window pixels) of `picture`, as an image with the
    // device pixel ratio set, to be drawn at window pixel DeviceOrigin(area). Device pixel d
    // shows window pixel floor(d / ratio), the pixel a click on it reaches.
    QImage Compose(const QImage& picture, const QRect& area, const Drawings& drawings = {}) const;
    QPointF DeviceOrigin(const QRect& area) const;

    // Paints `area` of `picture` with `painter` set up in window pixels.
    void Paint(QPainter& painter, const QImage& picture, const QRect& area,
               const Drawings& drawings = {}) const;

  private:
    struct Layer {
        QRect area;    // in window pixels
        QImage plain;  // as the program draws it, one pixel per window pixel
        QImage fine;   // the same at `ratio_`, starting at device pixel round(area * ratio_)
    };

    // A moving bitmap found in the picture where the program said it drew it.
    struct Shown {
        const Layer* sprite;
        QRect area;  // in window pixels
    };

    NativeArtwork() = default;
    int FirstDevicePixel(int windowPixel) const;
    int WindowPixelOf(int devicePixel) const;
    // A layer's fine image placed in device pixels, its top-left at window pixel `origin`.
    struct FineSource;
    FineSource Source(const Layer& layer, QPoint origin) const;
    std::vector<Shown> FindMoving(const QImage& picture, const Drawings& drawings) const;
    // Which layer each window pixel of `area` shows: -1 the picture's own pixel, 0 the
    // background (with the trace, where the picture shows it), k the bitmap bitmaps_[k - 1],
    // then the moving bitmaps `moving` in turn.
    std::vector<int> ShownLayers(const QImage& picture, const QRect& area,
                                 const std::vector<Shown>& moving, const QRect& trace) const;
    // How much of each device pixel of `device` the trace covers, 0 to 255.
    QImage TraceCoverage(const std::vector<QPoint>& trace, const QRect& device) const;

    double ratio_ = 1.0;
    Layer background_;
    std::vector<Layer> bitmaps_;
    std::vector<std::pair<int, Layer>> sprites_;  // bitmaps the program may draw anywhere
};

}  // namespace marvolin::platform::qt
