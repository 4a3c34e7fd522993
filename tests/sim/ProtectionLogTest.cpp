#include <gtest/gtest.h>

#include "sim/ProtectionLog.h"

namespace tovra {
namespace {

TEST(ProtectionLogTest, RingKeepsTheLatestLinesWithTheirNumbers) {
    ProtectionLog log;
    EXPECT_EQ(log.lastSequence(), 0u);
    EXPECT_EQ(log.find(1), nullptr);
    log.add("停止信号まで%1m", 273);
    ASSERT_NE(log.find(1), nullptr);
    EXPECT_EQ(log.find(1)->text(), "停止信号まで273m");
    log.add("%1km/h照査によって停止ブレーキ 速度%2 パターン%3", 10, -5, 68);
    EXPECT_EQ(log.find(2)->text(), "10km/h照査によって停止ブレーキ 速度-5 パターン68");
    log.add("停車駅パターン消去");
    EXPECT_EQ(log.find(3)->text(), "停車駅パターン消去");

    for (int i = 4; i <= 70; ++i) log.add("line %1", i);
    EXPECT_EQ(log.lastSequence(), 70u);
    EXPECT_EQ(log.find(6), nullptr);  // overwritten
    ASSERT_NE(log.find(7), nullptr);
    EXPECT_EQ(log.find(7)->text(), "line 7");
    EXPECT_EQ(log.find(7)->sequence, 7u);
    EXPECT_EQ(log.find(70)->text(), "line 70");
    EXPECT_EQ(log.find(71), nullptr);
}

}  // namespace
}  // namespace tovra
