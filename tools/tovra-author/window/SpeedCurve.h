#pragma once

#include <QWidget>
#include <vector>

namespace tovra::author {

// The speed over the distance of the way measured, with the stations marked
// and the frame shown as a cursor.
class SpeedCurve : public QWidget {
  public:
    explicit SpeedCurve(QWidget* parent = nullptr);
    // `positions` cm per frame at `fps`; `stations` their frames.
    void show(const std::vector<double>& positions, double fps, const std::vector<int>& stations);
    void setCursor(int frame);

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    std::vector<double> positions_;
    std::vector<double> kmh_;  // per frame, over a second
    std::vector<int> stations_;
    int cursor_ = 0;
};

}  // namespace tovra::author
