#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QThread>
#include <QTimer>
#include <algorithm>

#include "CabWindowFixture.h"
#include "ShownMessages.h"
#include "app/CabView.h"
#include "app/CabWindow.h"
#include "app/CrewChangeDialog.h"
#include "app/EasyCab.h"
#include "app/LanguageChoice.h"
#include "app/TrainSettingsDialog.h"
#include "app/ValueDisplay.h"
#include "common/DataPath.h"
#include "platform/OpenAlSoundDevice.h"
#include "platform/PictureFileDecoder.h"
#include "platform/QtSettingsStore.h"
#include "sim/PanelLamps.h"
#include "support/TempDir.h"
#include "view/PanelGauges.h"
#include "view/PanelMath.h"
#include "view/StatusTextUpdates.h"
#include "view/WaysidePictures.h"

namespace tovra {
namespace {

class AppCabWindow : public test::CabWindowFixture {
  protected:
    QMenu* menu(int index) const { return window->menus()->actions()[index]->menu(); }
    QAction* item(const char* caption) const {
        for (QAction* a : menu(2)->actions())
            if (a->text() == caption) return a;
        return nullptr;
    }
    void key(QWidget* to, int qtKey, const QString& text) {
        QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier, text);
        QApplication::sendEvent(to, &press);
    }
    // A drawing pass that is surely due: 15 ms after the one before.
    void drawDuePass() {
        QThread::msleep(16);
        window->drawPass();
    }
    // The share of the picture's own (not transparent) pixels that the
    // surface shows at (x, y): near 1 where it is drawn.
    double shownShare(const Image& picture, std::optional<std::uint32_t> key, int x, int y,
                      QRect part = {}) const {
        const QImage& surface = window->surface().image();
        if (part.isNull()) part = QRect(0, 0, picture.width, picture.height);
        int own = 0, shown = 0;
        for (int py = part.top(); py <= part.bottom(); ++py) {
            for (int px = part.left(); px <= part.right(); ++px) {
                const std::uint32_t colour = picture.at(px, py);
                if (key && colour == *key) continue;
                ++own;
                const QPoint at(x + px - part.left(), y + py - part.top());
                if (surface.rect().contains(at) &&
                    (surface.pixel(at) & 0xFFFFFFu) == (colour & 0xFFFFFFu))
                    ++shown;
            }
        }
        return own > 0 ? double(shown) / own : 0;
    }
    // Whether the sprite's pattern is drawn where the sprite stands.
    bool drawn(const char* name) const {
        const SpriteModel& sprites = window->cab().sprites;
        const Sprite* sprite = sprites.find(name);
        EXPECT_TRUE(sprite) << name;
        if (!sprite) return false;
        const Picture& picture = sprites.pictureOf(*sprite);
        const PatternGrid grid = patternGrid(picture);
        const QRect pattern((sprite->patternIndex % grid.columns) * grid.width,
                            (sprite->patternIndex / grid.columns) * grid.height, sprite->width,
                            sprite->height);
        const double share =
            shownShare(*picture.image, picture.transparentColour, sprite->x, sprite->y, pattern);
        EXPECT_TRUE(share > 0.9 || share < 0.6) << name << " half drawn: " << share;
        return share > 0.9;
    }
    int brightPixels() const {
        const QImage& image = window->surface().image();
        const int w = window->cab().settings.VideoWidth;
        const int h = window->cab().settings.VideoHeight;
        int count = 0;
        for (int y = 0; y < h; y += 2)
            for (int x = 0; x < w; x += 2)
                if (qGray(image.pixel(x, y)) > 200) ++count;
        return count;
    }
};

TEST_F(AppCabWindow, LoadsWithProgressMenusAndRunningTimers) {
    EXPECT_NE(std::find(progress.begin(), progress.end(), "設定ファイルを読み込んでいます"),
              progress.end());
    EXPECT_EQ(progress.back(), "環境をセットアップしています");
    EXPECT_TRUE(window->cab().running());
    EXPECT_EQ(window->startAction()->text(), "一時停止(&S)");

    const QList<QAction*> top = window->menus()->actions();
    ASSERT_EQ(top.size(), 5);
    EXPECT_EQ(top[0]->text(), "一時停止(&S)");
    EXPECT_EQ(top[1]->text(), "移動(&M)");
    EXPECT_EQ(top[2]->text(), "表示(&D)");
    EXPECT_EQ(top[3]->text(), "コントローラ(&C)");
    EXPECT_EQ(top[4]->text(), "保存(&S)");
    QStringList display;
    for (QAction* a : menu(2)->actions()) display << a->text();
    EXPECT_EQ(display, QStringList({"操作説明(&U)", "解説なし(&D)", "かんたん運転台(&E)",
                                    "喚呼なし(&K)", "停止位置ラインを表示しない(&S)",
                                    "列車設定(&P)", "視覚効果OFF(&V)", "文字表示モード切り替え(&C)",
                                    "全画面表示(&F)", "運転記録…", "言語(&G)"}));
    // A fresh user: only "no commentary" is checked; two items are hidden.
    EXPECT_TRUE(item("解説なし(&D)")->isChecked());
    EXPECT_FALSE(item("喚呼なし(&K)")->isChecked());
    EXPECT_FALSE(item("停止位置ラインを表示しない(&S)")->isChecked());
    EXPECT_FALSE(item("文字表示モード切り替え(&C)")->isChecked());
    EXPECT_FALSE(item("列車設定(&P)")->isVisible());
    EXPECT_FALSE(item("視覚効果OFF(&V)")->isVisible());
}

// The language chosen in the Display menu is kept with the display options
// and speaks from the next start on, unless --lang says otherwise.
TEST_F(AppCabWindow, LanguageChoiceIsStoredForTheNextStart) {
    QMenu* languages = item("言語(&G)")->menu();
    ASSERT_NE(languages, nullptr);
    const QList<QAction*> choices = languages->actions();
    ASSERT_EQ(choices.size(), 3);
    EXPECT_TRUE(choices[0]->isChecked());  // a fresh user follows the desktop
    EXPECT_EQ(programLanguage(std::nullopt, store), desktopLanguage());

    test::shownMessages().clear();
    choices[2]->trigger();
    EXPECT_EQ(choices[2]->text(), "English");
    EXPECT_TRUE(choices[2]->isChecked());
    EXPECT_FALSE(choices[0]->isChecked());
    EXPECT_EQ(test::shownMessages().size(), 1u);
    EXPECT_EQ(programLanguage(std::nullopt, store), Language::English);
    EXPECT_EQ(programLanguage(Language::Japanese, store), Language::Japanese);

    choices[1]->trigger();
    EXPECT_EQ(programLanguage(std::nullopt, QtSettingsStore(config.path())), Language::Japanese);
    choices[0]->trigger();
    EXPECT_EQ(programLanguage(std::nullopt, store), desktopLanguage());
}

TEST_F(AppCabWindow, TicksDrawAndPause) {
    Cab& cab = window->cab();
    const std::int32_t clock = cab.state.Clock;
    for (int period = 1; period <= 30; ++period) {
        window->physicsTick();
        if (period % 3 == 0) window->logicTick();
    }
    EXPECT_EQ(cab.state.Clock, clock + 30);
    EXPECT_EQ(cab.state.LogicTickCount, 10);
    EXPECT_EQ(cab.options.Tunnel, 1);
    EXPECT_FALSE(cab.stations.clockText.empty());

    drawDuePass();
    // White status texts over the video.
    EXPECT_GT(brightPixels(), 50);
    // Once the video picture has come, a standing train with nothing
    // changing draws nothing; a second later its clock has moved and is drawn.
    std::int64_t drawn = -1;
    for (int pass = 0; pass < 50 && window->drawState().framesDrawn != drawn; ++pass) {
        drawn = window->drawState().framesDrawn;
        QCoreApplication::processEvents();
        drawDuePass();
    }
    EXPECT_EQ(window->drawState().framesDrawn, drawn);
    const QImage standing = window->surface().image();
    for (int period = 1; period <= 30; ++period) {
        window->physicsTick();
        if (period % 3 == 0) window->logicTick();
    }
    drawDuePass();
    EXPECT_EQ(window->drawState().framesDrawn, drawn + 1);
    EXPECT_NE(window->surface().image(), standing);

    window->start1Click();
    EXPECT_FALSE(cab.running());
    EXPECT_EQ(window->startAction()->text(), "運転再開(&S)");
    const QImage before = window->surface().image();
    drawDuePass();  // nothing is drawn while paused
    EXPECT_EQ(window->surface().image(), before);
    // A click on the picture resumes a paused run, and only that.
    auto* view = window->findChild<CabView*>();
    ASSERT_TRUE(view);
    QMouseEvent click(QEvent::MouseButtonPress, QPointF(10, 10), QPointF(10, 10), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &click);
    EXPECT_TRUE(cab.running());
    EXPECT_EQ(window->startAction()->text(), "一時停止(&S)");
    QApplication::sendEvent(view, &click);
    EXPECT_TRUE(cab.running());
}

TEST_F(AppCabWindow, LampsAndSignsLightOnlyWhileWhatTheyShowHolds) {
    Cab& cab = window->cab();
    // Nothing is drawn before the first logic tick has set the lamps.
    drawDuePass();
    EXPECT_EQ(window->drawState().framesDrawn, 0);
    window->logicTick();
    drawDuePass();
    ASSERT_EQ(window->drawState().framesDrawn, 1);
    // Standing at the first station: no alarm, no pattern, no sign but the
    // remaining distance, 0 m.
    ASSERT_TRUE(cab.protection.AtsOn);
    ASSERT_FALSE(cab.protection.AtsAlarm);
    ASSERT_EQ(cab.protection.PatternState, 0);
    ASSERT_EQ(cab.statusTexts.shownSign, kNoSign);
    EXPECT_TRUE(drawn("img_Lamp_Ats1"));
    EXPECT_TRUE(drawn("img_unten_remain"));
    EXPECT_EQ(cab.sprites.find("img_unten_remain")->patternIndex, 0);
    for (const char* dark : {"img_Lamp_Ats2", "img_Lamp_Atsp1", "img_Lamp_Atsp2", "img_Lamp_EB",
                             "img_Lamp_Power", "img_Lamp_Ele", "img_unten_other",
                             "img_unten_teimoku", "img_unten_slope", "img_unten_limit"})
        EXPECT_FALSE(drawn(dark)) << dark;
    if (cab.sprites.find("img_cabsignal")) {
        EXPECT_FALSE(drawn("img_cabsignal"));
    }

    // The bell's lamps as the protection sets them: the red lamp takes over.
    showProtectionLamps(cab.lamps, false, true);
    drawDuePass();
    EXPECT_TRUE(drawn("img_Lamp_Ats2"));
    EXPECT_FALSE(drawn("img_Lamp_Ats1"));
}

TEST_F(AppCabWindow, TrackSignsShowWhereTheLineHasThem) {
    Cab& cab = window->cab();
    const RouteSpec& route = cab.route;
    const auto pattern = [&](const char* name) { return cab.sprites.find(name)->patternIndex; };
    // The first up gradient with the train's front just on it: its post.
    const auto up = std::find_if(route.Slopes.begin(), route.Slopes.end(),
                                 [](const SlopeRecord& s) { return Extended(s.gradient) > 0; });
    ASSERT_NE(up, route.Slopes.end());
    ASSERT_EQ(Extended(cab.state.Gradient), 0);
    cab.state.Frame = up->firstFrame + 1;
    window->logicTick();
    drawDuePass();
    EXPECT_TRUE(drawn("img_unten_slope"));
    EXPECT_EQ(pattern("img_unten_slope"), up - route.Slopes.begin() + 1);

    // 150 m before the first speed-limit sign: the sign of its speed.
    ASSERT_FALSE(route.SpeedLimits.empty());
    const SpeedLimitRecord& limit = route.SpeedLimits.front();
    cab.state.Position = limit.position - 15000;
    window->logicTick();
    drawDuePass();
    EXPECT_TRUE(drawn("img_unten_limit"));
    EXPECT_EQ(pattern("img_unten_limit"), limit.targetSpeed);

    // 42 m before the stop of the first station that asks for the stop mark.
    const auto marked = std::find_if(route.Stations.begin(), route.Stations.end(),
                                     [](const StationRecord& st) { return st.stopMarkType == 1; });
    ASSERT_NE(marked, route.Stations.end());
    cab.stations.nextStopIndex = std::int32_t(marked - route.Stations.begin());
    cab.NextStopPosition = marked->stopPosition;
    cab.state.Position = marked->stopPosition - 4200;
    window->physicsTick();
    window->logicTick();
    drawDuePass();
    EXPECT_FALSE(drawn("img_unten_limit"));
    EXPECT_TRUE(drawn("img_unten_remain"));
    EXPECT_EQ(pattern("img_unten_remain"), 4);
    EXPECT_TRUE(drawn("img_unten_teimoku"));

    // Every sign stands on the video area, clear of the others, of every
    // signal's head and sub-signals and of the wayside pictures.
    const QRect video(0, 0, cab.settings.VideoWidth, cab.settings.VideoHeight);
    const auto area = [&](const char* name, int x, int y) {
        const Sprite* s = cab.sprites.find(name);
        return QRect(x, y, s->width, s->height);
    };
    std::vector<QRect> signs, others;
    for (const char* name : {"img_unten_teimoku", "img_unten_slope", "img_unten_limit",
                             "img_unten_remain", "img_unten_other"}) {
        const Sprite* s = cab.sprites.find(name);
        signs.push_back(area(name, s->x, s->y));
        EXPECT_TRUE(video.contains(signs.back())) << name;
    }
    const auto [ox, oy] = route.SignalImages->displayValues;
    for (const SignalRecord& g : route.Signals) {
        others.push_back(area("img_unten_signal", ox + g.headX, oy + g.headY));
        others.push_back(area("img_unten_signal_S", ox + g.sub0X, oy + g.sub0Y));
        others.push_back(area("img_unten_signal_L", ox + g.sub1X, oy + g.sub1Y));
        others.push_back(area("img_unten_signal_R", ox + g.sub2X, oy + g.sub2Y));
    }
    for (const PlacedPicture& p : waysideView(cab.imageLists, cab.crossings, cab.lamps,
                                              cab.statusTexts, cab.protection.traffic)
                                      .pictures)
        others.push_back(QRect(p.x, p.y, p.image->width, p.image->height));
    // A signal's own pictures lie wholly on the video area or wholly off it.
    for (const QRect& other : others)
        EXPECT_TRUE(video.contains(other) || !video.intersects(other))
            << other.x() << "," << other.y();
    for (std::size_t i = 0; i < signs.size(); ++i) {
        for (std::size_t j = i + 1; j < signs.size(); ++j)
            EXPECT_FALSE(signs[i].intersects(signs[j])) << i << " and " << j;
        for (const QRect& other : others) EXPECT_FALSE(signs[i].intersects(other)) << i;
    }
}

TEST_F(AppCabWindow, WaysidePicturesShowWhereTheRouteHasThem) {
    Cab& cab = window->cab();
    ASSERT_FALSE(cab.route.Crossings.empty());
    ASSERT_FALSE(cab.route.Anims.empty());
    const CrossingRecord crossing = cab.route.Crossings[0];
    const AnimRecord anim = cab.route.Anims[0];
    ASSERT_GE(crossing.station, 1);  // its lamp waits for that station's departure
    const auto at = [&](std::int32_t frame, int ticks) {
        cab.state.Frame = frame;
        for (int k = 0; k < ticks; ++k) window->logicTick();
        drawDuePass();
        return waysideView(cab.imageLists, cab.crossings, cab.lamps, cab.statusTexts,
                           cab.protection.traffic);
    };
    const auto keyed = [](const Image& image) { return image.bottomLeft(); };
    // The crossing enters the queue near its first frame and shows once past it.
    at(crossing.firstFrame, 1);
    const WaysideView inView = at(crossing.firstFrame + 25, 5);
    ASSERT_EQ(cab.crossings.image, crossing.image);
    ASSERT_NE(cab.statusTexts.shownAnimationPhase, kNoAnimationPhase);
    ASSERT_EQ(inView.pictures.size(), 2u);
    const Image& crossingPicture = cab.imageLists.cross[std::size_t(crossing.image)];
    const Image& animPicture = cab.imageLists.anim[std::size_t(cab.statusTexts.animationImage)];
    const PlacedPicture crossingPlace = inView.pictures[0];
    const PlacedPicture animPlace = inView.pictures[1];
    EXPECT_GT(shownShare(crossingPicture, keyed(crossingPicture), crossingPlace.x, crossingPlace.y),
              0.9);
    EXPECT_GT(shownShare(animPicture, keyed(animPicture), animPlace.x, animPlace.y), 0.9);
    ASSERT_TRUE(inView.crossingLamp);
    const LampSpot lamp = *inView.crossingLamp;
    const QColor lampColour = window->surface().image().pixelColor(lamp.x + lamp.diameter / 2,
                                                                   lamp.y + lamp.diameter / 2);
    EXPECT_GT(lampColour.red(), 200);
    EXPECT_LT(lampColour.green(), 80);

    // Past the crossing it leaves the queue and the animation ends: both
    // show their idle image 0 in the same places, the unlit indicator drawn.
    ASSERT_GE(crossing.lastFrame, anim.lastFrame);
    const WaysideView away = at(crossing.lastFrame, 1);
    const Image& idleAnim = cab.imageLists.anim[0];
    EXPECT_EQ(away.pictures, (std::vector<PlacedPicture>{
                                 {&cab.imageLists.cross[0], crossingPlace.x, crossingPlace.y},
                                 {&idleAnim, animPlace.x, animPlace.y}}));
    EXPECT_FALSE(away.crossingLamp);
    EXPECT_LT(shownShare(crossingPicture, keyed(crossingPicture), crossingPlace.x, crossingPlace.y),
              0.6);
    EXPECT_GT(shownShare(idleAnim, keyed(idleAnim), animPlace.x, animPlace.y), 0.9);
}

TEST_F(AppCabWindow, APausedWindowShowsTheRoutesStillWhenActivated) {
    Cab& cab = window->cab();
    ASSERT_FALSE(cab.route.OpeningImage.empty());
    PictureFileDecoder decoder;
    const auto still = decoder.decode(resolveDataPath(cab.dataDir(), cab.route.OpeningImage));
    ASSERT_TRUE(still);
    ASSERT_EQ(still->width, cab.settings.VideoWidth);
    ASSERT_EQ(still->height, cab.settings.VideoHeight);
    const QPoint probe(still->width / 2, still->height / 3);  // clear of the texts
    const QRgb stillColour = still->at(probe.x(), probe.y()) | 0xFF000000u;
    ASSERT_NE(window->surface().image().pixel(probe), stillColour);

    window->start1Click();
    window->show();
    QApplication::setActiveWindow(window.get());
    QApplication::processEvents();
    ASSERT_TRUE(window->isActiveWindow());
    EXPECT_EQ(window->surface().image().pixel(probe), stillColour);
    // The still carries the sprites but no status text: off the sprites the
    // video area is the still itself.
    ASSERT_FALSE(cab.stations.stationText.empty());
    QRegion sprites;
    for (const Sprite* s : cab.sprites.drawOrder())
        sprites += QRect(s->x, s->y, s->width, s->height);
    for (const PlacedPicture& p : waysideView(cab.imageLists, cab.crossings, cab.lamps,
                                              cab.statusTexts, cab.protection.traffic)
                                      .pictures)
        sprites += QRect(p.x, p.y, p.image->width, p.image->height);
    if (const auto& overlay = cab.staff.overlay)  // laid over everything
        sprites += QRect(cab.staff.overlayX, 0, overlay->width, overlay->height);
    sprites += QRect(cab.vehicle.ClockX, cab.vehicle.ClockY, 50, 50);
    int differing = 0;
    for (int y = 0; y < still->height; ++y)
        for (int x = 0; x < still->width; ++x)
            if (!sprites.contains(QPoint(x, y)) && (window->surface().image().pixel(x, y) &
                                                    0xFFFFFFu) != (still->at(x, y) & 0xFFFFFFu))
                ++differing;
    EXPECT_EQ(differing, 0);
}

TEST_F(AppCabWindow, GaugesFollowThePressuresAndLampsTheNotches) {
    Cab& cab = window->cab();
    const VehicleSpec& v = cab.vehicle;
    ASSERT_EQ(v.Mc, 0);  // the trailer car's cylinder drives the gauge
    cab.state.BcPressT = 300;
    cab.state.BcPressM = 100;
    cab.state.MrPress = 800;
    cab.vehicle.HornAir = 20;  // blowing: the needle dips by the horn's air
    cab.state.AmmeterValue = 400;
    std::int32_t ammeterShown = 0;
    updateDrawnGauges(cab.sprites, cab.state, cab.vehicle, true, ammeterShown);
    EXPECT_EQ(ammeterShown, 200);
    EXPECT_EQ(cab.sprites.find("img_Needle_BC")->angle,
              gaugeAngle(300, v.Needle_BC.Rate, v.Needle_BC.StartAngle));
    EXPECT_EQ(cab.sprites.find("img_Needle_MR")->angle,
              gaugeAngle(780, v.Needle_MR.Rate, v.Needle_MR.StartAngle));
    EXPECT_EQ(cab.sprites.find("img_Needle_BC_L")->y,
              linearGaugeTop(v.Needle_BC_L.BaseY, v.Needle_BC_L.Rate, 300));
    EXPECT_EQ(cab.sprites.find("img_Needle_MR_L")->y,
              linearGaugeTop(v.Needle_MR_L.BaseY, v.Needle_MR_L.Rate, 800));

    cab.state.Speed = 42.4L;
    update_speed_gauges(cab.sprites, cab.state, cab.vehicle);
    EXPECT_EQ(cab.sprites.find("img_digi_speed")->patternIndex, 42);
    EXPECT_EQ(cab.sprites.find("img_Needle_speed")->angle,
              *speedNeedleAngle(42.4L, v.Needle_Speed.Rate, v.Needle_Speed.Rate2,
                                v.Needle_Speed.StartAngle));

    // Power is lit only while the doors let the train draw current.
    Sprite* power = cab.sprites.find("img_Lamp_Power");
    ASSERT_TRUE(power);
    cab.state.PowerNotch = 2;
    cab.traction.doorsOpen = false;
    updatePanelLamps(cab.sprites, cab.state, cab.vehicle, cab.traction);
    EXPECT_EQ(power->visible, v.DoorLock == 0 || v.DoorLock == 1);
    cab.traction.doorsOpen = true;
    updatePanelLamps(cab.sprites, cab.state, cab.vehicle, cab.traction);
    EXPECT_EQ(power->visible, v.DoorLock == 0);
    cab.state.PowerNotch = 0;
    updatePanelLamps(cab.sprites, cab.state, cab.vehicle, cab.traction);
    EXPECT_FALSE(power->visible);
    // The last resistor step of each notch; the (empty) row after the final
    // step belongs to no notch.
    Sprite* fin = cab.sprites.find("img_Lamp_fin");
    ASSERT_TRUE(fin);
    cab.vehicle.CurrentP = {{1}, {1}, {2}, {2}};
    for (const auto& [step, lit] : {std::pair{0, false}, {1, true}, {2, false}, {3, true}}) {
        cab.traction.PowerStep = step;
        updatePanelLamps(cab.sprites, cab.state, cab.vehicle, cab.traction);
        EXPECT_EQ(fin->visible, lit) << step;
    }
}

TEST_F(AppCabWindow, WheelStepsTheLever) {
    Cab& cab = window->cab();
    auto* view = window->findChild<CabView*>();
    const std::int32_t brake = cab.state.BrakeHandle;
    const auto turn = [&](int delta) {
        QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &wheel);
        QApplication::processEvents();  // the wheel posts its character
    };
    turn(-120);  // towards the user: one step towards power
    EXPECT_EQ(cab.state.BrakeHandle, brake + 1);
    turn(120);
    EXPECT_EQ(cab.state.BrakeHandle, brake);
    // A fine wheel: a step once its parts make a notch, never more.
    for (int part = 0; part < 3; ++part) turn(-40);
    EXPECT_EQ(cab.state.BrakeHandle, brake + 1);
    turn(-100);
    EXPECT_EQ(cab.state.BrakeHandle, brake + 1);
    turn(-140);  // with the 100 left over: two notches
    EXPECT_EQ(cab.state.BrakeHandle, brake + 3);
}

