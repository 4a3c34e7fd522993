#include <gtest/gtest.h>

#include "sim/BrakeForce.h"
#include "sim/ElectricTrain.h"

namespace tovra {
namespace {

struct BrakeForceTest : test::ElectricTrain, ::testing::Test {
    // air(P, M) with the friction factor f.
    static Extended air(Extended pressure, Extended tonnes, Extended f) {
        return 4.5L * pressure / 440 / 3.6L * tonnes * 1000 * f;
    }
};

TEST_F(BrakeForceTest, FrictionFactorIsBrakeRateAirAtRestAndOneFromBrakeRateSpeed) {
    EXPECT_EQ(frictionFactor(veh, 0), Currency(4.5L));
    EXPECT_EQ(frictionFactor(veh, 70), Currency(1));
    EXPECT_EQ(frictionFactor(veh, 70.0001L), Currency(1));
    EXPECT_EQ(frictionFactor(veh, 200), Currency(1));
    const Extended curve =
        (35 * 0.01L + 1) / (35 * 0.03L + 1) / ((70 * 0.01L + 1) / (0.03L * 70 + 1));
    EXPECT_EQ(frictionFactor(veh, 35), Currency(curve));
    // Just below BrakeRateSpeed the curve has come to 1.
    EXPECT_NEAR(double(frictionFactor(veh, 69.9999L)), 1.0, 1e-4);
}

TEST_F(BrakeForceTest, ForceModelsAndDirection) {
    s.BcPressM = 200;
    s.BcPressT = 300;
    s.ElecBrakeCurrent = 500;
    s.Speed = 80;
    veh.BrakeType2 = 0;
    compute_brake_force(train.state, train.vehicle);
    EXPECT_EQ(s.BrakeForce, Currency(air(200, 120, 1) + air(300, 150, 1)));
    EXPECT_EQ(s.TractiveForce, Currency(-Extended(s.BrakeForce)));

    const Extended electric = 500 * 4.2L / 1000 / 3.6L;
    veh.BrakeType2 = 1;
    s.TractiveForce = Currency{};
    compute_brake_force(train.state, train.vehicle);
    EXPECT_EQ(s.BrakeForce, Currency(air(200, 120, 1) + air(300, 150, 1) + air(300, 30, 1) +
                                     electric * 120 * 1000));

    veh.BrakeType2 = 2;
    s.Speed = -80;
    s.TractiveForce = Currency{};
    compute_brake_force(train.state, train.vehicle);
    EXPECT_EQ(s.BrakeForce, Currency(air(200, 120, 1) + air(200, 150, 1) + air(300, 30, 1) +
                                     electric * 270 * 1000));
    EXPECT_EQ(s.TractiveForce, s.BrakeForce);

    // At rest the force is computed but not applied; the motion holds the train.
    s.Speed = 0;
    s.TractiveForce = Currency{};
    compute_brake_force(train.state, train.vehicle);
    EXPECT_EQ(s.FrictionFactor, Currency(4.5L));
    EXPECT_EQ(s.BrakeForce, Currency(air(200, 120, 4.5L) + air(200, 150, 4.5L) +
                                     air(300, 30, 4.5L) + electric * 270 * 1000));
    EXPECT_EQ(s.TractiveForce.raw(), 0);
}

}  // namespace
}  // namespace tovra
