#include "app/KeyForwarder.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

namespace tovra {

KeyForwarder::KeyForwarder(QWidget* window, KeyForward forward)
    : QObject(window), forward_(std::move(forward)) {
    watch(window);
}

void KeyForwarder::watch(QWidget* widget) {
    widget->installEventFilter(this);
    for (QWidget* child : widget->findChildren<QWidget*>()) child->installEventFilter(this);
}

bool KeyForwarder::eventFilter(QObject* watched, QEvent* event) {
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    if (!key || qobject_cast<QLineEdit*>(watched)) return false;
    if (forward_) forward_(static_cast<QKeyEvent*>(event));
    return true;
}

}  // namespace tovra
