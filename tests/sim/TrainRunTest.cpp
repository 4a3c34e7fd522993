#include <gtest/gtest.h>

#include "sim/AirBrake.h"
#include "sim/BrakeForce.h"
#include "sim/Compressor.h"
#include "sim/Currents.h"
#include "sim/EffectiveGradient.h"
#include "sim/ElectricTrain.h"
#include "sim/HandleDelays.h"
#include "sim/MotionTexts.h"
#include "sim/Traction.h"
#include "sim/TrainMotion.h"

namespace tovra {
namespace {

// The traction, brake and motion steps of both ticks, in tick order, with
// three physics ticks to a logic tick.
struct TrainRunTest : test::ElectricTrain, ::testing::Test {
    void physicsTick() {
        s.TractiveForce = Currency{};
        s.ResistForce = Currency{};
        compute_traction(cab.state, cab.vehicle, cab.diesel, cab.traction.doorsOpen);
        step_power_delay(cab.state, cab.vehicle);
        step_air_brake(cab.state, cab.vehicle, cab.settings.TickRate);
        s.MrPress -= 0.2L / 30;
        step_brake_delays(cab.state, cab.vehicle);
        s.Position += s.Speed / 36000 * 33333;
    }
    void logicTick() {
        compute_brake_force(cab.state, cab.vehicle);
        integrate_speed(cab.state, cab.motion, cab.vehicle, cab.route);
        update_motion_texts(cab.motion, cab.state);
        step_compressor(cab.state, cab.traction, cab.vehicle, cab.sound);
        step_currents(cab.state, cab.traction, cab.vehicle, cab.settings.TickRate);
        sample_gradient(cab.state, cab.motion, cab.vehicle, cab.route);
    }
    void runSeconds(int seconds) {
        for (int i = 0; i < seconds * 10; ++i) {
            for (int j = 0; j < 3; ++j) physicsTick();
            logicTick();
        }
    }
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
