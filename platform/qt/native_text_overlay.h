#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>
#include <vector>

namespace marvolin::platform::qt {

// Text lines written into the program's 640 x 480 picture, remembered so that a screen with
// more than one device pixel per window pixel can show them in its own resolution. A line is
// shown natively only while the picture still holds exactly the pixels it was written as;
// once anything has drawn over it, the picture's own pixels show.
class NativeTextOverlay {
  public:
    struct Line {
        QRect area;       // in window pixels, the opaque background's rectangle
        QPoint baseline;  // where the text starts on its baseline
        QString text;
        QFont font;
        QColor ink;
        QColor background;
        QImage written;  // the picture's pixels of `area` just after the line was written
    };

    // Remembers a line written opaquely into `picture`; lines it overlaps are forgotten.
    void Add(Line line);

    // Draws, with `painter` set up in window pixels, every line whose pixels `picture` still
    // holds, and forgets the others.
    void Paint(QPainter& painter, const QImage& picture);

    std::size_t size() const { return lines_.size(); }

  private:
    std::vector<Line> lines_;
};

}  // namespace marvolin::platform::qt
