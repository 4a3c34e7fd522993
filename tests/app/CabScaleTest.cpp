// The cab picture follows the window: enlarged, maximised or full screen it
// is drawn at the size shown, the timetable column beside it in proportion.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QThread>
#include <cmath>

#include "CabWindowFixture.h"
#include "app/CabPane.h"
#include "app/CabView.h"
#include "app/CabWindow.h"

namespace tovra {
namespace {

TEST(AppCabPane, AtItsOwnSizeThePairIsLaidOutAsTheDefaultWindow) {
    const QSize column(230, 396);
    EXPECT_EQ(cabPaneNaturalSize(column), QSize(1032, 760));
    const CabPaneGeometry own = cabPaneGeometry({1032, 760}, column);
    EXPECT_EQ(own.scale, 1.0);
    EXPECT_EQ(own.view, QRect(0, 0, 800, 760));
    EXPECT_EQ(own.side, QRect(802, 0, 230, 760));
    // A column taller than the cab makes the pair as tall; the cab picture
    // is then centred in its widget.
    EXPECT_EQ(cabPaneNaturalSize({230, 900}), QSize(1032, 900));
    // No column: the cab alone.
    EXPECT_EQ(cabPaneNaturalSize({}), QSize(800, 760));
    EXPECT_TRUE(cabPaneGeometry({800, 760}, {}).side.isEmpty());
}

TEST(AppCabPane, ThePairScalesAsOneAndIsCentred) {
    const QSize column(230, 396);
    const CabPaneGeometry twice = cabPaneGeometry({2064, 1520}, column);
    EXPECT_EQ(twice.scale, 2.0);
    EXPECT_EQ(twice.view, QRect(0, 0, 1600, 1520));
    EXPECT_EQ(twice.side, QRect(1604, 0, 460, 1520));
    // Wider than the pair: black on both sides, the height decides.
    const CabPaneGeometry wide = cabPaneGeometry({3000, 1520}, column);
    EXPECT_EQ(wide.scale, 2.0);
    EXPECT_EQ(wide.view.topLeft(), QPoint(468, 0));
    EXPECT_EQ(wide.side.right(), 468 + 2064 - 1);
    // Taller: the width decides.
    const CabPaneGeometry tall = cabPaneGeometry({1548, 2000}, column);
    EXPECT_EQ(tall.scale, 1.5);
    EXPECT_EQ(tall.view, QRect(0, (2000 - 1140) / 2, 1200, 1140));
    // Smaller than the default: the same, scaled down.
    EXPECT_NEAR(cabPaneGeometry({516, 380}, column).scale, 0.5, 1e-9);
}

// The video's width in pixels is even at any scale but 1 (an odd one costs
// the scaler four times as much).
TEST(AppCabPane, TheVideoIsAnEvenNumberOfPixelsWide) {
    const QSize column(230, 396);
    for (int height = 300; height <= 2200; height += 7) {
        const CabPaneGeometry g = cabPaneGeometry({4000, height}, column, 800);
        EXPECT_EQ(int(std::lround(800 * g.scale)) % 2, 0) << height;
        EXPECT_LE(g.view.height(), height);
        EXPECT_GT(g.scale, double(height) / 760 - 2.0 / 800);
    }
    EXPECT_EQ(cabPaneGeometry({1032, 760}, column, 799).scale, 1.0);  // 1:1 stays
}

class AppCabScale : public test::CabWindowFixture {
  protected:
    QAction* displayItem(const char* caption) const {
        for (QAction* a : window->menus()->actions()[2]->menu()->actions())
            if (a->text() == caption) return a;
        return nullptr;
    }
    CabPane* pane() const { return window->findChild<CabPane*>(); }
    // The screen's pixels per unit of the window (2 on a high-density screen).
    double ratio() const { return window->devicePixelRatioF(); }
    QSize pixels(QSize units) const { return (QSizeF(units) * ratio()).toSize(); }
    CabView* view() const { return window->findChild<CabView*>(); }

    // Ticks by hand, then draws until the video picture has the size it is
    // shown at.
    void runAndDraw() {
        Cab& cab = window->cab();
        cab.host.setPhysicsTimerRunning(false);
        cab.host.setLogicTimerRunning(false);
        for (int period = 1; period <= 30; ++period) {
            window->physicsTick();
            if (period % 3 == 0) window->logicTick();
        }
        const QSize video = shownVideo();
        for (int pass = 0; pass < 400 && !pictureShown(video); ++pass) {
            QThread::msleep(16);
            window->drawPass();
            QApplication::processEvents();
        }
        QApplication::processEvents();
    }
    QSize shownVideo() const {
        const Cab& cab = window->cab();
        return window->surface()
            .shown(QRect(0, 0, cab.settings.VideoWidth, cab.settings.VideoHeight))
            .size();
    }
    bool pictureShown(QSize video) const {
        const auto& picture = window->cab().video.picture;
        return picture && QSize(picture->width, picture->height) == video &&
               window->cab().video.PictureFrame == window->cab().state.Frame;
    }
    // Where a rectangle of the cab's layout shows in the window.
    QRect inWindow(const QRect& layout) const {
        const QRect r = window->surface().shown(layout);
        const double k = ratio();
        const QRect units =
            QRectF(r.x() / k, r.y() / k, r.width() / k, r.height() / k).toAlignedRect();
        return units.translated(view()->mapTo(window.get(), view()->targetRect().topLeft()));
    }

