#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/messages.h"

namespace marvolin::app {

// A key stands for a click on one hotspot, with the left or the right mouse button.
enum class MouseButton { Left, Right };
struct ShortcutClick {
    std::uint16_t hotspot;
    MouseButton button;
};

// The click that `key` (with Ctrl held when `control`) stands for; nothing for other keys.
std::optional<ShortcutClick> ShortcutFor(platform::Key key, bool control);

// The click that a mouse wheel turned by `steps` notches stands for: away from the user steps
// the category back, towards the user forward.
std::optional<ShortcutClick> WheelShortcut(int steps);

// " (Space)" and the like, to end a hotspot's help line with; empty where the help line says
// it already or the hotspot has no key.
std::string_view ShortcutSuffix(std::uint16_t hotspot);

}  // namespace marvolin::app
