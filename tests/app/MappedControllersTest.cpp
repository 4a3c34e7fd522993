#include <SDL.h>
#include <gtest/gtest.h>

#include <QByteArray>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTableWidget>
#include <cstdlib>

#include "CabWindowFixture.h"
#include "EnglishForATest.h"
#include "ShownMessages.h"
#include "app/ControllerMapDialog.h"
#include "app/MappedControllers.h"

namespace tovra {
namespace {

constexpr int kAxes = 2;
constexpr int kButtons = 4;
constexpr int kHats = 1;

// The GUID SDL gives the virtual controllers of these tests.
std::string virtualGuid() {
    const int device =
        SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, kAxes, kButtons, kHats);
    std::array<char, 33> guid{};
    SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(device), guid.data(), int(guid.size()));
    SDL_JoystickDetachVirtual(device);
    return guid.data();
}

// A cab window whose user folder holds controllers.ini as the test writes it.
class AppMappedControllers : public test::CabWindowFixture {
  protected:
    void SetUp() override {}
    void start(const std::string& ini) {
        hadConfig_ = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        previousConfig_ = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(userConfig.path().string()));
        userConfig.writeBytes("Velmoran/controllers.ini", ini);
        test::shownMessages().clear();
        CabWindowFixture::SetUp();
    }
    void TearDown() override {
        if (hadConfig_) {
            qputenv("XDG_CONFIG_HOME", previousConfig_);
        } else {
            qunsetenv("XDG_CONFIG_HOME");
        }
    }

    test::TempDir userConfig;
    bool hadConfig_ = false;
    QByteArray previousConfig_;
};

TEST_F(AppMappedControllers, PluggedInWhileDrivingTheSavedMappingActsAndPullingOutLetsGo) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
    if (SDL_NumJoysticks() > 0) GTEST_SKIP() << "a real game controller is plugged in";
    const std::string guid = virtualGuid();
    // Power on axis 1 from rest at -32768: five notches from travel 0.1, 0.28, ...
    start("[" + guid +
          "]\nname = test lever\naxis.1 = power\naxis.1.rest = -32768\n"
          "axis.1.power_end = 32767\naxis.1.dead_zone = 0.1\n"
          "axis.1.power_notches = 0.1 0.28 0.46 0.64 0.82\nbutton.2 = horn\n");
    EXPECT_TRUE(test::shownMessages().empty());
    Cab& cab = window->cab();
    window->logicTick();

    const int device =
        SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, kAxes, kButtons, kHats);
    SDL_Joystick* pad = SDL_JoystickOpen(device);
    ASSERT_NE(pad, nullptr) << SDL_GetError();
    SDL_JoystickSetVirtualAxis(pad, 1, -32768 + 65535 * 3 / 10);  // travel 0.3: notch 2
    SDL_JoystickSetVirtualButton(pad, 2, SDL_PRESSED);
    window->logicTick();
    EXPECT_EQ(cab.state.PowerHandle, 2);
    EXPECT_TRUE(cab.host.isKeyHeld(HeldKey::Horn3));
    EXPECT_NE(cab.statusTexts.noticeText.find(SDL_JoystickName(pad)), std::string::npos)
        << cab.statusTexts.noticeText;

    // The keyboard moves the handle while the lever rests.
    window->characterDown('a');
    window->logicTick();
    const int keyed = cab.state.PowerHandle;
    EXPECT_NE(keyed, 2);

    SDL_JoystickClose(pad);
    SDL_JoystickDetachVirtual(device);
    window->logicTick();
    EXPECT_FALSE(cab.host.isKeyHeld(HeldKey::Horn3));
    EXPECT_EQ(cab.state.PowerHandle, keyed);
    EXPECT_NE(cab.statusTexts.noticeText.find("外れました"), std::string::npos);
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