TEST_F(AppCabWindow, KeysReachTheCabFromEveryWindow) {
    Cab& cab = window->cab();
    key(window.get(), Qt::Key_F, "f");
    EXPECT_EQ(cab.state.Reverser, 1);
    key(&window->easyCab(), Qt::Key_B, "b");
    EXPECT_EQ(cab.state.Reverser, -1);
    key(&window->valueDisplay(), Qt::Key_N, "n");
    EXPECT_EQ(cab.state.Reverser, 0);

    // A horn held in an auxiliary window is let go there too.
    key(&window->easyCab(), Qt::Key_3, "3");
    EXPECT_TRUE(cab.host.isKeyHeld(HeldKey::Horn3));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_3, Qt::NoModifier, "3");
    QApplication::sendEvent(&window->easyCab(), &release);
    EXPECT_FALSE(cab.host.isKeyHeld(HeldKey::Horn3));
    // Keys held when the cab window loses the focus count as released.
    key(window.get(), Qt::Key_4, "4");
    key(window.get(), Qt::Key_F2, "");
    ASSERT_TRUE(cab.host.isKeyHeld(HeldKey::Horn4));
    ASSERT_NE(cab.diesel.EngineKey, 0);
    QEvent deactivated(QEvent::ActivationChange);
    QApplication::sendEvent(window.get(), &deactivated);
    EXPECT_FALSE(cab.host.isKeyHeld(HeldKey::Horn4));
    EXPECT_EQ(cab.diesel.EngineKey, 0);

    EXPECT_FALSE(window->valueDisplay().isVisible());
    key(window.get(), Qt::Key_F3, "");
    EXPECT_TRUE(window->valueDisplay().isVisible());
    EXPECT_EQ(window->valueDisplay().value("Label30"), QString::number(cab.state.Frame));
    EXPECT_EQ(window->valueDisplay().value("Label1"), "0.0 km/h");
    EXPECT_EQ(window->valueDisplay().value("Label35"), "0 m");
    key(window.get(), Qt::Key_F3, "");
    EXPECT_FALSE(window->valueDisplay().isVisible());

    window->logicTick();
    // The run starts at a station with its doors open.
    EXPECT_EQ(window->easyCab().doorText(), "ドアが開いています");
    EXPECT_EQ(window->easyCab().lamp("KN")->property("rgb").toUInt(),
              cab.state.PowerHandle == 0 && cab.state.BrakeHandle == 0 ? 0x00FF00u : 0xFFFFFFu);
}

