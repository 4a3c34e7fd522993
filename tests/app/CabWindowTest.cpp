#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QThread>

#include "CabWindowFixture.h"
#include "app/CabView.h"
#include "app/CabWindow.h"
#include "app/CrewChangeDialog.h"
#include "app/EasyCab.h"
#include "app/TrainSettingsDialog.h"
#include "app/ValueDisplay.h"
#include "common/DataPath.h"
#include "platform/OpenAlSoundDevice.h"
#include "platform/PictureFileDecoder.h"
#include "platform/QtSettingsStore.h"
#include "support/TempDir.h"
#include "view/PanelGauges.h"
#include "view/PanelMath.h"

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
    EXPECT_EQ(display,
              QStringList({"操作説明(&U)", "解説なし(&D)", "かんたん運転台(&E)", "喚呼なし(&K)",
                           "停止位置ラインを表示しない(&S)", "列車設定(&P)", "視覚効果OFF(&V)",
                           "文字表示モード切り替え(&C)", "運転記録…"}));
    // A fresh user: only "no commentary" is checked; two items are hidden.
    EXPECT_TRUE(item("解説なし(&D)")->isChecked());
    EXPECT_FALSE(item("喚呼なし(&K)")->isChecked());
    EXPECT_FALSE(item("停止位置ラインを表示しない(&S)")->isChecked());
    EXPECT_FALSE(item("文字表示モード切り替え(&C)")->isChecked());
    EXPECT_FALSE(item("列車設定(&P)")->isVisible());
    EXPECT_FALSE(item("視覚効果OFF(&V)")->isVisible());
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
    EXPECT_GT(window->drawState().framesPerSecond, 0);

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
}

TEST_F(AppCabWindow, GaugesFollowThePressuresAndLampsTheNotches) {
    Cab& cab = window->cab();
    const VehicleSpec& v = cab.vehicle;
    ASSERT_EQ(v.Mc, 0);  // the trailer car's cylinder drives the gauge
    cab.state.BcPressT = 300;
    cab.state.BcPressM = 100;
    cab.state.MrPress = 800;
    cab.runningSound.hornAir = -20;
    cab.state.AmmeterValue = 400;
    std::int32_t ammeterShown = 0;
    updateDrawnGauges(cab, ammeterShown);
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
    update_speed_gauges(cab);
    EXPECT_EQ(cab.sprites.find("img_digi_speed")->patternIndex, 42);
    EXPECT_EQ(cab.sprites.find("img_Needle_speed")->angle,
              *speedNeedleAngle(42.4L, v.Needle_Speed.Rate, v.Needle_Speed.Rate2,
                                v.Needle_Speed.StartAngle));

    // Power is lit only while the doors let the train draw current.
    Sprite* power = cab.sprites.find("img_Lamp_Power");
    ASSERT_TRUE(power);
    cab.state.PowerNotch = 2;
    cab.traction.doorsOpen = false;
    updatePanelLamps(cab);
    EXPECT_EQ(power->visible, v.DoorLock == 0 || v.DoorLock == 1);
    cab.traction.doorsOpen = true;
    updatePanelLamps(cab);
    EXPECT_EQ(power->visible, v.DoorLock == 0);
    cab.state.PowerNotch = 0;
    updatePanelLamps(cab);
    EXPECT_FALSE(power->visible);
    // The last resistor row has no next row: the lamp stays dark there.
    if (Sprite* fin = cab.sprites.find("img_Lamp_fin")) {
        cab.traction.PowerStep = std::int32_t(v.CurrentP.size()) - 1;
        updatePanelLamps(cab);
        EXPECT_FALSE(fin->visible);
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

TEST_F(AppCabWindow, OptionsAreStoredWhenTheWindowCloses) {
    item("喚呼なし(&K)")->trigger();
    item("文字表示モード切り替え(&C)")->trigger();
    EXPECT_EQ(window->cab().options.Kanko, 1);
    EXPECT_EQ(window->cab().options.Moji, 1);
    // The text mode shows the labels, all but the two that stay hidden.
    EXPECT_TRUE(window->findChild<QLabel*>("Label0")->isVisibleTo(window.get()));
    EXPECT_FALSE(window->findChild<QLabel*>("Label14")->isVisibleTo(window.get()));
    const Sprite* stopLine = window->cab().sprites.find("img_unten_teimokuS");
    ASSERT_TRUE(stopLine);
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
    EXPECT_FALSE(lamp->visible);
    cab.options.ATS = 1;
    dialog.RadioGroup2Click(0);
    EXPECT_TRUE(cab.protection.AtsOn);
    EXPECT_EQ(cab.options.ATS, 0);
    EXPECT_EQ(switchedOn, 1);
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
