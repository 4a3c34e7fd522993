#pragma once

#include <QWidget>

namespace tovra {

class CabSurface;

// Shows the cab surface scaled to the widget, keeping its proportions, and
// reports clicks and the wheel. `top` is the surface's vertical offset.
class CabView : public QWidget {
    Q_OBJECT
  public:
    explicit CabView(const CabSurface& surface, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    // The rectangle the surface occupies in the widget.
    QRect targetRect() const;
    void setTop(int top);
    // Repaints where `area` of the surface shows.
    void showChanged(const QRegion& area);
    int top() const { return top_; }

  Q_SIGNALS:
    // The screen's pixels per unit of the window differ from the surface's:
    // it is to be drawn again for the screen the window is on now.
    void pixelRatioChanged();
    void clicked();
    void wheelTowardsUser();
    void wheelAwayFromUser();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    static constexpr int kWheelNotch = 120;  // eighths of a degree

    const CabSurface& surface_;
    int top_ = 0;
    int wheelAngle_ = 0;  // turned since the last step, below one notch
};

// Where a picture of `picture` size goes in `area`: scaled to fit, centred.
QRect fitCentred(QSize picture, QRect area);

}  // namespace tovra
