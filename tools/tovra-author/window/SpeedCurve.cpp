#include "SpeedCurve.h"

#include <QPainter>
#include <algorithm>

namespace tovra::author {

SpeedCurve::SpeedCurve(QWidget* parent) : QWidget(parent) {
    setMinimumHeight(140);
}

void SpeedCurve::show(const std::vector<double>& positions, double fps,
                      const std::vector<int>& stations) {
    positions_ = positions;
    stations_ = stations;
    kmh_.assign(positions.size(), 0);
    const int span = std::max(1, int(fps / 2));
    for (int f = 0; f < int(positions.size()); ++f) {
        const int a = std::max(0, f - span), b = std::min(int(positions.size()) - 1, f + span);
        if (b > a) kmh_[f] = (positions[b] - positions[a]) / (b - a) * fps * 0.036;
    }
    update();
}

void SpeedCurve::setCursor(int frame) {
    cursor_ = frame;
    update();
}

void SpeedCurve::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (positions_.size() < 2 || positions_.back() <= positions_.front()) return;
    const double length = positions_.back() - positions_.front();
    const double top = std::max(10.0, *std::max_element(kmh_.begin(), kmh_.end()) * 1.1);
    const auto x = [&](int f) {
        return 4 + (width() - 8) * (positions_[f] - positions_[0]) / length;
    };
    const auto y = [&](double v) { return height() - 14 - (height() - 20) * v / top; };
    p.setPen(QColor(200, 60, 60));
    for (int s : stations_) {
        if (s < 0 || s >= int(positions_.size())) continue;
        p.drawLine(QPointF(x(s), 0), QPointF(x(s), height()));
    }
    p.setPen(QPen(Qt::darkBlue, 1.5));
    const int step = std::max<int>(1, int(positions_.size()) / 2000);
    for (int f = step; f < int(positions_.size()); f += step)
        p.drawLine(QPointF(x(f - step), y(kmh_[f - step])), QPointF(x(f), y(kmh_[f])));
    p.setPen(Qt::black);
    if (cursor_ >= 0 && cursor_ < int(positions_.size()))
        p.drawLine(QPointF(x(cursor_), 0), QPointF(x(cursor_), height()));
    p.drawText(4, height() - 2,
               QString("%1 m, top %2 km/h").arg(length / 100, 0, 'f', 0).arg(top / 1.1, 0, 'f', 0));
}

}  // namespace tovra::author
