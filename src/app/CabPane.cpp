#include "app/CabPane.h"

#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <cmath>

#include "app/CabSurface.h"

namespace tovra {

namespace {

constexpr int kSpacing = 2;  // between the picture and the column

int scaled(int units, double scale) {
    return int(std::lround(units * scale));
}

}  // namespace

QSize cabPaneNaturalSize(QSize side) {
    const bool column = side.width() > 0 && side.height() >= 0;
    return {CabSurface::kWidth + (column ? kSpacing + side.width() : 0),
            std::max(CabSurface::kHeight, side.height())};
}

CabPaneGeometry cabPaneGeometry(QSize pane, QSize side, int evenUnits, double pixelRatio) {
    const QSize natural = cabPaneNaturalSize(side);
    CabPaneGeometry g;
    g.scale = std::min(double(pane.width()) / natural.width(),
                       double(pane.height()) / natural.height());
    if (!(g.scale > 0)) g.scale = 1.0 / 64;
    const double pixels = evenUnits * pixelRatio;
    if (evenUnits > 0 && g.scale != 1 && std::lround(pixels * g.scale) % 2 != 0) {
        const int even = std::max(2, int(std::floor(pixels * g.scale / 2)) * 2);
        g.scale = even / pixels;
    }
    const QSize block(scaled(natural.width(), g.scale), scaled(natural.height(), g.scale));
    const QPoint origin((pane.width() - block.width()) / 2, (pane.height() - block.height()) / 2);
    g.view = QRect(origin, QSize(scaled(CabSurface::kWidth, g.scale), block.height()));
    if (natural.width() > CabSurface::kWidth) {
        const int left = scaled(CabSurface::kWidth + kSpacing, g.scale);
        g.side = QRect(origin.x() + left, origin.y(), block.width() - left, block.height());
    }
    return g;
}

CabPane::CabPane(QWidget* view, QWidget* side, QWidget* parent)
    : QWidget(parent), view_(view), sideWidget_(side) {
    view_->setParent(this);
    sideWidget_->setParent(this);
}

void CabPane::setSideSize(QSize side) {
    if (side == side_) return;
    side_ = side;
    updateGeometry();
    // A pane not yet shown has no size of its own: it is placed when it gets one.
    if (isVisible()) place();
}

void CabPane::setVideoWidth(int units) {
    if (units == videoWidth_) return;
    videoWidth_ = units;
    if (isVisible()) place();
}

void CabPane::placeAgain() {
    placed_ = false;
    place();
}

QSize CabPane::sizeHint() const {
    return cabPaneNaturalSize(side_);
}

QSize CabPane::minimumSizeHint() const {
    return sizeHint() / 4;
}

void CabPane::resizeEvent(QResizeEvent*) {
    place();
}

void CabPane::place() {
    const CabPaneGeometry g = cabPaneGeometry(size(), side_, videoWidth_, devicePixelRatioF());
    view_->setGeometry(g.view);
    sideWidget_->setGeometry(g.side);
    sideWidget_->setVisible(!g.side.isEmpty());
    const bool changed = !placed_ || g.scale != geometry_.scale;
    geometry_ = g;
    placed_ = true;
    if (changed) Q_EMIT scaleChanged(g.scale);
}

void CabPane::paintEvent(QPaintEvent*) {
    // Between the picture and the column the window's own colour shows, as
    // it always did; around the pair, black.
    QPainter painter(this);
    const QRect pair = geometry_.view.united(geometry_.side);
    for (const QRect& margin : QRegion(rect()) - QRegion(pair)) painter.fillRect(margin, Qt::black);
}

}  // namespace tovra
