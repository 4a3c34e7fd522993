#include <gtest/gtest.h>

#include "common/DataError.h"
#include "data/CabDataFixture.h"
#include "headless/HeadlessRun.h"
#include "support/MiniData.h"

namespace tovra {
namespace {

struct CabClockTest : ::testing::Test {
    CabClockTest() {
        run = std::make_unique<HeadlessRun>(data.choice(), 1);
        run->cab.load();
    }
    test::CabData data;
    std::unique_ptr<HeadlessRun> run;
};

TEST_F(CabClockTest, LoadingEndsRunningWithKeysUnlocked) {
    EXPECT_TRUE(run->cab.running());
    EXPECT_FALSE(run->cab.keysLocked());
    EXPECT_TRUE(run->host.physicsRunning);
    EXPECT_TRUE(run->host.logicRunning);
    EXPECT_EQ(run->host.progress.front(), "設定ファイルを読み込んでいます");
    EXPECT_EQ(run->cab.startCaption(), "一時停止(&S)");
}

TEST_F(CabClockTest, PositionFollowsSpeedEachPhysicsTick) {
    TrainState& s = run->cab.state;
    const std::int32_t clock = s.Clock;
    s.Position = 0;
    s.Speed = 0;
    run->cab.MMTimer1Timer();
    EXPECT_EQ(s.StepDistance, 0.0L);
    EXPECT_EQ(s.Position, 0.0L);

    s.Speed = 36;  // 36 km/h runs 33.333 cm in 1/30 s
    run->cab.MMTimer1Timer();
    EXPECT_EQ(s.StepDistance, 36.0L / 36000 * 33333);
    EXPECT_NEAR(double(s.Position), 33.333, 1e-9);

    s.Speed = -36;
    run->cab.MMTimer1Timer();
    EXPECT_NEAR(double(s.Position), 0.0, 1e-9);
    EXPECT_EQ(s.Clock, clock + 3);

    run->cab.NextStopPosition = 1000;
    run->cab.MMTimer1Timer();
    EXPECT_NEAR(double(s.RemainDistance), 1000 - double(s.Position), 1e-9);
}

TEST_F(CabClockTest, VirtualSchedulerRunsThirtyPhysicsAndTenLogicTicksPerSecond) {
    const std::int32_t clock = run->cab.state.Clock;
    run->scheduler.runFor(2.0);
    EXPECT_EQ(run->cab.state.Clock, clock + 60);
    EXPECT_EQ(run->cab.state.LogicTickCount, 20);
}

TEST(CabClock, MainReservoirLeaksInStoredSteps) {
    HeadlessRun run(RunChoice{}, 1);
    Cab& cab = run.cab;
    cab.settings.TickRate = 30;
    // 0.2 kPa a second in steps of 0.2 / TickRate, each stored to 0.0067:
    // 60 steps lose 0.402, not 0.4.
    cab.state.MrPress = 100;
    for (int i = 0; i < 60; ++i) cab.state.MrPress -= 0.2L / cab.settings.TickRate;
    EXPECT_EQ(cab.state.MrPress.raw(), 1000000 - 60 * 67);
}

TEST_F(CabClockTest, PauseStopsBothTimersAndResumeRestartsThem) {
    run->cab.start1Click();
    EXPECT_FALSE(run->cab.running());
    EXPECT_FALSE(run->host.physicsRunning);
    EXPECT_FALSE(run->host.logicRunning);
    EXPECT_EQ(run->cab.startCaption(), "運転再開(&S)");
    EXPECT_FALSE(run->cab.keysLocked());
    const std::int32_t clock = run->cab.state.Clock;
    run->scheduler.runFor(1.0);
    EXPECT_EQ(run->cab.state.Clock, clock);
    EXPECT_EQ(run->cab.state.LogicTickCount, 0);

    run->cab.start1Click();
    EXPECT_EQ(run->cab.startCaption(), "一時停止(&S)");
    run->scheduler.runFor(1.0);
    EXPECT_EQ(run->cab.state.Clock, clock + 30);
}

TEST(CabLoad, DataErrorsStopTheLoad) {
    test::TempDir dir;
    test::writeProgramSettings(dir, "30");
    RunChoice choice;
    choice.dataDir = dir.path();
    HeadlessRun run(choice, 1);
    EXPECT_THROW(run.cab.load(), DataError);
    EXPECT_FALSE(run.cab.running());
    EXPECT_TRUE(run.cab.keysLocked());
}

}  // namespace
}  // namespace tovra
