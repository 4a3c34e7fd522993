#include "input/VirtualKey.h"

#include <array>
#include <utility>

namespace tovra {

std::optional<VirtualKey> virtualKeyNamed(std::string_view name) {
    static constexpr std::array<std::pair<std::string_view, VirtualKey>, 19> names = {{
        {"F1", VirtualKey::F1},
        {"F2", VirtualKey::F2},
        {"F3", VirtualKey::F3},
        {"F4", VirtualKey::F4},
        {"F5", VirtualKey::F5},
        {"F6", VirtualKey::F6},
        {"F7", VirtualKey::F7},
        {"F8", VirtualKey::F8},
        {"F9", VirtualKey::F9},
        {"F10", VirtualKey::F10},
        {"F11", VirtualKey::F11},
        {"F12", VirtualKey::F12},
        {"Enter", VirtualKey::Enter},
        {"Backspace", VirtualKey::Backspace},
        {"PageUp", VirtualKey::PageUp},
        {"PageDown", VirtualKey::PageDown},
        {"ScrollLock", VirtualKey::ScrollLock},
        {"Up", VirtualKey::Up},
        {"Down", VirtualKey::Down},
    }};
    for (const auto& [n, key] : names)
        if (n == name) return key;
    return std::nullopt;
}

}  // namespace tovra
