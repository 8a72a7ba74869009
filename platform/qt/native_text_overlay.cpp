#include "platform/qt/native_text_overlay.h"

#include <algorithm>

namespace marvolin::platform::qt {
namespace {

// More lines than the window ever shows at once: a bound, should something keep writing.
constexpr std::size_t kMaxLines = 16;

}  // namespace

void NativeTextOverlay::Add(Line line) {
    std::erase_if(lines_, [&](const Line& old) { return old.area.intersects(line.area); });
    if (lines_.size() == kMaxLines) {
        lines_.erase(lines_.begin());
    }
    lines_.push_back(std::move(line));
}

void NativeTextOverlay::Paint(QPainter& painter, const QImage& picture) {
    std::erase_if(lines_,
                  [&](const Line& line) { return picture.copy(line.area) != line.written; });
    for (const Line& line : lines_) {
        painter.save();
        painter.setClipRect(line.area);
        painter.fillRect(line.area, line.background);
        painter.setFont(line.font);
        painter.setPen(line.ink);
        painter.drawText(line.baseline, line.text);
        painter.restore();
    }
}

}  // namespace marvolin::platform::qt
