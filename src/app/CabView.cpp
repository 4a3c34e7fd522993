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
    // The surface is drawn at the size it is shown: centred, not scaled,
    // wherever it fits.
    const QSize size = (QSizeF(surface_.image().size()) / surface_.pixelRatio()).toSize();
    if (size.width() <= width() && size.height() <= height())
        return {(width() - size.width()) / 2, (height() - size.height()) / 2, size.width(),
                size.height()};
    return fitCentred(size, rect());
}

void CabView::setTop(int top) {
    top_ = top;
    update();
}

void CabView::showChanged(const QRegion& area) {
    const QRect target = targetRect();
    const double ratio = surface_.pixelRatio();
    if (target.size() != (QSizeF(surface_.image().size()) / ratio).toSize() || top_ != 0) {
        update();  // scaled, or moved: not worth mapping
        return;
    }
    if (ratio == 1) {
        update(area.translated(target.topLeft()));
        return;
    }
    QRegion units;
    for (const QRect& r : area)
        units += QRectF(r.x() / ratio, r.y() / ratio, r.width() / ratio, r.height() / ratio)
                     .toAlignedRect();
    update(units.translated(target.topLeft()));
}

void CabView::paintEvent(QPaintEvent*) {
    if (devicePixelRatioF() != surface_.pixelRatio())
        QMetaObject::invokeMethod(this, &CabView::pixelRatioChanged, Qt::QueuedConnection);
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
    const QSizeF own = QSizeF(surface_.image().size()) / surface_.pixelRatio();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, target.size() != own.toSize());
    // In the screen's pixels when it is shown at its own size.
    const QSizeF size = target.size() == own.toSize() ? own : QSizeF(target.size());
    painter.drawImage(QRectF(target.translated(0, int(top_ * scale)).topLeft(), size),
                      surface_.image());
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