TEST_F(AppCabWindow, ValueDisplayShowsTheRunAndOutlivesIt) {
    Cab& cab = window->cab();
    TForm3& display = window->valueDisplay();
    ASSERT_GE(cab.route.Stations.size(), 3u);
    cab.film.FilmSpeed = 57;
    cab.state.SapPress = 490.5L;
    cab.state.MrPress = 800;
    cab.state.BcPressM = 345.4L;
    cab.state.ElecBrakeCurrent = 120.25L;
    cab.motion.SlipText = "空転";
    cab.state.Adhesion = 0.256L;
    cab.state.AdhesionLimit = 51234.4L;
    cab.protection.PreTrainFrame = cab.route.Stations[1].videoFrame + 1;
    cab.external.serialCaption = "PWR5";
    display.logicTick(0);  // hidden: only the caption follows
    EXPECT_EQ(display.windowTitle(), "PWR5");
    EXPECT_TRUE(display.value("Label31").isEmpty());
    display.refresh(0);
    EXPECT_EQ(display.value("Label31"), "57 km/h");
    EXPECT_EQ(display.value("Label3"), "490.5 kPa");
    EXPECT_EQ(display.value("Label5"), "800 kPa");
    EXPECT_EQ(display.value("Label2"), "345k");
    EXPECT_EQ(display.bar("Bar_Press0"), 345);
    EXPECT_EQ(display.value("Label69"), "120.25A");
    EXPECT_EQ(display.bar("Bar_Press6"), 120);
    EXPECT_EQ(display.value("Label65"), "空転 0.26 51234N");
    EXPECT_EQ(display.value("Label42"),
              QString::fromStdString("(" + cab.route.Stations[1].name + "～" +
                                     cab.route.Stations[2].name + ")"));
    EXPECT_TRUE(display.value("Label21").contains(" now2:"));
    // The signals after the train's block, each by frame and aspect.
    std::size_t next = 0;
    while (next < cab.route.Signals.size() &&
           cab.route.Signals[next].signalFrame <= cab.state.Frame)
        ++next;
    ASSERT_LT(next, cab.route.Signals.size());
    EXPECT_EQ(display.value("signal1"), QString("%1 %2")
                                            .arg(cab.route.Signals[next].signalFrame)
                                            .arg(cab.route.Signals[next].aspect));

    // Made once: what it holds stays for the next run.
    display.findChild<QLineEdit*>("Edit1")->setText("1234");
    window.reset();
    RunChoice choice;
    choice.dataDir = test::quickDemo();
    choice.routeFile = "line_rapid_down.dat";
    window = std::make_unique<TForm1>(choice, store, makeOpenAlSoundDevice(), nullptr,
                                      AuxiliaryWindows{valueDisplay, easyCab});
    ASSERT_TRUE(window->load());
    EXPECT_EQ(&window->valueDisplay(), &display);
    EXPECT_EQ(display.findChild<QLineEdit*>("Edit1")->text(), "1234");
    display.refresh(0);
    EXPECT_EQ(display.value("Label1"), "0.0 km/h");
    display.Button2Click();  // jumps the new run
    EXPECT_EQ(window->cab().state.Frame, 1234);
}

