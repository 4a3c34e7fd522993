#include "platform/SdlDevices.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace tovra {
namespace {

// Two virtual controllers: each read on its own, and pulling out the first
// keeps the second with its id and its readings.
TEST(SdlDevices, SeveralDevicesAreReadAndFollowedThroughPlugging) {
    SdlDevices devices;
    if (SDL_NumJoysticks() > 0) GTEST_SKIP() << "a real game controller is plugged in";
    EXPECT_TRUE(devices.poll().empty());

    const int first = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 3, 0);
    const int second = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_THROTTLE, 4, 1, 1);
    SDL_Joystick* a = SDL_JoystickOpen(first);
    SDL_Joystick* b = SDL_JoystickOpen(second);
    ASSERT_TRUE(a && b) << SDL_GetError();
    SDL_JoystickSetVirtualAxis(a, 1, -1234);
    SDL_JoystickSetVirtualButton(a, 2, SDL_PRESSED);
    SDL_JoystickSetVirtualAxis(b, 3, 32767);
    SDL_JoystickSetVirtualHat(b, 0, SDL_HAT_LEFTUP);

    std::vector<AttachedDevice> seen = devices.poll();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].guid.size(), 32u);
    EXPECT_EQ(seen[0].reading.axes, (std::vector<std::int32_t>{0, -1234}));
    EXPECT_EQ(seen[0].reading.buttons, (std::vector<bool>{false, false, true}));
    EXPECT_EQ(seen[1].reading.axes, (std::vector<std::int32_t>{0, 0, 0, 32767}));
    EXPECT_EQ(seen[1].reading.hats, (std::vector<std::uint8_t>{HatLeft | HatUp}));
    const std::int32_t secondId = seen[1].id;
    EXPECT_NE(seen[0].id, secondId);

    SDL_JoystickClose(a);
    SDL_JoystickDetachVirtual(first);
    SDL_JoystickSetVirtualAxis(b, 0, 500);
    seen = devices.poll();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].id, secondId);
    EXPECT_EQ(seen[0].reading.axes, (std::vector<std::int32_t>{500, 0, 0, 32767}));

    SDL_JoystickClose(b);
    SDL_JoystickDetachVirtual(0);
    EXPECT_TRUE(devices.poll().empty());
}

}  // namespace
}  // namespace tovra
