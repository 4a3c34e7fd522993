#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace tovra {

// Every message the program shows goes through here: a modal message box,
// or what a test puts in its place.
void showMessageBox(QWidget* parent, const QString& text);

// The program's name as its windows and boxes carry it.
QString applicationTitle();

using MessageBoxHandler = std::function<void(const QString&)>;
// Replaces the message box until the returned handler is put back.
MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler);

}  // namespace tovra
