#include <gtest/gtest.h>

#include "sim/EffectiveGradient.h"
#include "sim/ElectricTrain.h"

namespace tovra {
namespace {

struct EffectiveGradientTest : test::ElectricTrain, ::testing::Test {
    EffectiveGradientTest() { train.route.Slopes = {{Currency(10), 100, 10000}}; }
    // Runs the train forward by `cm` and samples.
    void runOn(Extended cm) {
        s.Position += cm;
        sample_gradient(train.state, train.motion, train.vehicle, train.route);
    }
};

TEST_F(EffectiveGradientTest, SlopeSegmentsHoldFramesStrictlyInside) {
    train.route.Slopes.push_back({Currency(-3.5L), 5000, 6000});
    EXPECT_EQ(slopeSegmentAt(train.route, 100), -1);
    EXPECT_EQ(slopeSegmentAt(train.route, 101), 0);
    EXPECT_EQ(slopeSegmentAt(train.route, 9999), 0);
    EXPECT_EQ(slopeSegmentAt(train.route, 10000), -1);
    EXPECT_EQ(slopeSegmentAt(train.route, 5500), 1);  // the later segment wins
    s.Frame = 5500;
    sample_gradient(train.state, train.motion, train.vehicle, train.route);
    EXPECT_EQ(train.motion.SlopeValue, Currency(-3.5L));
    s.Frame = 50;
    sample_gradient(train.state, train.motion, train.vehicle, train.route);
    EXPECT_EQ(train.motion.SlopeValue.raw(), 0);
}

TEST_F(EffectiveGradientTest, TenCarTrainFeelsASlopeOnePermilPerTwentyMetres) {
    s.Frame = 200;
    runOn(2000);  // exactly 20 m: not yet a new sample
    EXPECT_EQ(s.Gradient.raw(), 0);
    EXPECT_TRUE(train.motion.CarGradient.empty());
    for (int car = 1; car <= 12; ++car) {
        runOn(2000.5L);
        EXPECT_EQ(s.Gradient, Currency(std::min(car, 10))) << "after sample " << car;
    }
    ASSERT_EQ(train.motion.CarGradient.size(), 10u);

    // Leaving the slope, the cars come off it one by one; running back counts too.
    s.Frame = 10000;
    runOn(-2000.5L);
    EXPECT_EQ(s.Gradient, Currency(9));
    runOn(-2000.5L);
    EXPECT_EQ(s.Gradient, Currency(8));
}

TEST_F(EffectiveGradientTest, SamplesRoundHalvesToEvenAndTheMeanIsNotRounded) {
    train.route.Slopes = {{Currency(2.5L), 100, 10000}, {Currency(3.5L), 20000, 30000}};
    veh.Cars = 3;
    s.Frame = 200;
    runOn(2001);
    EXPECT_EQ(train.motion.CarGradient, (std::vector<std::int32_t>{2, 0, 0}));
    s.Frame = 25000;
    runOn(2001);
    EXPECT_EQ(train.motion.CarGradient, (std::vector<std::int32_t>{4, 2, 0}));
    EXPECT_EQ(s.Gradient, Currency(6.0L / 3));
    runOn(2001);
    EXPECT_EQ(s.Gradient, Currency(10.0L / 3));  // 3.3333
    EXPECT_EQ(s.Gradient.raw(), 33333);
}

TEST_F(EffectiveGradientTest, TrainWithoutCarsCountsAsOneCar) {
    veh.Cars = 0;
    s.Frame = 200;
    runOn(2001);
    EXPECT_EQ(s.Gradient, Currency(10));
}

}  // namespace
}  // namespace tovra