// A pause button pauses and resumes as the menu does, read while paused;
// nothing else acts during the pause, and a lever moved meanwhile takes its
// handle when the run goes on. Running, the engine-stop button is Shift+F2.
TEST_F(AppMappedControllers, APauseButtonAloneActsWhilePaused) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
    if (SDL_NumJoysticks() > 0) GTEST_SKIP() << "a real game controller is plugged in";
    start("");
    userConfig.writeBytes("pause.ini",
                          "[" + virtualGuid() +
                              "]\nbutton.0 = pause\nbutton.1 = horn\nbutton.2 = engine_stop\n"
                              "axis.1 = power\naxis.1.rest = -32768\n"
                              "axis.1.power_end = 32767\naxis.1.dead_zone = 0.1\n"
                              "axis.1.power_notches = 0.1 0.28 0.46 0.64 0.82\n");
    Cab& cab = window->cab();
    MappedControllers controllers(cab, *window, userConfig / "pause.ini");
    controllers.togglePause = [&] { window->startAction()->trigger(); };
    const int device =
        SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, kAxes, kButtons, kHats);
    SDL_Joystick* pad = SDL_JoystickOpen(device);
    ASSERT_NE(pad, nullptr) << SDL_GetError();
    const auto press = [&](int button, bool down) {
        SDL_JoystickSetVirtualButton(pad, button, down ? SDL_PRESSED : SDL_RELEASED);
        controllers.poll();
    };
    SDL_JoystickSetVirtualAxis(pad, 1, -32768);
    controllers.poll();
    ASSERT_TRUE(cab.running());

    press(0, true);
    EXPECT_FALSE(cab.running());
    EXPECT_EQ(window->startAction()->text(), "運転再開(&S)");
    press(0, false);
    press(1, true);
    SDL_JoystickSetVirtualAxis(pad, 1, -32768 + 65535 * 3 / 10);  // travel 0.3: notch 2
    controllers.poll();
    EXPECT_FALSE(cab.host.isKeyHeld(HeldKey::Horn3));
    EXPECT_EQ(cab.state.PowerHandle, 0);

    press(0, true);
    EXPECT_TRUE(cab.running());
    EXPECT_EQ(window->startAction()->text(), "一時停止(&S)");
    controllers.poll();
    EXPECT_EQ(cab.state.PowerHandle, 2);
    EXPECT_FALSE(cab.host.isKeyHeld(HeldKey::Horn3));  // pressed while paused: never acts
    press(1, false);
    press(1, true);
    EXPECT_TRUE(cab.host.isKeyHeld(HeldKey::Horn3));
    press(2, true);  // F2 held with Shift
    EXPECT_EQ(cab.diesel.EngineKey, 2);
    press(2, false);
    EXPECT_EQ(cab.diesel.EngineKey, 0);
    SDL_JoystickClose(pad);
    SDL_JoystickDetachVirtual(device);
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

TEST_F(AppMappedControllers, ADamagedFileIsToldAndTheRunGoesOnWithoutMappings) {
    start("[0123456789abcdef0123456789abcdef]\naxis.0 = power\naxis.0.rest = lots\n");
    ASSERT_EQ(test::shownMessages().size(), 1u);
    EXPECT_TRUE(test::shownMessages()[0].contains("controllers.ini"));
    EXPECT_TRUE(test::shownMessages()[0].contains("3 行目"));
    window->logicTick();
    EXPECT_TRUE(window->cab().running());
}

