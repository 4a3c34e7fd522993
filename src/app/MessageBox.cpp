#include "app/MessageBox.h"

#include <QMessageBox>

namespace tovra {

namespace {

MessageBoxHandler& handler() {
    static MessageBoxHandler current;
    return current;
}

}  // namespace

void showMessageBox(QWidget* parent, const QString& text) {
    if (handler()) {
        handler()(text);
        return;
    }
    QMessageBox::information(parent, "ヴェルモラン", text);
}

MessageBoxHandler setMessageBoxHandler(MessageBoxHandler replacement) {
    return std::exchange(handler(), std::move(replacement));
}

}  // namespace tovra
