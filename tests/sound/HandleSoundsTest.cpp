#include "sound/HandleSounds.h"

#include "input/ControllerFixture.h"

namespace tovra {
namespace {

using test::ControllerFixture;

// Four brake steps; each list's channels are 10 apart so a played channel
// names its list and entry.
struct HandleSounds : ControllerFixture {
    HandleSounds() {
        VehicleSpec& v = cab.vehicle;
        v.Brake = 4;
        v.Sound_BA = {10, 11, 12, 13, 14};
        v.Sound_BK = {20, 21, 22, 23};
        v.Sound_BR = {30, 31, 32, 33};
        v.Sound_PA = {40, 41, 42, 43};
        v.Sound_PR = {50, 51, 52, 53};
        loadWaves({10, 11, 12, 13, 14, 20, 21, 22, 23, 30, 31, 32, 33, 40, 41, 42, 43, 50, 51});
    }
    // Types one key with the effective commands given, and returns the
    // channels it started.
    std::vector<int> press(char key, int powerNotch, int brakeNotch) {
        cab.state.PowerNotch = powerNotch;
        cab.state.BrakeNotch = brakeNotch;
        playedOnce.clear();
        type(std::string(1, key));
        return playedOnce;
    }
    using Played = std::vector<int>;
};

TEST_F(HandleSounds, NotchedBrakeAppliesAndEmergencyAtSpeed) {
    cab.state.BrakeHandle = 0;
    EXPECT_EQ(press('a', 0, 0), Played{10});  // BA entry |BrakeNotch|, counted from 0
    cab.sound.stop(10);
    cab.state.BrakeHandle = -1;
    EXPECT_EQ(press('a', 0, -1), Played{11});
    EXPECT_EQ(press('z', 0, -2), Played{});  // releasing has no sound here

    // Applying stops the clicks still sounding.
    cab.sound.playOnce(21);
    cab.state.BrakeHandle = -2;
    press('a', 0, -2);
    EXPECT_FALSE(cab.sound.isPlaying(21));

    cab.state.Speed = 20;
    cab.state.BrakeHandle = -2;
    EXPECT_EQ(press('q', 0, -2), Played{12});
    cab.sound.stop(12);
    cab.sound.playOnce(14);  // the emergency sound is on: no click over it
    cab.state.BrakeHandle = -2;
    EXPECT_EQ(press('q', 0, -2), Played{});
    cab.state.Speed = 10;
    cab.state.BrakeHandle = -2;
    EXPECT_EQ(press('q', 0, -2), Played{12});
}

TEST_F(HandleSounds, AutomaticBrakeValveSounds) {
    cab.vehicle.BrakeType = 0;
    cab.state.BrakeHandle = -1;
    EXPECT_EQ(press('z', 0, -1), Played{20});  // to release: BK entry 1
    cab.state.BrakeHandle = -2;
    EXPECT_EQ(press('z', 0, -2), Played{31});  // towards release: BR entry 2
    cab.state.BrakeHandle = -1;
    EXPECT_EQ(press('a', 0, -1), Played{11});  // towards brake: BA entry 1
    cab.state.BrakeHandle = -3;
    EXPECT_EQ(press('q', 0, -3), Played{});  // the emergency position has no valve click
}

TEST_F(HandleSounds, PowerNotchClicksAndRelease) {
    EXPECT_EQ(press('z', 0, 0), Played{40});
    EXPECT_EQ(press('z', 1, 0), Played{41});
    cab.state.PowerHandle = 1;
    EXPECT_EQ(press('z', 1, 0), Played{});  // PA entry 2 is still sounding
    cab.state.PowerHandle = 3;
    EXPECT_EQ(press('a', 3, 0), Played{42});
    cab.state.PowerHandle = 1;
    EXPECT_EQ(press('a', 2, 0), Played{51});  // back to 0: the release sound of the notch in force
    EXPECT_EQ(press('5', 0, 0), Played{});    // nothing moved, nothing in force
}

}  // namespace
}  // namespace tovra
