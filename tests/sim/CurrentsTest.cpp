#include <gtest/gtest.h>

#include "sim/Currents.h"
#include "sim/ElectricTrain.h"

namespace tovra {
namespace {

struct CurrentsTest : test::ElectricTrain, ::testing::Test {
    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            step_currents(train.state, train.traction, train.vehicle, train.settings.TickRate);
    }
};

TEST_F(CurrentsTest, RatedElectricBrakeRisesAndFadesBelowLoseElec) {
    s.Speed = 50;
    s.ElecBrakeNotch = -7;  // target 1000 A
    ticks(1);
    EXPECT_NEAR(double(s.ElecBrakeCurrent), 60, 1e-9);  // 600 A/s x 3 / 30
    EXPECT_EQ(s.AmmeterValue, -60);
    ticks(30);
    // Rises while the target is more than 50 A away.
    EXPECT_NEAR(double(s.ElecBrakeCurrent), 960, 1e-9);

    s.Speed = 4.9L;  // below Lose_elec: the current fades at 90 A a tick
    ticks(1);
    EXPECT_NEAR(double(s.ElecBrakeCurrent), 870, 1e-9);
    ticks(9);
    EXPECT_NEAR(double(s.ElecBrakeCurrent), 60, 1e-9);
    EXPECT_EQ(s.AmmeterValue, -60);
    ticks(1);
    EXPECT_EQ(s.ElecBrakeCurrent, 0);  // clamped, not -30

    // Released, the current falls twice a tick.
    s.Speed = 50;
    s.ElecBrakeCurrent = 500;
    s.ElecBrakeNotch = 0;
    ticks(1);
    EXPECT_NEAR(double(s.ElecBrakeCurrent), 320, 1e-9);

    // Without the electric brake force model the current is left alone.
    veh.BrakeType2 = 0;
    ticks(1);
    EXPECT_NEAR(double(s.ElecBrakeCurrent), 320, 1e-9);
}

TEST_F(CurrentsTest, SteppedElectricBrakeFollowsItsTable) {
    veh.Brake_Type = 0;
    veh.CurrentB = {{0, 0, 0}, {0.05L, -10, 0}, {0.1L, -20, 0}};
    veh.BrakeCurrMax = {0, 300, 1200};
    s.Speed = 40;
    s.ElecBrakeNotch = -2;
    train.traction.PowerStep = 3;
    ticks(1);
    // Row 0 has no current and steps on; row 1 gives 20 x (40 + 10) A, under
    // the limit of position 2, so the step goes on to row 2.
    EXPECT_EQ(train.traction.ElecBrakeStep, 2);
    EXPECT_NEAR(double(s.ElecBrakeCurrent), 1000, 1e-9);
    EXPECT_EQ(train.traction.PowerStep, 0);
    EXPECT_EQ(s.AmmeterValue, -1000);
    ticks(1);
    EXPECT_NEAR(double(s.ElecBrakeCurrent), 600, 1e-9);  // row 2: 10 x (40 + 20)

    // A brake position beyond the limit table has no electric brake.
    s.ElecBrakeNotch = -5;
    ticks(1);
    EXPECT_EQ(train.traction.ElecBrakeStep, 0);
    EXPECT_EQ(s.ElecBrakeCurrent, 0);

    // Below Lose_elec from step 0 there is no current; released, neither.
    s.ElecBrakeNotch = -2;
    s.Speed = 3;
    ticks(1);
    EXPECT_EQ(s.ElecBrakeCurrent, 0);
    s.Speed = 40;
    ticks(1);
    s.ElecBrakeNotch = 0;
    ticks(1);
    EXPECT_EQ(train.traction.ElecBrakeStep, 0);
    EXPECT_EQ(s.ElecBrakeCurrent, 0);
}

TEST_F(CurrentsTest, ResistorStepsNotchUpWhileTheCurrentAllows) {
    veh.Power_Type = 0;
    veh.MaxCurrent = 400;
    veh.CurrentP = {{1, 20000, -10, 0}, {1, 30000, -20, 0}, {2, 40000, -30, 0}};
    s.PowerNotch = 1;
    s.Speed = 40;  // row 0: 20000 / 50 = 400 A, at the limit
    ticks(1);
    EXPECT_EQ(train.traction.PowerStep, 0);
    EXPECT_EQ(s.MotorCurrent, 400);
    EXPECT_EQ(s.AmmeterValue, 400);
    s.Speed = 60;  // 286 A: step to row 1, 375 A; row 2 needs notch 2
    ticks(1);
    EXPECT_EQ(train.traction.PowerStep, 1);
    EXPECT_EQ(s.MotorCurrent, 375);
    s.PowerNotch = 2;
    s.Speed = 90;
    ticks(1);
    EXPECT_EQ(train.traction.PowerStep, 2);
    EXPECT_EQ(s.MotorCurrent, 333);

    // Doors open with the interlock: nothing moves; notch 0 resets.
    veh.DoorLock = 1;
    train.traction.doorsOpen = true;
    s.Speed = 100;
    ticks(1);
    EXPECT_EQ(s.MotorCurrent, 333);
    s.PowerNotch = 0;
    ticks(1);
    EXPECT_EQ(train.traction.PowerStep, 0);
    EXPECT_EQ(s.MotorCurrent, 0);
    EXPECT_EQ(s.AmmeterValue, 0);
}

TEST_F(CurrentsTest, CurrentsRoundHalfAwayFromZero) {
    veh.Power_Type = 0;
    veh.MaxCurrent = 1000;
    veh.CurrentP = {{1, 20000, -10, 0}};
    s.PowerNotch = 1;
    s.Speed = 54;  // 20000 / 64 = 312.5
    ticks(1);
    EXPECT_EQ(s.MotorCurrent, 313);

    veh.Power_Type = 1;
    s.LastTractiveForce = 100000;  // 100000 x 3.6 / 300000 x 50 = 60
    ticks(1);
    EXPECT_EQ(s.AmmeterValue, 60);
    s.PowerNotch = 0;
    ticks(1);
    EXPECT_EQ(s.AmmeterValue, 0);
    s.BrakeNotch = -1;
    s.LastTractiveForce = -25000;
    ticks(1);
    EXPECT_EQ(s.AmmeterValue, -15);
}

}  // namespace
}  // namespace tovra