    // Everything of the panel inside the window and inside the cab picture;
    // the column beside it in proportion.
    void expectAllInside(QSize size) {
        const QRect inside = window->rect();
        const double scale = pane()->scale();
        const QRect cab = inWindow(QRect(0, 0, CabSurface::kWidth, CabSurface::kHeight));
        EXPECT_TRUE(inside.contains(cab)) << size.width();
        EXPECT_EQ(window->surface().image().size(),
                  QSize(int(std::lround(800 * scale * ratio())),
                        int(std::lround(760 * scale * ratio()))));
        // Every sprite, shown now or not (a lamp lights later).
        int sprites = 0;
        for (const Sprite& sprite : window->cab().sprites.sprites()) {
            const QRect layout(sprite.x, sprite.y, sprite.width, sprite.height);
            // Sprites a route places off the picture stay off it at every size.
            if (!QRect(0, 0, 800, 760).contains(layout)) continue;
            ++sprites;
            EXPECT_TRUE(cab.contains(inWindow(layout)))
                << size.width() << ": sprite at " << sprite.x << ", " << sprite.y;
        }
        EXPECT_GT(sprites, 40);
        const VehicleSpec& v = window->cab().vehicle;
        EXPECT_TRUE(inside.contains(inWindow(QRect(v.ClockX, v.ClockY, 50, 50))));
        // The video decoded at the size it is shown.
        const auto& picture = window->cab().video.picture;
        ASSERT_TRUE(picture);
        EXPECT_EQ(QSize(picture->width, picture->height), shownVideo()) << size.width();

        // The column: every widget it shows inside the window, the card
        // scaled with the cab.
        const auto* card = window->findChild<QLabel*>("staffDisplay");
        ASSERT_TRUE(card);
        const QRect cardRect(card->mapTo(window.get(), QPoint()), card->size());
        EXPECT_TRUE(inside.contains(cardRect)) << size.width();
        EXPECT_GT(cardRect.left(), cab.right());
        const Image& staff = *window->cab().staff.side;
        EXPECT_NEAR(card->pixmap().width(), staff.width * scale * ratio(), 1);
        EXPECT_NEAR(card->pixmap().height(), staff.height * scale * ratio(), 1);
        for (const QLabel* label : window->findChildren<QLabel*>()) {
            if (!label->isVisibleTo(window.get()) || !label->objectName().startsWith("Label"))
                continue;
            const QRect at(label->mapTo(window.get(), QPoint()), label->size());
            EXPECT_TRUE(inside.contains(at)) << size.width() << ": "
                                             << label->objectName().toStdString();
        }
    }
};

TEST_F(AppCabScale, TheDefaultWindowShowsTheCabAtItsOwnSize) {
    window->show();
    QApplication::processEvents();
    EXPECT_EQ(pane()->scale(), 1.0);
    EXPECT_EQ(window->surface().image().size(), pixels({800, 760}));
    EXPECT_EQ(view()->targetRect(), QRect(0, 0, 800, 760));
}

TEST_F(AppCabScale, EveryPanelElementStaysInsideTheWindowAtEverySize) {
    window->show();
    for (const QSize size : {QSize(1280, 720), QSize(1920, 1080), QSize(3840, 2160)}) {
        window->resize(size);
        QApplication::processEvents();
        ASSERT_EQ(window->size(), size);
        runAndDraw();
        SCOPED_TRACE(size.width());
        expectAllInside(size);
        // The pair fills the height or the width of the pane, but for the
        // pixel or two that makes the video's width even.
        const double scale = pane()->scale();
        const QSize natural = cabPaneNaturalSize(pane()->sideSize());
        EXPECT_TRUE(std::abs(natural.height() * scale - pane()->height()) < 3 ||
                    std::abs(natural.width() * scale - pane()->width()) < 3);
        EXPECT_EQ(shownVideo().width() % 2, 0);
        if (size.height() >= 1080) EXPECT_GT(scale, 1.2);
    }
    // With the label column too.
    displayItem("文字表示モード切り替え(&C)")->trigger();
    window->resize(1280, 720);
    QApplication::processEvents();
    runAndDraw();
    expectAllInside({1280, 720});
    EXPECT_TRUE(window->findChild<QLabel*>("Label4")->isVisibleTo(window.get()));
}

TEST_F(AppCabScale, FullScreenByMenuOrF11AndBackByEsc) {
    window->show();
    QApplication::processEvents();
    QAction* full = displayItem("全画面表示(&F)");
    ASSERT_TRUE(full);
    EXPECT_EQ(full->shortcut(), QKeySequence(Qt::Key_F11));
    full->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(window->isFullScreen());
    EXPECT_TRUE(full->isChecked());
    EXPECT_EQ(window->size(), window->screen()->geometry().size());
    runAndDraw();
    EXPECT_GT(pane()->scale(), 1.4);
    expectAllInside(window->size());

    // Shift+F11 is still the cab's testing key.
    window->cab().state.Speed = 50;
    QKeyEvent slower(QEvent::KeyPress, Qt::Key_F11, Qt::ShiftModifier);
    QApplication::sendEvent(window.get(), &slower);
    EXPECT_EQ(window->cab().state.Speed, 40);
    EXPECT_TRUE(window->isFullScreen());

    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &escape);
    QApplication::processEvents();
    EXPECT_FALSE(window->isFullScreen());
    EXPECT_FALSE(full->isChecked());
    EXPECT_EQ(pane()->scale(), 1.0);
    EXPECT_EQ(window->surface().image().size(), pixels({800, 760}));
}

}  // namespace
}  // namespace tovra
