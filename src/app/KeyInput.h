#pragma once

#include <QString>
#include <optional>

#include "input/VirtualKey.h"

class QKeyEvent;

namespace tovra {

// A key event as the cab's handlers take it: the typed character (ASCII
// only), or the key without a character, with Shift held alone.
struct CabKey {
    std::optional<char> character;
    std::optional<VirtualKey> key;
    bool shiftAlone = false;
};
CabKey cabKeyOf(int qtKey, int modifiers, const QString& text);
CabKey cabKeyOf(const QKeyEvent& event);

}  // namespace tovra
