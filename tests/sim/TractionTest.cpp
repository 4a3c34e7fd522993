#include <gtest/gtest.h>

#include <cmath>

#include "sim/ElectricTrain.h"
#include "sim/Traction.h"

namespace tovra {
namespace {

constexpr Extended kMass = test::ElectricTrain::kMassKg;

Extended force(Extended accel) {
    return Currency(accel / 3.6L * kMass);
}

TEST(NotchCurveTest, RangesMeetAtSpeedConstAndSpeedPower) {
    const NotchRecord n{3.0, 2.5, 35, 60, 0.98, 1};
    EXPECT_EQ(notchForce(n, 0, kMass), Currency(force(3.0)));
    EXPECT_EQ(notchForce(n, 17.5L, kMass), Currency(force(2.75L)));
    // At SpeedConst the constant-power range gives exactly AccelConst.
    EXPECT_EQ(notchForce(n, 35, kMass), Currency(force(2.5L)));
    EXPECT_NEAR(double(notchForce(n, 35 - 1e-9L, kMass)), double(force(2.5L)), 0.01);
    // At SpeedPower the decay starts from the constant-power value.
    const Extended atPower = 35 * 2.5L / 60;
    EXPECT_EQ(notchForce(n, 60, kMass), Currency(force(atPower)));
    EXPECT_NEAR(double(notchForce(n, 60 - 1e-9L, kMass)), double(force(atPower)), 0.01);
    // The decay steps with the speed rounded half away from zero: 60.5 is 61.
    EXPECT_EQ(notchForce(n, 60.4L, kMass), Currency(force(35 * 2.5L / 60.4L)));
    const Extended at605 = 35 * 2.5L / std::pow(0.98L, 60) * std::pow(0.98L, 61) / 60.5L;
    EXPECT_EQ(notchForce(n, 60.5L, kMass), Currency(force(at605)));
}

TEST(NotchCurveTest, NonPositiveStartAccelerationActsOnlyBetweenTheSpeeds) {
    const NotchRecord n{-1.5, 0, 20, 40, 0, 1};
    EXPECT_EQ(notchForce(n, 19.9L, kMass).raw(), 0);
    EXPECT_EQ(notchForce(n, 20, kMass), Currency(force(-1.5L)));
    EXPECT_EQ(notchForce(n, 39.9L, kMass), Currency(force(-1.5L)));
    EXPECT_EQ(notchForce(n, 40, kMass).raw(), 0);
}

TEST(NotchCurveTest, ZeroDataValuesGiveNoForceInsteadOfNaN) {
    // SpeedConst 0 and DecayBase 0 would divide by zero at standstill.
    const NotchRecord n{2.0, 2.0, 0, 0, 0, 1};
    EXPECT_EQ(notchForce(n, 0, kMass).raw(), 0);
}

struct TractionTest : test::ElectricTrain, ::testing::Test {
    Currency tractionAt(Extended speed) {
        s.Speed = speed;
        s.TractiveForce = Currency{};
        compute_traction(train.state, train.vehicle, train.diesel, train.traction.doorsOpen);
        return s.TractiveForce;
    }
};

TEST_F(TractionTest, NotchCurveCarNeedsEveryConditionAndAReleasedBrakeHandle) {
    s.PowerNotch = 2;
    const Currency full = tractionAt(10);
    EXPECT_EQ(full, notchForce(veh.Notch[1], 10, kMass));
    EXPECT_GT(full, 0);

    s.BrakeHandle = -1;
    EXPECT_EQ(tractionAt(10).raw(), 0);
    s.BrakeHandle = 0;

    EXPECT_GT(tractionAt(119.9L), 0);
    EXPECT_EQ(tractionAt(120).raw(), 0);  // at MaxSpeed

    s.EngineState = -1;
    EXPECT_EQ(tractionAt(10).raw(), 0);
    s.EngineState = 1;

    s.ProtectService = true;
    EXPECT_EQ(tractionAt(10).raw(), 0);
    s.ProtectService = false;
    s.ProtectEmergency = true;
    EXPECT_EQ(tractionAt(10).raw(), 0);
    s.ProtectEmergency = false;

    // A notch without a curve record gives no force rather than reading past the table.
    s.PowerNotch = 5;
    EXPECT_EQ(tractionAt(10).raw(), 0);
}

TEST_F(TractionTest, DoorInterlockAndReverser) {
    s.PowerNotch = 1;
    const Currency forward = tractionAt(20);
    train.traction.doorsOpen = true;
    EXPECT_EQ(tractionAt(20), forward);  // DoorLock 0 ignores the doors
    veh.DoorLock = 1;
    EXPECT_EQ(tractionAt(20).raw(), 0);
    train.traction.doorsOpen = false;
    EXPECT_EQ(tractionAt(20), forward);
    veh.DoorLock = 2;
    EXPECT_EQ(tractionAt(20).raw(), 0);
    veh.DoorLock = 0;

    s.Reverser = -1;
    EXPECT_EQ(tractionAt(-20).raw(), -forward.raw());
    s.Reverser = 0;
    EXPECT_EQ(tractionAt(20).raw(), 0);
}

TEST_F(TractionTest, ResistorStepCarPullsWithTheBrakeHandleApplied) {
    veh.Power_Type = 0;
    veh.MaxCurrent = 400;
    veh.CurrAccel = 3.6L;
    veh.CurrSpeed = 40;
    s.PowerNotch = 1;
    s.MotorCurrent = 200;
    s.BrakeHandle = -2;
    // Below CurrSpeed: a = 1 m/s² at MaxCurrent, half of it at half the current.
    EXPECT_EQ(tractionAt(10), Currency(kMass * 1.0L / 400 * 200));
    EXPECT_EQ(tractionAt(80), Currency(kMass * (40.0L / 80) / 400 * 200));
    s.PowerNotch = 0;
    EXPECT_EQ(tractionAt(10).raw(), 0);
}

}  // namespace
}  // namespace tovra
