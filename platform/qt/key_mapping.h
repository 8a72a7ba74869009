#pragma once

#include <QKeyEvent>

#include "platform/messages.h"

namespace marvolin::platform::qt {

// The key message for a key press; nothing (Other) for keys the window has no use for, for
// repeats of a held key and for presses with Alt or Meta, which belong to the desktop.
Message KeyMessageFor(const QKeyEvent& event);

// Turns the wheel's eighths of a degree into whole notches, keeping what is left over for the
// next turn, so that fine-grained touchpads step as often as a notched wheel.
class WheelNotches {
  public:
    // Notches completed by `angleDelta` (positive: away from the user).
    int Add(int angleDelta);

  private:
    int rest_ = 0;
};

}  // namespace marvolin::platform::qt
