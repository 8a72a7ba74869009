#pragma once

#include "platform/cursor.h"

namespace marvolin::platform::qt {

// The wait cursor as Qt's application-wide override cursor, one override per PushWait.
class QtCursor : public Cursor {
  public:
    QtCursor() = default;
    ~QtCursor() override;  // takes back any wait cursor still shown
    QtCursor(const QtCursor&) = delete;
    QtCursor& operator=(const QtCursor&) = delete;

    void PushWait() override;
    // Undoes one PushWait; without one it does nothing, so it never removes a cursor that
    // someone else set.
    void Restore() override;

    int depth() const { return depth_; }

    // Shows the normal pointer while a modal window is up (a message box must not look busy),
    // then puts the wait cursors back.
    class Suspension {
      public:
        explicit Suspension(QtCursor& cursor);
        ~Suspension();
        Suspension(const Suspension&) = delete;
        Suspension& operator=(const Suspension&) = delete;

      private:
        QtCursor& cursor_;
        int suspended_;
    };

  private:
    int depth_ = 0;
};

}  // namespace marvolin::platform::qt
