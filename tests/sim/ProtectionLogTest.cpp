#include <gtest/gtest.h>

#include <string>

#include "sim/ProtectionLog.h"

namespace tovra {
namespace {

TEST(ProtectionLogTest, RingKeepsTheLatestLinesWithTheirNumbers) {
    ProtectionLog log;
    EXPECT_EQ(log.lastSequence(), 0u);
    EXPECT_EQ(log.find(1), nullptr);
    log.add("停止信号まで", 273, "m");
    ASSERT_NE(log.find(1), nullptr);
    EXPECT_EQ(log.find(1)->text(), "停止信号まで273m");
    log.add(-5, "km/h");
    EXPECT_EQ(log.find(2)->text(), "-5km/h");

    for (int i = 3; i <= 70; ++i) log.add("line ", i);
    EXPECT_EQ(log.lastSequence(), 70u);
    EXPECT_EQ(log.find(6), nullptr);  // overwritten
    ASSERT_NE(log.find(7), nullptr);
    EXPECT_EQ(log.find(7)->text(), "line 7");
    EXPECT_EQ(log.find(7)->sequence, 7u);
    EXPECT_EQ(log.find(70)->text(), "line 70");
    EXPECT_EQ(log.find(71), nullptr);
}

TEST(ProtectionLogTest, LongLinesAreCutAtAWholeCharacter) {
    ProtectionLog log;
    std::string text;
    for (int i = 0; i < 41; ++i) text += "停";  // three bytes each
    log.add("x", text, 12345);
    const std::string_view line = log.find(1)->text();
    EXPECT_EQ(line.size(), 1 + 39 * 3u);
    EXPECT_EQ(line.substr(line.size() - 3), "停");
}

}  // namespace
}  // namespace tovra
