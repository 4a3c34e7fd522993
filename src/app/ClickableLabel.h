#pragma once

#include <QLabel>
#include <QMouseEvent>

namespace tovra {

// A picture that reports its clicks with the button pressed.
class ClickableLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;

  Q_SIGNALS:
    void clicked(Qt::MouseButton button);

  protected:
    void mousePressEvent(QMouseEvent* event) override { Q_EMIT clicked(event->button()); }
};

}  // namespace tovra
