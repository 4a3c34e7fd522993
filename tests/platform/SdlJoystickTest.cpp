#include "platform/SdlJoystick.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace tovra {
namespace {

constexpr int kAxes = 2;
constexpr int kButtons = 16;

bool zero(const PadReading& pad) {
    return pad.x == 0 && pad.y == 0 && pad.buttons == 0;
}

// Virtual controllers stand in for a real one: plugging in and pulling out
// while the cab polls.
TEST(SdlJoystick, AbsentReadsZeroAndAControllerPluggedInLaterIsTakenUp) {
    SdlJoystick pad;
    if (SDL_NumJoysticks() > 0) GTEST_SKIP() << "a real game controller is plugged in";
    EXPECT_TRUE(zero(pad.read()));
    EXPECT_FALSE(pad.present());

    const int device =
        SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, kAxes, kButtons, 0);
    ASSERT_GE(device, 0) << SDL_GetError();
    SDL_Joystick* virtualPad = SDL_JoystickOpen(device);
    ASSERT_NE(virtualPad, nullptr);
    SDL_JoystickSetVirtualAxis(virtualPad, 0, 1234);
    SDL_JoystickSetVirtualAxis(virtualPad, 1, -30001);
    SDL_JoystickSetVirtualButton(virtualPad, 3, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(virtualPad, 15, SDL_PRESSED);

    PadReading reading = pad.read();
    EXPECT_TRUE(pad.present());
    EXPECT_EQ(reading.x, 1234);
    EXPECT_EQ(reading.y, -30001);
    EXPECT_EQ(reading.buttons, (1u << 3) | (1u << 15));

    SDL_JoystickSetVirtualButton(virtualPad, 3, SDL_RELEASED);
    EXPECT_EQ(pad.read().buttons, 1u << 15);

    SDL_JoystickClose(virtualPad);
    ASSERT_EQ(SDL_JoystickDetachVirtual(device), 0) << SDL_GetError();
    EXPECT_TRUE(zero(pad.read()));
    EXPECT_FALSE(pad.present());
}

}  // namespace
}  // namespace tovra
