#pragma once

#include "screen/screen.h"

namespace marvolin::screen {

// `area` cut to the window; empty (right <= left or bottom <= top) when it lies outside.
Rect ClipToWindow(const Rect& area);
bool IsEmpty(const Rect& area);
// The smallest rectangle holding both; an empty rectangle adds nothing.
Rect Union(const Rect& a, const Rect& b);

// Copies `area` of the background picture back to the window, top-left aligned. Where there
// is no picture (none read yet, or one smaller than the area) the window turns black.
void RestoreFromPicture(Screen& screen, const Rect& area);

// Marks a drawing pass as part of a paint for as long as it lives: nothing is presented,
// because the paint itself puts the pixels on the screen.
class PaintingScope {
  public:
    explicit PaintingScope(Screen& screen) : screen_(screen), wasPainting_(screen.painting) {
        screen_.painting = true;
    }
    ~PaintingScope() { screen_.painting = wasPainting_; }
    PaintingScope(const PaintingScope&) = delete;
    PaintingScope& operator=(const PaintingScope&) = delete;

  private:
    Screen& screen_;
    bool wasPainting_;
};

}  // namespace marvolin::screen
