#include <gtest/gtest.h>

#include "sim/ElectricTrain.h"
#include "sim/MotionTexts.h"

namespace tovra {
namespace {

struct MotionTextsTest : test::ElectricTrain, ::testing::Test {
    std::string speedText(Extended speed) {
        s.Speed = speed;
        update_motion_texts(train.motion, train.state);
        return train.motion.SpeedText;
    }
    std::string remainText(Extended cm) {
        s.RemainDistance = cm;
        update_motion_texts(train.motion, train.state);
        return train.motion.RemainText;
    }
};

TEST_F(MotionTextsTest, SpeedHasOneDecimalInFiveColumns) {
    EXPECT_EQ(speedText(0), "  0.0 km/h");
    EXPECT_EQ(speedText(57.26L), " 57.3 km/h");
    EXPECT_EQ(speedText(123.46L), "123.5 km/h");
    EXPECT_EQ(speedText(-3.04L), " -3.0 km/h");
}

TEST_F(MotionTextsTest, RemainingDistanceGainsDecimalsNearTheStop) {
    EXPECT_EQ(remainText(150000), " 1500 m");
    EXPECT_EQ(remainText(1000.1L), "   10 m");
    EXPECT_EQ(remainText(1000), " 10.0 m");
    EXPECT_EQ(remainText(600), "  6.0 m");
    EXPECT_EQ(remainText(500), " 5.00 m");
    EXPECT_EQ(remainText(-37), "-0.37 m");
    EXPECT_EQ(remainText(-2000), "  -20 m");
}

}  // namespace
}  // namespace tovra
