#include <gtest/gtest.h>

#include "sim/AirBrake.h"
#include "sim/ElectricTrain.h"

namespace tovra {
namespace {

struct AirBrakeTest : test::ElectricTrain, ::testing::Test {
    void ticks(int n) {
        for (int i = 0; i < n; ++i) step_air_brake(train.state, train.vehicle, train.settings.TickRate);
    }
};

// Every model releases from 400 kPa to exactly 0, slowing down as it goes
// (S is 1.0068 at 400 kPa and 11 at 0), and the cylinders stay at 0; with
// the main reservoir empty and leaking, no pressure goes below 0.
TEST_F(AirBrakeTest, EveryModelReleasesFrom400ToExactlyZero) {
    for (const std::int32_t model : {0, 1, 2}) {
        SCOPED_TRACE(model);
        veh.BrakeType = model;
        veh.Brake = model == 0 ? 4 : 8;
        s.BcPressT = 400;
        s.BcPressM = 400;
        s.SapPress = 400;
        s.BrakeNotch = 0;
        Extended firstStep = -1, lastStep = -1;
        int tick = 0;
        while (++tick < 3000 && (s.BcPressT.raw() > 0 || s.BcPressM.raw() > 0)) {
            const Extended before = s.BcPressT;
            step_air_brake(train.state, train.vehicle, train.settings.TickRate);
            if (firstStep < 0) firstStep = before - s.BcPressT;
            if (s.BcPressT.raw() > 0) lastStep = before - s.BcPressT;
        }
        ASSERT_LT(tick, 3000);
        const Extended fastest = 150.0L / 30 / releaseSlowdown(1.2L, 400);
        EXPECT_NEAR(double(firstStep), double(fastest), 1e-3);
        EXPECT_LT(lastStep, firstStep / 5);
        ticks(300);
        EXPECT_EQ(s.BcPressT.raw(), 0);
        EXPECT_EQ(s.BcPressM.raw(), 0);
        if (model == 1) {
            EXPECT_EQ(s.SapPress.raw(), 0);
        }
        s.MrPress = 0;
        for (int i = 0; i < 300; ++i) {
            step_air_brake(train.state, train.vehicle, train.settings.TickRate);
            leak_main_reservoir(s, 30);
        }
        EXPECT_EQ(s.MrPress.raw(), 0);
        EXPECT_GE(s.ErPress.raw(), 0);
        EXPECT_GE(s.BpPress, 0);
        s.MrPress = 880;
        s.ErPress = 490;
        s.BpPress = 490;
    }
}

TEST_F(AirBrakeTest, ElectroPneumaticReleaseWaitsForTheEqualisingReservoir) {
    s.BcPressT = 300;
    s.ErPress = 300;  // below 440 - 440 / 8 = 385
    s.BpPress = 300;
    s.BrakeNotch = 0;
    step_air_brake(train.state, train.vehicle, train.settings.TickRate);
    EXPECT_EQ(s.BcPressT, Currency(300));
    EXPECT_EQ(s.ErPress, Currency(300 + 150.0L / 30 / 5));
    // Recharging stops at the ceiling, min(MR, 490).
    s.MrPress = 450;
    ticks(400);
    EXPECT_EQ(s.ErPress, Currency(450));
    EXPECT_EQ(s.BpPress, 450);
    EXPECT_EQ(s.BcPressT.raw(), 0);
}

TEST_F(AirBrakeTest, ElectroPneumaticServiceFillsTowardsTheStepTarget) {
    s.BrakeNotch = -4;
    s.SapNotch = -4;
    ticks(300);
    const Extended target = 400.0L / 7 * 4;
    EXPECT_GE(s.BcPressT, target - 10);
    EXPECT_LE(s.BcPressT, target);
    EXPECT_GE(s.BcPressM, target - 10);
    EXPECT_GE(s.SapPress, 390.0L / 7 * 4 - 10);
    EXPECT_LT(s.MrPress, 880);

    // With the electric brake working, the motor cylinder falls back to ELBR.
    s.ElecBrakeCurrent = 500;
    ticks(300);
    EXPECT_GE(s.BcPressM, 80 - 200.0L / 30);
    EXPECT_LT(s.BcPressM, 85 + 200.0L / 30);
    EXPECT_GE(s.BcPressT, target - 10);
}

TEST_F(AirBrakeTest, ElectroPneumaticEmergencyEmptiesThePipes) {
    s.BrakeNotch = -8;
    s.SapPress = 100;
    ticks(90);
    EXPECT_GE(s.BcPressT, 440);
    EXPECT_LT(s.BcPressT, 440 + 20.01L);
    EXPECT_GE(s.BcPressM, 440);
    EXPECT_EQ(s.ErPress.raw(), 0);
    EXPECT_EQ(s.BpPress, 0);
    EXPECT_EQ(s.SapPress.raw(), 0);
}

TEST_F(AirBrakeTest, ElectricCommandServiceAndEmergency) {
    veh.BrakeType = 2;
    s.BrakeNotch = -4;
    ticks(600);
    const Extended target = 400.0L / 8 * 4;
    EXPECT_GE(s.BcPressT, target - 10);
    EXPECT_LE(s.BcPressT, target);
    s.BrakeNotch = -8;
    ticks(60);
    EXPECT_GE(s.BcPressT, 440);
    EXPECT_GE(s.BcPressM, 440);
    EXPECT_EQ(s.ErPress, Currency(490));  // this model leaves the pipes alone
}

TEST_F(AirBrakeTest, AutomaticBrakeFollowsThePipeReductionAndHolds) {
    veh.BrakeType = 0;
    veh.Brake = 4;
    veh.ELBR = 20;  // the dead band of the pipe reduction
    s.BrakeNotch = -3;
    ticks(60);
    const Extended reduction = 490 - s.BpPress;
    EXPECT_GT(reduction, 20);
    EXPECT_GT(s.BcPressT, 0);
    EXPECT_LE(s.BcPressT, reduction * 400 / 140 + 200.0L / 30);

    // Hold: the pipe stays, the cylinders complete their way to the target.
    s.BrakeNotch = -2;
    const Extended pipe = s.BpPress;
    ticks(60);
    EXPECT_EQ(s.BpPress, pipe);
    EXPECT_GE(s.BcPressT, std::min<Extended>(reduction * 400 / 140, 400) - 200.0L / 30);

    // Running position recharges the pipe and releases the cylinders.
    s.BrakeNotch = 0;
    ticks(1500);
    EXPECT_EQ(s.BcPressT.raw(), 0);
    EXPECT_GE(s.BpPress, 489);
    EXPECT_GE(s.ErPress, 489);
}

TEST_F(AirBrakeTest, AutomaticBrakeMaintainReleasesOnlyTheMotorCar) {
    veh.BrakeType = 0;
    veh.Brake = 4;
    s.BcPressT = 300;
    s.BcPressM = 300;
    s.BrakeNotch = -1;
    ticks(30);
    EXPECT_EQ(s.BcPressT, Currency(300));
    EXPECT_LT(s.BcPressM, 300);
    veh.Pull = 1;  // -1 is a release position then
    ticks(30);
    EXPECT_LT(s.BcPressT, 300);
}

TEST_F(AirBrakeTest, AutomaticBrakeEmergencyAndProtection) {
    veh.BrakeType = 0;
    veh.Brake = 4;
    s.BrakeNotch = -4;
    ticks(60);
    EXPECT_GE(s.BcPressT, 440);
    EXPECT_EQ(s.BpPress, 0);
    // The reservoir follows slowly, 1.4493 kPa a tick as each store rounds.
    EXPECT_EQ(s.ErPress.raw(), 4900000 - 60 * 14493);

    // A service protection brake is an emergency for this model, whatever the handle.
    s.BcPressT = Currency{};
    s.BcPressM = Currency{};
    s.BpPress = 490;
    s.ErPress = 490;
    s.BrakeNotch = 0;
    s.ProtectService = true;
    const Currency mr = s.MrPress;
    ticks(1);
    EXPECT_EQ(s.BcPressT, Currency(200.0L / (30 * 0.3L)));
    EXPECT_EQ(s.BcPressM, Currency(200.0L / (30 * 0.3L)));
    // MR pays for the trailer fill and, with the handle in running position, the pipe.
    EXPECT_EQ(s.MrPress,
              Currency(Currency(Extended(mr) - 200.0L / (30 * 3.3L)) - 200.0L / (30 * 4.6L)));
}

}  // namespace
}  // namespace tovra
