#pragma once

#include <cstdint>

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
    PlaybackDone,         // the output device has finished with its buffer
    RecordBufferReturned  // the input device hands back its buffer (full, or after a stop)
};

struct Message {
    MessageKind kind = MessageKind::Paint;
    int x = 0;  // pointer position in window pixels, for mouse messages
    int y = 0;
    int timerId = 0;             // for Timer
    std::uint32_t bufferId = 0;  // for device notifications: the buffer they are about
};

class MessageSink {
  public:
    virtual ~MessageSink() = default;
    virtual void Handle(const Message& message) = 0;
};

}  // namespace marvolin::platform
