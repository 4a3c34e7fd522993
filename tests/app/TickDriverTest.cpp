#include "app/TickDriver.h"

#include <gtest/gtest.h>

namespace tovra {
namespace {

using std::chrono::milliseconds;

TEST(AppTickDriver, CatchesUpTheTicksOwedAndSlipsAfterALongStall) {
    TickDriver driver(milliseconds(33), 6);
    const TickDriver::Clock::time_point t0{std::chrono::seconds(100)};
    int ticks = 0;
    const auto tick = [&] { ++ticks; };
    driver.start(t0);
    EXPECT_EQ(driver.run(t0 + milliseconds(32), tick), 0);
    EXPECT_EQ(driver.run(t0 + milliseconds(34), tick), 1);
    // The thread was busy 120 ms: the ticks due at 66, 99 and 132 run at once.
    EXPECT_EQ(driver.run(t0 + milliseconds(154), tick), 3);
    EXPECT_EQ(ticks, 4);
    EXPECT_EQ(driver.takeWorstLateness(), milliseconds(88));
    EXPECT_EQ(driver.takeWorstLateness(), milliseconds(0));

    // After a second's stall six run, and the next comes a period later.
    EXPECT_EQ(driver.run(t0 + milliseconds(1154), tick), 6);
    EXPECT_EQ(driver.nextDue(), t0 + milliseconds(1187));

    // A tick that stops the timer ends the owed run.
    EXPECT_EQ(driver.run(t0 + milliseconds(1300), [&] { driver.stop(); }), 1);
    EXPECT_EQ(driver.run(t0 + milliseconds(2000), tick), 0);
}

}  // namespace
}  // namespace tovra
