#include "app/keyboard_shortcuts.h"

#include "app/tables.h"

namespace marvolin::app {
namespace {

using platform::Key;

constexpr ShortcutClick Left(std::uint16_t hotspot) {
    return {hotspot, MouseButton::Left};
}

std::optional<ShortcutClick> WithControl(Key key) {
    switch (key) {
        case Key::O:
            return Left(kOpenHotspot);
        case Key::S:
            return Left(kSaveHotspot);
        case Key::Z:
            return Left(kUndoHotspot);
        case Key::Comma:
            return Left(kOptionsHotspot);
        case Key::I:
            return Left(kAboutHotspot);
        case Key::Q:
            return Left(kExitHotspot);
        default:
            return std::nullopt;
    }
}

std::optional<ShortcutClick> Plain(Key key) {
    switch (key) {
        case Key::Space:
            return Left(kPlayHotspot);
        case Key::R:
            return Left(kRecordHotspot);
        case Key::U:
            return Left(kUndoHotspot);
        case Key::F1:
            return Left(kAboutHotspot);
        case Key::Escape:
            return Left(kExitHotspot);
        case Key::Right:
        case Key::PageDown:
            return Left(kCategoryHotspot);
        case Key::Left:
        case Key::PageUp:
            return ShortcutClick{kCategoryHotspot, MouseButton::Right};
        case Key::Digit1:
        case Key::Digit2:
        case Key::Digit3:
        case Key::Digit4:
        case Key::Digit5:
            return Left(static_cast<std::uint16_t>(
                kFirstEffectHotspot + (static_cast<int>(key) - static_cast<int>(Key::Digit1))));
        default:
            return std::nullopt;
    }
}

}  // namespace

std::optional<ShortcutClick> ShortcutFor(Key key, bool control) {
    return control ? WithControl(key) : Plain(key);
}

std::optional<ShortcutClick> WheelShortcut(int steps) {
    if (steps > 0) {
        return ShortcutClick{kCategoryHotspot, MouseButton::Right};
    }
    if (steps < 0) {
        return Left(kCategoryHotspot);
    }
    return std::nullopt;
}

std::string_view ShortcutSuffix(std::uint16_t hotspot) {
    switch (hotspot) {
        case kOpenHotspot:
            return " (Ctrl+O)";
        case kSaveHotspot:
            return " (Ctrl+S)";
        case kRecordHotspot:
            return " (R)";
        case kPlayHotspot:
            return " (Space)";
        case kUndoHotspot:
            return " (Ctrl+Z)";
        case kOptionsHotspot:
            return " (Ctrl+,)";
        case kExitHotspot:
            return " (Esc)";
        case kCategoryHotspot:
            return " (Left, Right)";
        case kAboutHotspot:
            return " (F1)";
        default:
            // "Select effect number 3..." already names its key.
            return "";
    }
}

}  // namespace marvolin::app
