#include "app/MessageBox.h"

#include <QCoreApplication>
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
    QMessageBox::information(parent, applicationTitle(), text);
}

QString applicationTitle() {
    return QCoreApplication::translate("MessageBox", "ヴェルモラン");
}

MessageBoxHandler setMessageBoxHandler(MessageBoxHandler replacement) {
    return std::exchange(handler(), std::move(replacement));
}

}  // namespace tovra
