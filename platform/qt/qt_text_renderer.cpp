#include "platform/qt/qt_text_renderer.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "platform/qt/main_widget.h"

namespace marvolin::platform::qt {

void QtTextRenderer::DrawText(PixelView target, int x, int y, std::string_view text,
                              std::uint32_t color, std::uint32_t background, bool opaque) {
    if (target.pixels == nullptr || target.width <= 0 || target.height <= 0) {
        return;
    }
    QImage image(reinterpret_cast<uchar*>(target.pixels), target.width, target.height,
                 target.width * 4, QImage::Format_RGB32);
    const QString line = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QFont font = QApplication::font();
    const QFontMetrics metrics(font);
    const QRect area(x, y, metrics.horizontalAdvance(line), metrics.height());
    {
        QPainter painter(&image);
        painter.setFont(font);
        if (opaque) {
            painter.fillRect(area, QColor::fromRgb(background));
        }
        painter.setPen(QColor::fromRgb(color));
        painter.drawText(QPoint(x, y + metrics.ascent()), line);
    }
    if (opaque && widget_ != nullptr && target.pixels == widget_->pictureBits()) {
        const QRect inside = area.intersected(image.rect());
        widget_->textOverlay().Add({inside, QPoint(x, y + metrics.ascent()), line, font,
                                    QColor::fromRgb(color), QColor::fromRgb(background),
                                    image.copy(inside)});
    }
}

}  // namespace marvolin::platform::qt
