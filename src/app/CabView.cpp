#include "app/CabView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QWheelEvent>

#include "app/CabSurface.h"

namespace tovra {

QRect fitCentred(QSize picture, QRect area) {
    const QSize size = picture.scaled(area.size(), Qt::KeepAspectRatio);
    return {area.x() + (area.width() - size.width()) / 2,
            area.y() + (area.height() - size.height()) / 2, size.width(), size.height()};
}

CabView::CabView(const CabSurface& surface, QWidget* parent) : QWidget(parent), surface_(surface) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setMinimumSize(CabSurface::kWidth / 4, CabSurface::kHeight / 4);
}

QSize CabView::sizeHint() const {
    return {CabSurface::kWidth, CabSurface::kHeight};
}

QRect CabView::targetRect() const {
    return fitCentred(surface_.image().size(), rect());
}

void CabView::setTop(int top) {
    top_ = top;
    update();
}

void CabView::showChanged(const QRegion& area) {
    const QRect target = targetRect();
    if (target.size() != surface_.image().size() || top_ != 0) {
        update();  // scaled, or moved: not worth mapping
        return;
    }
    update(area.translated(target.topLeft()));
}

void CabView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect target = targetRect();
    // Black only where the surface does not cover: its margins, and below it
    // when it is moved up.
    for (const QRect& margin : QRegion(rect()) - QRegion(target))
        painter.fillRect(margin, Qt::black);
    if (top_ != 0) painter.fillRect(target, Qt::black);
    const double scale = double(target.height()) / CabSurface::kHeight;
    painter.setClipRect(target);
    // A surface shown at its own size is copied, not filtered.
    painter.setRenderHint(QPainter::SmoothPixmapTransform,
                          target.size() != surface_.image().size());
    painter.drawImage(target.translated(0, int(top_ * scale)), surface_.image());
}

void CabView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Q_EMIT clicked();
}

void CabView::wheelEvent(QWheelEvent* event) {
    // One handle step per notch of a plain wheel: fine-grained wheels and
    // touchpads send parts of a notch, which add up.
    wheelAngle_ += event->angleDelta().y();
    for (; wheelAngle_ >= kWheelNotch; wheelAngle_ -= kWheelNotch) Q_EMIT wheelAwayFromUser();
    for (; wheelAngle_ <= -kWheelNotch; wheelAngle_ += kWheelNotch) Q_EMIT wheelTowardsUser();
}

}  // namespace tovra
