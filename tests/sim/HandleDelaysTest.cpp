#include <gtest/gtest.h>

#include "sim/ElectricTrain.h"
#include "sim/HandleDelays.h"

namespace tovra {
namespace {

struct HandleDelaysTest : test::ElectricTrain, ::testing::Test {
    // Physics ticks until BrakeNotch follows a brake handle moved now.
    int ticksUntilBrakeFollows(std::int32_t handle) {
        s.BrakeHandle = handle;
        s.BrakeDelayState.pending = true;
        for (int tick = 1; tick <= 100; ++tick) {
            step_brake_delays(train.state, train.vehicle);
            if (s.BrakeNotch == handle) return tick;
        }
        return -1;
    }
};

TEST_F(HandleDelaysTest, BrakeAnswersAfterSeventyPercentWithAirInTheTrailerCylinder) {
    veh.BrakeDelay = 10;
    EXPECT_EQ(ticksUntilBrakeFollows(-3), 10);
    EXPECT_FALSE(s.BrakeDelayState.pending);
    EXPECT_EQ(s.BrakeDelayState.count, 0);

    s.BcPressT = 0.0001L;
    EXPECT_EQ(ticksUntilBrakeFollows(-5), 7);

    veh.BrakeDelay = 3;  // 0.7 x 3 = 2.1: the third tick
    EXPECT_EQ(ticksUntilBrakeFollows(-2), 3);
    s.BcPressT = Currency{};
    EXPECT_EQ(ticksUntilBrakeFollows(-1), 3);
}

TEST_F(HandleDelaysTest, SapAndElectricDelaysCountOnTheirOwn) {
    s.BcPressT = 200;  // no shortening for these two
    s.BrakeHandle = -4;
    s.SapDelayState.pending = true;
    s.ElecBrakeDelayState.pending = true;
    std::vector<int> sapAt, elecAt;
    for (int tick = 1; tick <= 6; ++tick) {
        step_brake_delays(train.state, train.vehicle);
        if (s.SapNotch == -4 && sapAt.empty()) sapAt.push_back(tick);
        if (s.ElecBrakeNotch == -4 && elecAt.empty()) elecAt.push_back(tick);
    }
    EXPECT_EQ(sapAt, std::vector<int>{5});
    EXPECT_EQ(elecAt, std::vector<int>{4});
    EXPECT_EQ(s.BrakeNotch, 0);  // its flag was never raised
}

TEST_F(HandleDelaysTest, ProtectionOverridesTheBrakeCommand) {
    veh.BrakeDelay = 1;
    s.ProtectService = true;
    EXPECT_EQ(ticksUntilBrakeFollows(-2), -1);
    EXPECT_EQ(s.BrakeNotch, 1 - 8);
    // At emergency the handle keeps the train at emergency.
    EXPECT_EQ(ticksUntilBrakeFollows(-8), 1);
    s.ProtectService = false;
    s.ProtectEmergency = true;
    s.BrakeHandle = 0;
    s.BrakeDelayState.pending = true;
    step_brake_delays(train.state, train.vehicle);
    EXPECT_EQ(s.BrakeNotch, -8);
}

TEST_F(HandleDelaysTest, ZeroDelayCompletesOnTheNextTick) {
    veh.BrakeDelay = 0;
    EXPECT_EQ(ticksUntilBrakeFollows(-2), 1);
    veh.PowerDelay = 0;
    s.PowerHandle = 1;
    s.PowerDelayState.pending = true;
    step_power_delay(train.state, train.vehicle);
    EXPECT_EQ(s.PowerNotch, 1);
}

TEST_F(HandleDelaysTest, PowerNotchFollowsAfterPowerDelayButHoldsAboveNotchBack) {
    s.TractiveForce = 1234;
    s.PowerHandle = 3;
    s.PowerDelayState.pending = true;
    step_power_delay(train.state, train.vehicle);
    step_power_delay(train.state, train.vehicle);
    EXPECT_EQ(s.PowerNotch, 0);
    EXPECT_EQ(s.LastTractiveForce, Currency(1234));
    step_power_delay(train.state, train.vehicle);
    EXPECT_EQ(s.PowerNotch, 3);

    // Stepping back to a notch below NotchBack but above 0 keeps the notch.
    veh.NotchBack = 3;
    s.PowerHandle = 2;
    s.PowerDelayState.pending = true;
    for (int i = 0; i < 3; ++i) step_power_delay(train.state, train.vehicle);
    EXPECT_EQ(s.PowerNotch, 3);
    EXPECT_FALSE(s.PowerDelayState.pending);
    s.PowerHandle = 0;
    s.PowerDelayState.pending = true;
    for (int i = 0; i < 3; ++i) step_power_delay(train.state, train.vehicle);
    EXPECT_EQ(s.PowerNotch, 0);

    // While a station video plays the notch stays.
    s.VideoMode[0] = 1;
    s.PowerHandle = 1;
    s.PowerDelayState.pending = true;
    for (int i = 0; i < 3; ++i) step_power_delay(train.state, train.vehicle);
    EXPECT_EQ(s.PowerNotch, 0);
    s.VideoMode[0] = 2;
    s.PowerDelayState.pending = true;
    for (int i = 0; i < 3; ++i) step_power_delay(train.state, train.vehicle);
    EXPECT_EQ(s.PowerNotch, 1);
}

}  // namespace
}  // namespace tovra
