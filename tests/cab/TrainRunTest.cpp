#include <gtest/gtest.h>

#include "headless/HeadlessRun.h"
#include "sim/ElectricTrain.h"

namespace tovra {
namespace {

// The real ticks in their order, three physics ticks to a logic tick, on a
// train with no line around it.
struct TrainRunTest : ::testing::Test {
    TrainRunTest() {
        const test::TrainRecords& train = electric.train;
        cab.settings = train.settings;
        cab.vehicle = train.vehicle;
        cab.route = train.route;
        cab.state = train.state;
        // Both ends of the film out of reach.
        s.Frame = 1000;
        cab.route.MovieStopFrames[0] = 1000000;
        run.host.physicsRunning = run.host.logicRunning = true;
    }
    void runSeconds(int seconds) { run.scheduler.runFor(seconds); }

    test::ElectricTrain electric;
    HeadlessRun run{RunChoice{}, 1};
    Cab& cab = run.cab;
    TrainState& s = cab.state;
};

TEST_F(TrainRunTest, PowersAwayThenBrakesToAStandstillThatHolds) {
    s.PowerHandle = 4;
    s.PowerDelayState.pending = true;
    runSeconds(30);
    EXPECT_GT(s.Speed, 40);
    EXPECT_LT(s.Speed, 120);
    EXPECT_GT(s.AmmeterValue, 0);
    EXPECT_EQ(cab.motion.SlipText, "");

    s.PowerHandle = 0;
    s.BrakeHandle = -7;
    s.PowerDelayState.pending = true;
    s.BrakeDelayState.pending = s.SapDelayState.pending = s.ElecBrakeDelayState.pending = true;
    runSeconds(5);
    EXPECT_GT(s.ElecBrakeCurrent, 0);  // the electric brake carries the motor cars
    EXPECT_LT(s.AmmeterValue, 0);
    runSeconds(60);
    EXPECT_EQ(s.Speed, 0.0L);
    EXPECT_EQ(s.ElecBrakeCurrent, 0);  // faded below Lose_elec
    EXPECT_GT(s.BcPressT, 0);
    EXPECT_EQ(cab.motion.SpeedText, "  0.0 km/h");
    const Extended stoppedAt = s.Position;
    runSeconds(10);
    EXPECT_EQ(s.Position, stoppedAt);
}

}  // namespace
}  // namespace tovra
