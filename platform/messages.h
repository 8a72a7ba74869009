#pragma once

#include <cstdint>
#include <string>

namespace marvolin::platform {

// Everything the platform tells the main window's message handler.
enum class MessageKind {
    Initialize,
    Paint,
    Close,  // the window's close command (Alt+F4, the window manager's close button)
    Timer,
    MouseMove,
    LeftButtonDown,
    LeftButtonDoubleClick,
    LeftButtonUp,
    RightButtonDown,
    RightButtonDoubleClick,
    RightButtonUp,
    PaletteChanged,
    PlaybackDone,          // the output device has finished with its buffer
    RecordBufferReturned,  // the input device hands back its buffer (full, or after a stop)
    KeyPress,              // `key`, with `control` when Ctrl was held
    Wheel,                 // `wheelSteps` notches: positive away from the user
    FileDropped            // `path` was dropped on the window
};

// The keys the window has a use for; every other key arrives as Other.
enum class Key {
    Other,
    Space,
    Escape,
    Left,
    Right,
    PageUp,
    PageDown,
    F1,
    Comma,
    Digit1,
    Digit2,
    Digit3,
    Digit4,
    Digit5,
    I,
    O,
    Q,
    R,
    S,
    U,
    Z
};

struct Message {
    MessageKind kind = MessageKind::Paint;
    int x = 0;  // pointer position in window pixels, for mouse messages
    int y = 0;
    int timerId = 0;             // for Timer
    std::uint32_t bufferId = 0;  // for device notifications: the buffer they are about
    Key key = Key::Other;        // for KeyPress
    bool control = false;
    int wheelSteps = 0;     // for Wheel
    std::string path = {};  // for FileDropped
};

class MessageSink {
  public:
    virtual ~MessageSink() = default;
    virtual void Handle(const Message& message) = 0;
};

}  // namespace marvolin::platform
