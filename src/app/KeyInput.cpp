#include "app/KeyInput.h"

#include <QKeyEvent>

namespace tovra {

namespace {

std::optional<VirtualKey> virtualKeyOf(int qtKey) {
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12)
        return VirtualKey(int(VirtualKey::F1) + (qtKey - Qt::Key_F1));
    switch (qtKey) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return VirtualKey::Enter;
        case Qt::Key_Backspace:
            return VirtualKey::Backspace;
        case Qt::Key_PageUp:
            return VirtualKey::PageUp;
        case Qt::Key_PageDown:
            return VirtualKey::PageDown;
        case Qt::Key_ScrollLock:
            return VirtualKey::ScrollLock;
        case Qt::Key_Up:
            return VirtualKey::Up;
        case Qt::Key_Down:
            return VirtualKey::Down;
        default:
            return std::nullopt;
    }
}

}  // namespace

CabKey cabKeyOf(int qtKey, int modifiers, const QString& text) {
    CabKey key;
    key.key = virtualKeyOf(qtKey);
    const int held =
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    key.shiftAlone = held == Qt::ShiftModifier;
    if (!key.key && text.size() == 1) {
        const char16_t c = text.at(0).unicode();
        if (c >= 0x20 && c < 0x7F) key.character = char(c);
    }
    return key;
}

CabKey cabKeyOf(const QKeyEvent& event) {
    return cabKeyOf(event.key(), int(event.modifiers()), event.text());
}

}  // namespace tovra
