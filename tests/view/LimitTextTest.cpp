#include "StatusTextsFixture.h"

namespace tovra {
namespace {

struct LimitTextTest : test::StatusTextsFixture {
    LimitTextTest() {
        cab.state.Position = 100000;
        cab.state.Speed = 50;
    }
    void pattern(std::int32_t speed, Extended ahead, std::int32_t brake) {
        cab.protection.PatternSpeed = speed;
        cab.protection.PatternPos = cab.state.Position + ahead;
        cab.protection.PatternBrake = brake;
    }
    const StatusTexts& texts() {
        update_limit_text(cab.statusTexts, cab.state, cab.protection, cab.settings);
        return cab.statusTexts;
    }
};

TEST_F(LimitTextTest, NextLimitThenNextSpeedCheckWithTheLimitInForce) {
    ProtectionState& p = cab.protection;
    p.nextLimits[0] = ApproachEntry{true, 2, 45, 31240, 0};  // 312.4 m
    p.nextCheck = ApproachEntry{true, 0, 30, 20050, 0};
    EXPECT_EQ(texts().limitText, "45km/h L5312m");
    EXPECT_EQ(texts().limitText2, "");
    p.CheckSpeedInForce = 60;
    EXPECT_EQ(texts().limitText, "45km/h L5312m");
    EXPECT_EQ(texts().limitText2, "L660km/h L8)");

    p.nextLimits[0] = ApproachEntry{};
    EXPECT_EQ(texts().limitText, "30km/h 照査まで200m");
    EXPECT_EQ(texts().limitText2, "L660km/h L7)");
    p.CheckSpeedInForce = kNoLimit;
    EXPECT_EQ(texts().limitText2, "");
}

TEST_F(LimitTextTest, PatternsHideTheWaysideLimits) {
    cab.protection.nextLimits[0] = ApproachEntry{true, 2, 45, 31240, 0};
    cab.protection.CheckSpeedInForce = 60;
    pattern(1, 5000, 40);  // a station ahead
    EXPECT_EQ(texts().limitText, "L3");
    EXPECT_EQ(texts().limitText2, "");
    cab.state.Speed = 1;  // creeping up to the mark
    EXPECT_EQ(texts().limitText, "45km/h L5312m");

    cab.state.Speed = 25;
    pattern(10, 12345, 54);  // a stop signal, the brake pattern near
    EXPECT_EQ(texts().limitText, "10km/h L4103m");
    EXPECT_EQ(texts().limitText2, "");
    pattern(10, 12345, 55);
    EXPECT_EQ(texts().limitText, "45km/h L5312m");
    pattern(10, 0, 54);  // at the target
    EXPECT_EQ(texts().limitText, "45km/h L5312m");
}

TEST_F(LimitTextTest, NothingKnownLeavesBothEmpty) {
    cab.statusTexts.limitText = "old";
    cab.statusTexts.limitText2 = "old";
    cab.protection.CheckSpeedInForce = 60;
    EXPECT_EQ(texts().limitText, "");
    EXPECT_EQ(texts().limitText2, "");
    // A short [InfoLabel] list gives empty lines, not a read past its end.
    cab.settings.InfoLabels.resize(2);
    cab.protection.nextLimits[0] = ApproachEntry{true, 2, 45, 31240, 0};
    EXPECT_EQ(texts().limitText, "45km/h 312m");
    EXPECT_EQ(texts().limitText2, "60km/h )");
}

}  // namespace
}  // namespace tovra
