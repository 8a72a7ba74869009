#include "platform/qt/key_mapping.h"

namespace marvolin::platform::qt {
namespace {

constexpr int kNotch = 120;  // one wheel notch in eighths of a degree

Key KeyOf(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Space:
            return Key::Space;
        case Qt::Key_Escape:
            return Key::Escape;
        case Qt::Key_Left:
            return Key::Left;
        case Qt::Key_Right:
            return Key::Right;
        case Qt::Key_PageUp:
            return Key::PageUp;
        case Qt::Key_PageDown:
            return Key::PageDown;
        case Qt::Key_F1:
            return Key::F1;
        case Qt::Key_Comma:
            return Key::Comma;
        case Qt::Key_1:
            return Key::Digit1;
        case Qt::Key_2:
            return Key::Digit2;
        case Qt::Key_3:
            return Key::Digit3;
        case Qt::Key_4:
            return Key::Digit4;
        case Qt::Key_5:
            return Key::Digit5;
        case Qt::Key_I:
            return Key::I;
        case Qt::Key_O:
            return Key::O;
        case Qt::Key_Q:
            return Key::Q;
        case Qt::Key_R:
            return Key::R;
        case Qt::Key_S:
            return Key::S;
        case Qt::Key_U:
            return Key::U;
        case Qt::Key_Z:
            return Key::Z;
        default:
            return Key::Other;
    }
}

}  // namespace

Message KeyMessageFor(const QKeyEvent& event) {
    Message message{MessageKind::KeyPress};
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (event.isAutoRepeat() || (modifiers & (Qt::AltModifier | Qt::MetaModifier))) {
        return message;
    }
    message.key = KeyOf(event.key());
    message.control = (modifiers & Qt::ControlModifier) != 0;
    return message;
}

int WheelNotches::Add(int angleDelta) {
    rest_ += angleDelta;
    const int notches = rest_ / kNotch;
    rest_ -= notches * kNotch;
    return notches;
}

}  // namespace marvolin::platform::qt
