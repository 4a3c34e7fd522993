#pragma once

#include <QObject>
#include <functional>

class QKeyEvent;
class QWidget;

namespace tovra {

using KeyForward = std::function<void(QKeyEvent*)>;

// Hands the key presses and releases of a window and its controls to the cab
// window, so that the keyboard drives the train whichever window has the
// focus. Text fields keep their keys.
class KeyForwarder : public QObject {
  public:
    KeyForwarder(QWidget* window, KeyForward forward);
    // Watches `widget` and every control below it.
    void watch(QWidget* widget);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    KeyForward forward_;
};

}  // namespace tovra
