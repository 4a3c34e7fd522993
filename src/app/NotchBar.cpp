#include "app/NotchBar.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace tovra {

namespace {

constexpr int kMargin = 8;
constexpr int kGrab = 6;  // pixels either side of a mark that pick it up
// Two marks may not meet: a notch needs some travel of its own.
constexpr double kLeastNotch = 0.01;

}  // namespace

NotchBar::NotchBar(QWidget* parent) : QWidget(parent) {
    setMinimumHeight(36);
}

void NotchBar::setNotches(std::vector<double> notches) {
    notches_ = std::move(notches);
    update();
}

void NotchBar::setTravel(std::optional<double> travel) {
    if (travel == travel_) return;
    travel_ = travel;
    update();
}

double NotchBar::travelAt(int x) const {
    return std::clamp(double(x - kMargin) / std::max(1, width() - 2 * kMargin), 0.0, 1.0);
}

int NotchBar::xAt(double travel) const {
    return kMargin + int(std::lround(travel * (width() - 2 * kMargin)));
}

void NotchBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect bar(kMargin, height() / 3, width() - 2 * kMargin, height() / 3);
    p.fillRect(bar, palette().base());
    p.setPen(palette().text().color());
    p.drawRect(bar);
    for (std::size_t i = 0; i < notches_.size(); ++i) {
        const int x = xAt(notches_[i]);
        p.drawLine(x, 2, x, height() - 2);
        const int next = i + 1 < notches_.size() ? xAt(notches_[i + 1]) : bar.right();
        p.drawText(QRect(x, 0, next - x, height() / 3), Qt::AlignCenter, QString::number(i + 1));
    }
    if (travel_) {
        const int x = xAt(*travel_);
        p.fillRect(QRect(bar.left(), bar.top() + 2, x - bar.left(), bar.height() - 3),
                   palette().highlight());
    }
}

void NotchBar::mousePressEvent(QMouseEvent* event) {
    const int x = event->position().toPoint().x();
    dragged_.reset();
    for (std::size_t i = 0; i < notches_.size(); ++i) {
        if (std::abs(xAt(notches_[i]) - x) <= kGrab) dragged_ = i;
    }
}

void NotchBar::mouseMoveEvent(QMouseEvent* event) {
    if (!dragged_) return;
    const std::size_t i = *dragged_;
    const double low = i > 0 ? notches_[i - 1] + kLeastNotch : kLeastNotch;
    const double high = i + 1 < notches_.size() ? notches_[i + 1] - kLeastNotch : 1.0;
    if (low > high) return;
    notches_[i] = std::clamp(travelAt(event->position().toPoint().x()), low, high);
    update();
}

void NotchBar::mouseReleaseEvent(QMouseEvent*) {
    if (dragged_ && notchesChanged) notchesChanged(notches_);
    dragged_.reset();
}

}  // namespace tovra
