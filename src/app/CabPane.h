#pragma once

#include <QRect>
#include <QSize>
#include <QWidget>

namespace tovra {

// Where the cab picture and the timetable column go in a pane: the two side
// by side, 2 units apart, scaled together by the largest factor at which
// both fit, the pair centred. At scale 1 the picture is the 800 x 760 cab
// surface and the column its own size: the default window.
struct CabPaneGeometry {
    double scale = 1;
    QRect view;  // the cab picture's widget (as tall as the pair)
    QRect side;  // the column; empty when it has no size
};
// `side` is the column's size at scale 1 (0 x 0: none). With `evenUnits`
// (the video's width in the layout) other scales than 1 are lowered a little
// where needed to make that width an even number of the screen's pixels
// (`pixelRatio` of them a unit): the scaler converts pictures of an odd
// width four times as slowly.
QSize cabPaneNaturalSize(QSize side);
CabPaneGeometry cabPaneGeometry(QSize pane, QSize side, int evenUnits = 0,
                                double pixelRatio = 1);

// The pane that holds the cab view and the column beside it and lays them
// out by cabPaneGeometry; black where neither reaches.
class CabPane : public QWidget {
    Q_OBJECT
  public:
    CabPane(QWidget* view, QWidget* side, QWidget* parent = nullptr);

    // The column's size at scale 1, measured by its owner whenever what the
    // column holds changes.
    void setSideSize(QSize side);
    QSize sideSize() const { return side_; }
    // The video's width in the layout, shown an even number of pixels wide.
    void setVideoWidth(int units);
    double scale() const { return geometry_.scale; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // Lays the pair out again and tells its scale (the screen changed).
    void placeAgain();

  Q_SIGNALS:
    // The scale changed: the owner makes the contents of that size.
    void scaleChanged(double scale);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void place();

    QWidget* view_;
    QWidget* sideWidget_;
    QSize side_;
    int videoWidth_ = 0;
    CabPaneGeometry geometry_;
    bool placed_ = false;
};

}  // namespace tovra
