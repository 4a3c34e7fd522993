#include <SDL.h>
#include <gtest/gtest.h>

#include <QByteArray>

#include "CabWindowFixture.h"
#include "ShownMessages.h"
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
        previousConfig_ = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(userConfig.path().string()));
        userConfig.writeBytes("Velmoran/controllers.ini", ini);
        test::shownMessages().clear();
        CabWindowFixture::SetUp();
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", previousConfig_); }

    test::TempDir userConfig;
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

TEST_F(AppMappedControllers, ADamagedFileIsToldAndTheRunGoesOnWithoutMappings) {
    start("[0123456789abcdef0123456789abcdef]\naxis.0 = power\naxis.0.rest = lots\n");
    ASSERT_EQ(test::shownMessages().size(), 1u);
    EXPECT_TRUE(test::shownMessages()[0].contains("controllers.ini"));
    EXPECT_TRUE(test::shownMessages()[0].contains("3 行目"));
    window->logicTick();
    EXPECT_TRUE(window->cab().running());
}

}  // namespace
}  // namespace tovra