// The dialog learns a combined handle and a button by doing, saves them,
// and the saved mapping drives the cab.
TEST_F(AppMappedControllers, TheDialogLearnsByDoingAndWhatItSavesDrives) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
    if (SDL_NumJoysticks() > 0) GTEST_SKIP() << "a real game controller is plugged in";
    start("");
    const int device =
        SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 3, kButtons, kHats);
    SDL_Joystick* pad = SDL_JoystickOpen(device);
    ASSERT_NE(pad, nullptr) << SDL_GetError();
    const auto file = userConfig / "dialog.ini";
    MappedControllers controllers(window->cab(), *window, file);
    {
        ControllerMapDialog dialog(controllers);
        const auto set = [&](int value) {
            SDL_JoystickSetVirtualAxis(pad, 2, std::int16_t(value));
            dialog.refresh();
        };
        set(0);
        dialog.learnHandle(AxisRole::Combined);
        dialog.next();  // the centre
        set(-20000);
        set(-32768);
        set(-30000);  // a spring pulls it back a little before "next"
        dialog.next();
        set(0);
        dialog.next();  // not at the brake end: still asked for
        for (const auto& [guid, mapping] : dialog.edited()) EXPECT_TRUE(mapping.axes.empty());
        set(32767);
        dialog.next();
        dialog.learnKey(PadKey::Doors);
        SDL_JoystickSetVirtualHat(pad, 0, SDL_HAT_DOWN);
        dialog.refresh();
        SDL_JoystickSetVirtualHat(pad, 0, SDL_HAT_CENTERED);
        set(-16384);
        if (const char* dir = std::getenv("TOVRA_SHOT_DIR")) {
            dialog.resize(540, 820);
            dialog.grab().save(QString(dir) + "/controllers.png");
        }
        dialog.accept();
    }
    const MappingFile saved = loadMappings(file);
    ASSERT_EQ(saved.error, "");
    ASSERT_EQ(saved.devices.size(), 1u);
    const DeviceMapping& m = saved.devices.begin()->second;
    ASSERT_EQ(m.axes.size(), 1u);
    EXPECT_EQ(m.axes[0].axis, 2);
    EXPECT_EQ(m.axes[0].role, AxisRole::Combined);
    EXPECT_EQ(m.axes[0].rest, 0);
    EXPECT_EQ(m.axes[0].powerEnd, -32768);
    EXPECT_EQ(m.axes[0].brakeEnd, 32767);
    ASSERT_EQ(m.controls.size(), 1u);
    EXPECT_EQ(m.controls[0].control, (PadControl{true, 0, HatDown}));
    EXPECT_EQ(m.controls[0].key, PadKey::Doors);

    // Half way to the power end: travel 0.5 is notch 3 of five from 0.05,
    // 0.24, 0.43, ...; then the brake end is the last of nine brake steps.
    ASSERT_EQ(window->cab().vehicle.Brake, 8);
    Cab& cab = window->cab();
    controllers.poll();
    EXPECT_EQ(cab.state.PowerHandle, 3);
    EXPECT_EQ(cab.state.BrakeHandle, 0);
    SDL_JoystickSetVirtualAxis(pad, 2, 32767);
    controllers.poll();
    EXPECT_EQ(cab.state.PowerHandle, 0);
    EXPECT_EQ(cab.state.BrakeHandle, -8);  // step 9 is beyond the demo train's emergency, 8
    SDL_JoystickClose(pad);
    SDL_JoystickDetachVirtual(device);
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

// Saved mappings of devices not plugged in are listed to edit, to fill from
// a fixed type's layout, or to delete; learning asks for the device.
TEST_F(AppMappedControllers, TheDialogEditsAndDeletesMappingsOfDevicesNotPluggedIn) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
    if (SDL_NumJoysticks() > 0) GTEST_SKIP() << "a real game controller is plugged in";
    start("");
    const std::string throttle = "0123456789abcdef0123456789abcdef";
    const auto file = userConfig.writeBytes(
        "away.ini", "[" + throttle +
                        "]\nname = away throttle\naxis.0 = brake\naxis.0.rest = 0\n"
                        "axis.0.brake_end = 32767\naxis.0.dead_zone = 0.1\n"
                        "axis.0.brake_notches = 0.1 0.4 0.7\nbutton.3 = horn\n"
                        "[fedcba9876543210fedcba9876543210]\nname = away pad\nbutton.0 = doors\n");
    MappedControllers controllers(window->cab(), *window, file);
    {
        ControllerMapDialog dialog(controllers);
        auto* device = dialog.findChild<QComboBox*>("device");
        ASSERT_EQ(device->count(), 2);
        EXPECT_TRUE(device->itemText(0).contains("away throttle"));
        EXPECT_TRUE(device->itemText(0).contains("未接続"));
        const auto* keys = dialog.findChild<QTableWidget*>("keys");
        EXPECT_EQ(keys->item(int(PadKey::Horn), 1)->text(), "ボタン 3");
        EXPECT_EQ(dialog.findChild<QSpinBox*>("brakeSteps")->value(), 3);

        // Three brake steps stay three, spread beyond the new dead zone.
        dialog.findChild<QSpinBox*>("deadZone")->setValue(20);
        dialog.learnKey(PadKey::Doors);
        EXPECT_TRUE(dialog.findChild<QLabel*>("instruction")->text().contains("接続"));
        dialog.refresh();
        EXPECT_EQ(dialog.edited().at(throttle).controls.size(), 1u);

        device->setCurrentIndex(1);
        dialog.applyPreset(PadType::OneHandle);
        EXPECT_EQ(keys->item(int(PadKey::Horn), 1)->text(), "ボタン 0");
        EXPECT_EQ(keys->item(int(PadKey::Doors), 1)->text(), "");
        dialog.forgetDevice();
        EXPECT_EQ(device->count(), 1);
        dialog.accept();
    }
    const MappingFile saved = loadMappings(file);
    ASSERT_EQ(saved.error, "");
    ASSERT_EQ(saved.devices.size(), 1u);
    const DeviceMapping& kept = saved.devices.at(throttle);
    EXPECT_EQ(kept.name, "away throttle");
    ASSERT_EQ(kept.axes.size(), 1u);
    EXPECT_DOUBLE_EQ(kept.axes[0].deadZone, 0.2);
    ASSERT_EQ(kept.axes[0].brakeNotches.size(), 3u);
    EXPECT_NEAR(kept.axes[0].brakeNotches[0], 0.2, 1e-12);
    EXPECT_NEAR(kept.axes[0].brakeNotches[1], 0.2 + 0.8 / 3, 1e-12);
    EXPECT_NEAR(kept.axes[0].brakeNotches[2], 0.2 + 1.6 / 3, 1e-12);
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