TEST_F(AppCabWindow, AuxiliaryWindowsOpenShowingAllTheirControls) {
    window->valueDisplay().refresh(0);
    window->easyCab().refresh();
    for (QWidget* aux : {static_cast<QWidget*>(&window->valueDisplay()),
                         static_cast<QWidget*>(&window->easyCab())}) {
        aux->show();
        QApplication::processEvents();
        for (QWidget* child : aux->findChildren<QWidget*>()) {
            if (child->parentWidget() != aux || !child->isVisibleTo(aux)) continue;
            const QString name = aux->windowTitle() + " " + child->objectName() + " " +
                                 child->metaObject()->className();
            EXPECT_TRUE(aux->rect().contains(child->geometry())) << name.toStdString();
            EXPECT_GE(child->width(), child->minimumSizeHint().width()) << name.toStdString();
            EXPECT_GE(child->height(), child->minimumSizeHint().height()) << name.toStdString();
        }
    }
}

TEST_F(AppCabWindow, OptionsAreStoredWhenTheWindowCloses) {
    window->show();
    QApplication::processEvents();
    auto* view = window->findChild<CabView*>();
    const QSize picture = view->targetRect().size();
    item("喚呼なし(&K)")->trigger();
    item("文字表示モード切り替え(&C)")->trigger();
    QApplication::processEvents();
    // The label column widens the window; the picture keeps its size.
    EXPECT_EQ(view->targetRect().size(), picture);
    EXPECT_EQ(window->cab().options.Kanko, 1);
    EXPECT_EQ(window->cab().options.Moji, 1);
    // The text mode shows the labels, all but the two that stay hidden.
    EXPECT_TRUE(window->findChild<QLabel*>("Label0")->isVisibleTo(window.get()));
    EXPECT_FALSE(window->findChild<QLabel*>("Label14")->isVisibleTo(window.get()));
    const Sprite* stopLine = window->cab().sprites.find("img_unten_teimokuS");
    ASSERT_TRUE(stopLine);
    ASSERT_NE(window->cab().route.PerspectiveDistance, 0);  // the line places them
    EXPECT_TRUE(stopLine->visible);
    item("停止位置ラインを表示しない(&S)")->trigger();
    EXPECT_FALSE(stopLine->visible);
    window->close();
    EXPECT_EQ(closedCount, 1);
    EXPECT_EQ(store.readInteger("tovra", "Kanko"), 1);
    EXPECT_EQ(store.readInteger("tovra", "Moji"), 1);
    EXPECT_EQ(store.readInteger("tovra", "Information"), 1);
    // The stop-line item does not touch the stored protection option.
    EXPECT_EQ(store.readInteger("tovra", "ATS"), 0);
}

