#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

namespace tovra {

// One side of a handle's travel, rest on the left and the end on the right:
// the notch boundaries as marks the player can drag, and the live position
// of the axis.
class NotchBar : public QWidget {
  public:
    explicit NotchBar(QWidget* parent = nullptr);

    void setNotches(std::vector<double> notches);
    const std::vector<double>& notches() const { return notches_; }
    // Travel 0..1; none hides the marker.
    void setTravel(std::optional<double> travel);

    // Called with the boundaries after a drag moved one.
    std::function<void(const std::vector<double>&)> notchesChanged;

    QSize sizeHint() const override { return {360, 40}; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    double travelAt(int x) const;
    int xAt(double travel) const;

    std::vector<double> notches_;
    std::optional<double> travel_;
    std::optional<std::size_t> dragged_;
};

}  // namespace tovra