// Every text the dialog shows, from its own code and the input layer's.
QStringList shownTexts(const ControllerMapDialog& dialog) {
    QStringList texts{dialog.windowTitle()};
    for (const auto* label : dialog.findChildren<QLabel*>()) texts << label->text();
    for (const auto* button : dialog.findChildren<QPushButton*>()) texts << button->text();
    for (const auto* box : dialog.findChildren<QComboBox*>()) {
        for (int i = 0; i < box->count(); ++i) texts << box->itemText(i);
    }
    const auto* keys = dialog.findChild<QTableWidget*>("keys");
    for (int column = 0; column < keys->columnCount(); ++column) {
        texts << keys->horizontalHeaderItem(column)->text();
        for (int row = 0; row < keys->rowCount(); ++row) texts << keys->item(row, column)->text();
    }
    return texts;
}

// In English nothing of the dialog is left in Japanese: a tr() whose context
// differs from the catalogue's, or a caption not marked, would show through.
TEST_F(AppMappedControllers, InEnglishTheDialogAndTheFileErrorsSpeakEnglish) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
    if (SDL_NumJoysticks() > 0) GTEST_SKIP() << "a real game controller is plugged in";
    const test::EnglishForATest english;
    start("[0123456789abcdef0123456789abcdef]\naxis.0 = power\naxis.0.rest = lots\n");
    ASSERT_EQ(test::shownMessages().size(), 1u);
    EXPECT_TRUE(test::shownMessages()[0].contains("Line 3: The number \"lots\""))
        << test::shownMessages()[0].toStdString();

    const auto file = userConfig.writeBytes(
        "away.ini",
        "[0123456789abcdef0123456789abcdef]\nname = away throttle\naxis.0 = brake\n"
        "axis.0.rest = 0\naxis.0.brake_end = 32767\nbutton.3 = horn\nhat.0.left = doors\n");
    MappedControllers controllers(window->cab(), *window, file);
    ControllerMapDialog dialog(controllers);
    dialog.learnKey(PadKey::Doors);
    const QStringList texts = shownTexts(dialog);
    const QRegularExpression japanese(
        "[\\x{3000}-\\x{30ff}\\x{4e00}-\\x{9fff}\\x{ff00}-\\x{ffef}]");
    for (const QString& text : texts) EXPECT_FALSE(text.contains(japanese)) << text.toStdString();
    for (const char* expected :
         {"away throttle  (0123456789abcdef0123456789abcdef)  not connected", "Axis 0: Brake",
          "Horn", "Button 3", "Doors", "Hat 0 left", "Connect this device to learn its controls"})
        EXPECT_TRUE(texts.contains(expected)) << expected;
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

}  // namespace
}  // namespace tovra
