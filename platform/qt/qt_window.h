#pragma once

#include "platform/window.h"

namespace marvolin::platform::qt {

class MainWidget;

// The main widget as the program's window.
class QtWindow : public Window {
  public:
    explicit QtWindow(MainWidget& widget) : widget_(widget) {}

    // The primary screen's available geometry.
    Rect DesktopRect() const override;
    void Place(int x, int y, int width, int height) override;
    void AttachPicture(PixelView picture) override;
    void Invalidate(const Rect& area) override;
    void PresentNow(const Rect& area) override;
    // Closes the widget; the widget's ClosedByProgram signal then ends the event loop.
    void Close() override;
    void SetTitle(const std::string& title) override;
    void BeginMove() override;
    void OfferDrag(DragFileMaker makeFile) override;
    void DescribeButtons(const std::vector<AccessibleButton>& buttons) override;
    void DescribeTrace(const std::vector<Point>& points) override;
    void DescribeMovingBitmap(std::uint16_t id, Point at) override;

  private:
    MainWidget& widget_;
};

}  // namespace marvolin::platform::qt
