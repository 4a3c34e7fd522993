#include <gtest/gtest.h>

#include <cmath>

#include "sim/BrakeForce.h"
#include "sim/ElectricTrain.h"
#include "sim/TrainMotion.h"

namespace tovra {
namespace {

constexpr Extended g = 9.8L;
constexpr Extended kMass = test::ElectricTrain::kMassKg;

struct TrainMotionTest : test::ElectricTrain, ::testing::Test {
    // One logic tick of the motion, as the physics tick leaves the forces.
    void logicTick(Currency traction = Currency{}) {
        s.TractiveForce = traction;
        s.ResistForce = Currency{};
        compute_brake_force(train.state, train.vehicle);
        integrate_speed(train.state, train.motion, train.vehicle, train.route);
    }
};

TEST_F(TrainMotionTest, SlipHalvesTheAdhesionForceOfTheMotorCars) {
    s.PowerNotch = 1;
    s.Speed = 20;
    logicTick(1000000);
    const Currency adhesion = (20 * 0.279L + 1) / (20 * 0.367L + 1) * 0.3L;
    EXPECT_EQ(s.Adhesion, adhesion);
    EXPECT_EQ(s.AdhesionLimit, Currency(adhesion * 120 * 1000 * g));
    EXPECT_EQ(s.TractiveForce, Currency(adhesion * 0.5L * 120 * 1000 * g));
    EXPECT_EQ(train.motion.SlipText, "空転");

    // A diesel railcar slips on the whole train's mass.
    veh.Engine_Type = 0;
    logicTick(1000000);
    EXPECT_EQ(s.AdhesionLimit, Currency(Extended(s.Adhesion) * 300 * 1000 * g));
    veh.Engine_Type = 1;

    logicTick(100000);
    EXPECT_EQ(train.motion.SlipText, "");
}

TEST_F(TrainMotionTest, SlideUsesTwoThirdsOfTheWholeTrain) {
    s.BrakeNotch = -7;
    s.Speed = 60;
    logicTick(-3000000);
    const Currency adhesion = 0.3L / (60 * 0.0059L + 1);
    EXPECT_EQ(s.Adhesion, adhesion);
    EXPECT_EQ(s.TractiveForce, Currency(-Extended(adhesion) * 0.66L * 300 * 1000 * g));
    EXPECT_EQ(train.motion.SlipText, "滑走");
    // Neither power nor brake: adhesion keeps its value, the text clears.
    s.BrakeNotch = 0;
    logicTick();
    EXPECT_EQ(s.Adhesion, adhesion);
    EXPECT_EQ(train.motion.SlipText, "");
}

TEST_F(TrainMotionTest, TrailerCylinderHoldsTheTrainOnAnUpGradient) {
    s.Gradient = 25;
    s.BcPressT = 440;
    for (int i = 0; i < 10; ++i) logicTick();
    EXPECT_EQ(s.Speed, 0.0L);
    EXPECT_EQ(s.TractiveForce.raw(), 0);
    EXPECT_EQ(s.ResistForce.raw(), 0);

    // Without air the train rolls back down.
    s.BcPressT = Currency{};
    logicTick();
    EXPECT_LT(s.Speed, 0);
}

TEST_F(TrainMotionTest, HoldingBrakeKeepsTheTrainOnADownGradient) {
    s.Gradient = -10;
    s.HoldBrake = true;
    for (int i = 0; i < 10; ++i) logicTick();
    EXPECT_EQ(s.Speed, 0.0L);

    s.HoldBrake = false;
    logicTick();
    EXPECT_GT(s.Speed, 0);
}

TEST_F(TrainMotionTest, StartingResistanceIsNotAppliedUphill) {
    // Level track at rest: 8 km/h worth of starting resistance, opposing nothing yet.
    s.Speed = 2;
    logicTick();
    const Extended running = g * (300 * (1.32L + 0.0164L * 2) + (0.028L + 0.0078L * 9) * 4);
    EXPECT_NEAR(double(s.ResistForce), double(-(6 * g * 300) - running), 1e-3);

    s.Speed = 2;
    s.Gradient = 5;
    logicTick();
    const Extended slope = -kMass * g * 5 / std::sqrt(25 + 1e6L);
    EXPECT_NEAR(double(s.ResistForce), double(slope - running), 1e-3);
}

TEST_F(TrainMotionTest, BrakingTrainStopsAtZeroInsteadOfReversing) {
    s.BrakeNotch = -7;
    s.BcPressT = 400;
    s.BcPressM = 400;
    s.Speed = 0.5L;
    logicTick();
    EXPECT_EQ(s.Speed, 0.0L);
    EXPECT_EQ(s.TractiveForce.raw(), 0);
    EXPECT_EQ(s.ResistForce.raw(), 0);
    EXPECT_LT(s.NextSpeed, 0);

    s.Speed = -0.5L;
    logicTick();
    EXPECT_EQ(s.Speed, 0.0L);

    // A weak brake only slows the train.
    s.BcPressT = 10;
    s.BcPressM = 10;
    s.Speed = 30;
    logicTick();
    EXPECT_GT(s.Speed, 29.5L);
    EXPECT_LT(s.Speed, 30);
}

TEST_F(TrainMotionTest, IntegrationTunnelDragAndTestingSwitches) {
    veh.Engine_Type = 1;
    train.route.TunnelR = 20;
    train.motion.InTunnel = true;
    s.Speed = 36;
    logicTick(50000);
    const Extended drag = 20.0L / 10000 * 36 * 36 * 300 * g;
    const Extended running = g * (300 * (1.32L + 0.0164L * 36) + (0.028L + 0.0078L * 9) * 36 * 36);
    EXPECT_NEAR(double(s.ResistForce), double(-drag - running), 1e-3);
    const Extended expected = 36 + (Extended(s.ResistForce) + 50000) / kMass * 0.36L;
    EXPECT_NEAR(double(s.Speed), double(expected), 1e-12);
    EXPECT_NEAR(double(s.NextSpeed), double(expected), 1e-4);

    // Backwards, the drag pushes forwards.
    s.Speed = -36;
    logicTick();
    EXPECT_NEAR(double(s.ResistForce), double(drag + running), 1e-3);

    // Resistance off: only traction moves the speed.
    train.motion.InTunnel = false;
    train.motion.ResistOff = true;
    s.Speed = 36;
    logicTick(30000);
    EXPECT_NEAR(double(s.Speed), double(36 + 30000 / kMass * 0.36L), 1e-12);
    train.motion.ResistOff = false;

    // A station video takes the resistance away.
    s.VideoMode[0] = 1;
    logicTick();
    EXPECT_EQ(s.ResistForce.raw(), 0);
}

TEST_F(TrainMotionTest, ConstantSpeedBalancesTheResistance) {
    s.ConstSpeed = 1;
    s.PowerNotch = 4;
    s.Speed = 80;
    logicTick(120000);
    EXPECT_EQ(s.TractiveForce.raw(), -s.ResistForce.raw());
    EXPECT_NEAR(double(s.Speed), 80.0, 1e-12);

    // On a down gradient steep enough to pull, constant speed gives no force.
    s.Gradient = -40;
    logicTick(120000);
    EXPECT_GT(s.ResistForce, 0);
    EXPECT_EQ(s.TractiveForce.raw(), 0);
    EXPECT_GT(s.Speed, 80);
}

TEST_F(TrainMotionTest, MasslessTrainDoesNotMove) {
    veh.Tons = 0;
    s.Speed = 10;
    logicTick(1000);
    EXPECT_EQ(s.Speed, 10.0L);
}

}  // namespace
}  // namespace tovra