TEST_F(AppCabWindow, BackImageWithEffectsOffClosesAtTheNextPass) {
    window->logicTick();  // effects are off once the run has started
    window->returnToTitle();
    EXPECT_EQ(closedCount, 0);
    drawDuePass();
    EXPECT_EQ(closedCount, 1);
    EXPECT_EQ(store.readInteger("tovra", "Tunnel"), 1);
}

TEST_F(AppCabWindow, FadeDarkensTheVideoAreaBeforeClosing) {
    window->logicTick();
    window->cab().options.Tunnel = 0;
    drawDuePass();
    const int lit = brightPixels();
    window->returnToTitle();
    for (int pass = 0; pass < 13; ++pass) drawDuePass();
    EXPECT_EQ(closedCount, 0);
    EXPECT_LT(brightPixels(), lit);
    for (int pass = 0; pass < 13 && closedCount == 0; ++pass) drawDuePass();
    EXPECT_EQ(closedCount, 1);
}

TEST_F(AppCabWindow, TrainSettingsSwitchProtectionAndEngine) {
    Cab& cab = window->cab();
    std::vector<int> waits;
    int switchedOn = 0;
    Tjumpdlg dialog(cab, [](QKeyEvent*) {});
    dialog.wait = [&](int ms) { waits.push_back(ms); };
    QObject::connect(&dialog, &Tjumpdlg::protectionSwitchedOn, [&] { ++switchedOn; });
    Sprite* lamp = cab.sprites.find("img_Lamp_Ats1");
    ASSERT_TRUE(lamp);

    dialog.RadioGroup2Click(1);
    EXPECT_FALSE(cab.protection.AtsOn);
    cab.showPanel();
    EXPECT_FALSE(lamp->visible);
    cab.options.ATS = 1;
    dialog.RadioGroup2Click(0);
    EXPECT_TRUE(cab.protection.AtsOn);
    EXPECT_EQ(cab.options.ATS, 0);
    EXPECT_EQ(switchedOn, 1);
    cab.showPanel();
    EXPECT_TRUE(lamp->visible);

    cab.state.EngineState = 0;
    dialog.RadioGroup4Click(0);
    EXPECT_EQ(cab.state.EngineState, 1);
    EXPECT_EQ(dialog.engineIndex(), 1);
    // Starting a running engine still waits and returns to "run".
    dialog.RadioGroup4Click(0);
    EXPECT_EQ(waits, std::vector<int>({700, 700}));
    EXPECT_EQ(dialog.engineIndex(), 1);
    dialog.RadioGroup4Click(2);
    EXPECT_EQ(cab.state.EngineState, 0);
    // Off while already off changes nothing; the choice stays on "off".
    dialog.RadioGroup4Click(2);
    EXPECT_EQ(cab.state.EngineState, 0);
    EXPECT_EQ(dialog.engineIndex(), 2);

    // The dialog's own wait lets the timers run meanwhile.
    Tjumpdlg waiting(cab, [](QKeyEvent*) {});
    bool ticked = false;
    QTimer::singleShot(0, [&] { ticked = true; });
    waiting.RadioGroup4Click(0);
    EXPECT_TRUE(ticked);
}

TEST_F(AppCabWindow, CrewChangeOfferedByTheStationEndsTheRunOnRequest) {
    Cab& cab = window->cab();
    auto* dialog = window->findChild<TkotaiStop*>();
    ASSERT_TRUE(dialog);
    cab.stations.crewChangeOffered = true;
    window->logicTick();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(cab.stations.crewChangeOffered);
    dialog->OKBtnClick();  // go on driving
    EXPECT_FALSE(dialog->isVisible());
    drawDuePass();
    EXPECT_EQ(closedCount, 0);

    cab.stations.crewChangeOffered = true;
    window->logicTick();
    dialog->CancelBtnClick();
    drawDuePass();
    EXPECT_EQ(closedCount, 1);
}

}  // namespace
}  // namespace tovra
