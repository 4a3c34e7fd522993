#pragma once

#include <optional>
#include <string_view>

namespace tovra {

// The keys the cab's key-down handler knows, apart from character keys.
enum class VirtualKey {
    F1,
    F2,
    F3,
    F4,
    F5,
    F6,
    F7,
    F8,
    F9,
    F10,
    F11,
    F12,
    Enter,
    Backspace,
    PageUp,
    PageDown,
    ScrollLock,
    Up,
    Down,
};

// "F1".."F12", "Enter", "Backspace", "PageUp", "PageDown", "ScrollLock", "Up", "Down".
std::optional<VirtualKey> virtualKeyNamed(std::string_view name);

}  // namespace tovra
