#include <gtest/gtest.h>

#include <map>
#include <string>

#include "headless/HeadlessRun.h"
#include "sim/DieselEngine.h"
#include "sim/DieselTraction.h"
#include "sim/EngineStart.h"
#include "sim/Gearbox.h"
#include "support/SilentWave.h"
#include "support/TempDir.h"

namespace tovra {
namespace {

constexpr int kStarterChannel = 2;
constexpr int kStopChannel = 3;

// A diesel railcar with three gear rows; row 0 pulls from a standstill.
struct DieselTest : ::testing::Test {
    DieselTest() : run(RunChoice{}, 1), cab(run.cab), s(cab.state), d(cab.diesel) {
        cab.settings.TickRate = 30;
        cab.settings.Gears = {"N", "T", "D"};
        VehicleSpec& v = cab.vehicle;
        v.Engine_Type = 0;
        v.Power = 4;
        v.PowerJerk = 5;
        v.MaxSpeed = 120;
        v.Engine = {{0, 20, 30, 3000, 2000, 500},
                    {15, 30, 50, 2600, 1800, 400},
                    {40, 60, 90, 1500, 1200, 300}};
        v.EngineRate = {{30, 0}, {30, 1.0L}, {20, 0.8L}, {0, 1.5L}};
        v.EngineSound2 = {0, 1, kStarterChannel, kStopChannel};
        s.EngineState = 1;
        s.Reverser = 1;

        const std::string wave = test::silentWave(1);
        EXPECT_TRUE(run.sound.load(kStarterChannel, dir.writeBytes("start.wav", wave)));
        EXPECT_TRUE(run.sound.load(kStopChannel, dir.writeBytes("stop.wav", wave)));
        run.sound.setListener([this](const FakeSoundDevice::Operation& op) {
            if (std::string(op.name) == "play_once") played[op.channel] += 1;
        });
    }

    // Tractive force as stored, in ten-thousandths of a newton.
    std::int64_t force() {
        s.TractiveForce = 0;
        compute_diesel_traction(cab.state, cab.vehicle, cab.diesel);
        return s.TractiveForce.raw();
    }
    static std::int64_t newtons(Extended n) { return Currency(n).raw(); }
    void logicTicks(int n) {
        for (int i = 0; i < n; ++i) {
            step_gearbox(cab.diesel, cab.state, cab.lamps, cab.vehicle, cab.traction.doorsOpen);
            cab.showHandlesIfDue();
            step_engine_key(cab.diesel, cab.state, cab.sound, cab.vehicle);
        }
    }
    void physicsTicks(int n) {
        for (int i = 0; i < n; ++i) step_engine_speed(cab.state, cab.diesel, cab.vehicle);
    }

    test::TempDir dir;
    HeadlessRun run;
    Cab& cab;
    TrainState& s;
    DieselState& d;
    std::map<int, int> played;
};

TEST_F(DieselTest, ForceFollowsTheEngagedGearsCurve) {
    s.PowerNotch = 4;
    s.Speed = 10;  // first segment: 3000 - 10 * 1000 / 20 = 2500 kgf
    EXPECT_EQ(force(), newtons(4 * 2500 * 9.8L / 4));
    s.Speed = 25;  // second segment: 2000 - 5 * 1500 / 10 = 1250 kgf
    EXPECT_EQ(force(), newtons(4 * 1250 * 9.8L / 4));
    s.PowerNotch = 1;
    EXPECT_EQ(force(), newtons(1 * 1250 * 9.8L / 4));
    s.Speed = 30;  // the gear's top speed
    EXPECT_EQ(force(), 0);

    d.GearActual = 1;  // below the lowest speed the curve rises again: |10 - 15|
    s.Speed = 10;
    s.PowerNotch = 4;
    EXPECT_EQ(force(), newtons(4 * (2600 - 5 * 800 / 15.0L) * 9.8L / 4));

    d.ShiftState = 1;  // no force while the clutch is out
    EXPECT_EQ(force(), 0);
    d.ShiftState = 0;
    s.PowerNotch = 0;
    EXPECT_EQ(force(), 0);

    d.GearActual = 3;  // beyond the table: a row of zeros
    s.PowerNotch = 4;
    EXPECT_EQ(force(), 0);

    // A first segment of no length pulls with its first effort, not an
    // infinite one.
    cab.vehicle.Engine[0] = {10, 10, 40, 2000, 1800, 900};
    d.GearActual = 0;
    s.Speed = 8;
    EXPECT_EQ(force(), newtons(4 * 2000 * 9.8L / 4));
}

TEST_F(DieselTest, BelowPowerJerkAtMostNotchTwoPulls) {
    s.Speed = 2;  // 3000 - 2 * 50 = 2900 kgf
    s.PowerNotch = 4;
    const std::int64_t notch2 = newtons(2 * 2900 * 9.8L / 4);
    EXPECT_EQ(force(), notch2);
    s.PowerNotch = 3;
    EXPECT_EQ(force(), notch2);
    s.PowerNotch = 1;
    EXPECT_EQ(force(), newtons(1 * 2900 * 9.8L / 4));

    s.Speed = 5;  // at PowerJerk the whole notch pulls
    s.PowerNotch = 4;
    EXPECT_EQ(force(), newtons(4 * 2750 * 9.8L / 4));

    s.Speed = -2;  // the comparison is signed: running back stays limited
    EXPECT_EQ(force(), notch2);
}

TEST_F(DieselTest, LeverGearEngagesOnlyAfterOneSecondWithoutForce) {
    cab.vehicle.Gear_Type = 1;
    d.GearLever = 1;
    s.PowerNotch = 2;
    s.Speed = 20;
    logicTicks(1);
    EXPECT_EQ(d.ShiftState, 1);
    for (int tick = 2; tick <= 9; ++tick) {
        logicTicks(1);
        EXPECT_EQ(d.GearActual, 0) << tick;
        EXPECT_EQ(force(), 0) << tick;
    }
    logicTicks(1);
    EXPECT_EQ(d.GearActual, 1);
    EXPECT_EQ(d.ShiftState, 0);
    EXPECT_EQ(d.ShiftTimer, 0);
    EXPECT_GT(force(), 0);

    // Moving the lever under power cuts the force for another second.
    d.GearLever = 2;
    logicTicks(9);
    EXPECT_EQ(d.GearActual, 1);
    EXPECT_EQ(force(), 0);
    logicTicks(1);
    EXPECT_EQ(d.GearActual, 2);

    // An emergency brake from protection keeps the clutch out.
    d.GearLever = 1;
    s.ProtectEmergency = true;
    logicTicks(20);
    EXPECT_EQ(d.GearActual, 2);
    EXPECT_EQ(d.ShiftState, 0);
    s.ProtectEmergency = false;

    // With open doors and a door interlock the shift ends without a gear.
    cab.vehicle.DoorLock = 1;
    cab.traction.doorsOpen = true;
    logicTicks(10);
    EXPECT_EQ(d.GearActual, 2);
    EXPECT_EQ(d.ShiftState, 0);
}

TEST_F(DieselTest, CuttingPowerDropsToNeutralAndTheEngineIdlesDown) {
    cab.vehicle.Gear_Type = 1;
    d.GearLever = 1;
    s.PowerNotch = 3;
    s.Speed = 20;
    logicTicks(10);
    ASSERT_EQ(d.GearActual, 1);
    physicsTicks(300);
    EXPECT_NEAR(double(s.EngineRpm), 50, 1);  // 20 km/h * 1.0 + 30

    s.PowerNotch = 0;
    logicTicks(1);
    EXPECT_EQ(d.GearActual, 0);
    EXPECT_EQ(d.ShiftState, 2);
    logicTicks(8);
    EXPECT_EQ(d.ShiftState, 2);
    logicTicks(1);
    EXPECT_EQ(d.ShiftState, 0);
    EXPECT_EQ(d.GearActual, 0);

    // Held at idle, not hunting about it whatever fraction the gear left.
    physicsTicks(30);
    EXPECT_EQ(s.EngineRpm, 30);
    physicsTicks(31);
    EXPECT_EQ(s.EngineRpm, 30);

    // The automatic gearbox idles down in neutral as well.
    cab.vehicle.Gear_Type = 0;
    s.EngineRpm = 60;
    physicsTicks(30);
    EXPECT_EQ(s.EngineRpm, 30);
}

TEST_F(DieselTest, EngineSpeedFollowsTheNotch) {
    cab.vehicle.Gear_Type = 1;
    d.GearActual = 1;
    d.GearLever = 1;
    s.Speed = 20;  // target 20 * 1.0 + 30 = 50
    s.EngineRpm = 30;
    s.PowerNotch = 1;
    physicsTicks(1);
    EXPECT_EQ(d.EngineRpmTarget, 50);
    EXPECT_NEAR(double(s.EngineRpm), 30.6, 1e-12);
    physicsTicks(24);  // 0.6 a tick up to 5 below the target
    EXPECT_NEAR(double(s.EngineRpm), 45, 1e-9);
    s.EngineRpm = 47;  // then 0.03 a tick, resting within 1 of it
    physicsTicks(1);
    EXPECT_NEAR(double(s.EngineRpm), 47.03, 1e-12);
    physicsTicks(200);
    EXPECT_GE(s.EngineRpm, 49);
    EXPECT_LE(s.EngineRpm, 51);
    const Extended settled = s.EngineRpm;
    physicsTicks(10);
    EXPECT_EQ(s.EngineRpm, settled);

    s.Speed = 10;  // target 40: down by 0.6 while more than 5 above
    physicsTicks(1);
    EXPECT_NEAR(double(s.EngineRpm), double(settled) - 0.6, 1e-9);

    d.ShiftState = 1;  // during a shift the engine falls 1 a tick
    const Extended before = s.EngineRpm;
    physicsTicks(1);
    EXPECT_NEAR(double(s.EngineRpm), double(before) - 1, 1e-9);
    d.ShiftState = 0;

    // Direct drive, one beyond the table: the engine turns with the wheels.
    d.GearActual = 3;
    s.Speed = 40;
    physicsTicks(1);
    EXPECT_EQ(s.EngineRpm, 40 * 1.5L);

    // A lever in neutral with power revs freely to 95.
    d.GearActual = 0;
    s.EngineRpm = 30;
    physicsTicks(129);
    EXPECT_EQ(s.EngineRpm, 94.5L);
    physicsTicks(5);
    EXPECT_EQ(s.EngineRpm, 95);
    EXPECT_EQ(d.EngineRpmTarget, 100);

    // A stopped engine runs down by 3 a tick to exactly 0; a starting one
    // comes up to idle.
    s.EngineState = 0;
    s.EngineRpm = 32;
    s.PowerNotch = 0;
    physicsTicks(11);
    EXPECT_EQ(s.EngineRpm, 0);
    s.EngineState = -1;
    physicsTicks(10);
    EXPECT_EQ(s.EngineRpm, 30);

    cab.vehicle.Engine_Type = 1;  // an electric car has no engine speed
    s.EngineState = 0;
    physicsTicks(5);
    EXPECT_EQ(s.EngineRpm, 30);
}

TEST_F(DieselTest, AutomaticGearboxShiftsAtTheTableSpeeds) {
    auto choose = [&](Extended speed, int lever, int actual = 0, int shift = 0) {
        s.Speed = speed;
        d.GearLever = lever;
        d.GearActual = actual;
        d.ShiftState = shift;
        d.ShiftTimer = 0;
        step_gearbox(cab.diesel, cab.state, cab.lamps, cab.vehicle, cab.traction.doorsOpen);
        return d.GearLever;
    };
    EXPECT_EQ(choose(30, 0), 0);  // not above gear 0's top speed
    EXPECT_EQ(choose(31, 0), 1);
    EXPECT_EQ(choose(55, 0), 2);     // one tick may pass several gears
    EXPECT_EQ(choose(95, 2), 2);     // never beyond the last row
    EXPECT_EQ(choose(55, 1, 2), 1);  // no upshift with the top gear engaged
    EXPECT_EQ(choose(40, 2), 2);
    EXPECT_EQ(choose(39, 2), 1);  // below gear 2's lowest speed
    EXPECT_EQ(choose(5, 2), 1);   // one gear down per tick
    EXPECT_EQ(choose(5, 1), 0);
    cab.vehicle.Engine[0].SpeedLow = 3;
    EXPECT_EQ(choose(1, 0), 0);  // never below gear 0

    // Below 10 km/h (signed) an engaged gear is the first one.
    s.PowerNotch = 1;  // keep the gearbox out of its neutral shift
    choose(9, 0, 2);
    EXPECT_EQ(d.GearActual, 1);
    choose(-20, 0, 2);
    EXPECT_EQ(d.GearActual, 1);
    choose(10, 0, 2);
    EXPECT_EQ(d.GearActual, 2);
    choose(5, 0, 0);
    EXPECT_EQ(d.GearActual, 0);

    // No choice while a shift runs, nor with a lever.
    EXPECT_EQ(choose(31, 0, 1, 1), 0);
    cab.vehicle.Gear_Type = 1;
    EXPECT_EQ(choose(31, 0), 0);
}

TEST_F(DieselTest, AutomaticGearboxDrivesUpThroughTheGears) {
    s.PowerNotch = 4;
    s.Speed = 0;
    logicTicks(1);
    EXPECT_EQ(d.ShiftState, 0);  // gear 0 pulls at once
    EXPECT_GT(force(), 0);

    s.Speed = 35;
    logicTicks(1);
    EXPECT_EQ(d.GearLever, 1);
    EXPECT_EQ(d.ShiftState, 1);
    EXPECT_EQ(cab.handleTexts.GearText, "T");  // the shift updated the controller
    logicTicks(9);
    EXPECT_EQ(d.GearActual, 1);
    EXPECT_EQ(cab.lamps.gearPattern, 1);

    s.Speed = 52;
    logicTicks(10);
    EXPECT_EQ(d.GearLever, 2);
    EXPECT_EQ(d.GearActual, 2);
    EXPECT_EQ(cab.lamps.gearPattern, 2);
    EXPECT_EQ(cab.handleTexts.GearText, "D");  // three rows: no gear number
}

TEST_F(DieselTest, PowerAtAStandstillInTopGearStallsTheEngine) {
    cab.vehicle.Gear_Type = 1;
    d.GearLever = 2;
    s.PowerHandle = 1;
    s.PowerNotch = 1;
    s.EngineRpm = 30;
    logicTicks(9);
    EXPECT_EQ(s.EngineState, 1);
    logicTicks(1);
    EXPECT_EQ(d.GearActual, 2);
    EXPECT_EQ(s.EngineState, 0);
    EXPECT_EQ(s.PowerNotch, 0);
    EXPECT_EQ(played[kStopChannel], 1);

    physicsTicks(10);  // the stopped engine runs down
    EXPECT_EQ(s.EngineRpm, 0);

    // Restart: hold F2 for five seconds.
    d.EngineKey = 1;
    logicTicks(1);
    EXPECT_EQ(s.EngineState, -1);
    EXPECT_EQ(played[kStarterChannel], 1);
    logicTicks(48);
    EXPECT_EQ(s.EngineState, -1);
    logicTicks(1);
    EXPECT_EQ(s.EngineState, 1);
    d.EngineKey = 0;
    logicTicks(1);
    EXPECT_EQ(d.EngineKeyTicks, 0);
    EXPECT_EQ(played[kStopChannel], 1);
}

TEST_F(DieselTest, StallNeedsReverserTopGearPowerAndStandstill) {
    cab.vehicle.Gear_Type = 1;
    d.GearActual = 2;
    d.GearLever = 2;
    s.PowerNotch = 1;
    s.Speed = 0.5L;  // rolling
    logicTicks(1);
    EXPECT_EQ(s.EngineState, 1);
    s.Speed = 0.4L;
    s.Reverser = 0;
    logicTicks(1);
    EXPECT_EQ(s.EngineState, 1);
    s.Reverser = -1;
    d.GearActual = 1;  // engaged below the lever's gear
    step_engine_key(cab.diesel, cab.state, cab.sound, cab.vehicle);
    EXPECT_EQ(s.EngineState, 1);
    d.GearActual = 2;
    step_engine_key(cab.diesel, cab.state, cab.sound, cab.vehicle);
    EXPECT_EQ(s.EngineState, 0);
}

TEST_F(DieselTest, StartKeyReleasedEarlyAbortsTheStart) {
    s.EngineState = 0;
    d.EngineKey = 1;
    logicTicks(49);
    EXPECT_EQ(s.EngineState, -1);
    d.EngineKey = 0;
    logicTicks(1);
    EXPECT_EQ(s.EngineState, 0);
    EXPECT_EQ(d.EngineKeyTicks, 0);
    EXPECT_EQ(played[kStarterChannel], 1);
    EXPECT_EQ(played[kStopChannel], 1);

    // A start key held while the engine runs does nothing.
    s.EngineState = 1;
    d.EngineKey = 1;
    logicTicks(60);
    d.EngineKey = 0;
    logicTicks(1);
    EXPECT_EQ(s.EngineState, 1);
    EXPECT_EQ(played[kStarterChannel], 1);
}

TEST_F(DieselTest, StopKeyStopsAfterFiveSecondsOnlyWithThePowerHandleOff) {
    s.PowerHandle = 1;
    d.EngineKey = 2;
    logicTicks(60);
    EXPECT_EQ(s.EngineState, 1);
    d.EngineKey = 0;
    logicTicks(1);

    s.PowerHandle = 0;
    d.EngineKey = 2;
    logicTicks(1);
    EXPECT_EQ(s.EngineState, -2);
    logicTicks(44);  // the stop sound comes at four seconds
    EXPECT_EQ(played[kStopChannel], 1);
    d.EngineKey = 0;  // let go before five: the engine runs on
    logicTicks(1);
    EXPECT_EQ(s.EngineState, 1);

    d.EngineKey = 2;
    logicTicks(50);
    EXPECT_EQ(s.EngineState, 0);
    EXPECT_EQ(d.EngineKeyTicks, 0);
    EXPECT_EQ(played[kStopChannel], 2);
    logicTicks(60);  // still held: nothing more
    EXPECT_EQ(s.EngineState, 0);
    EXPECT_EQ(played[kStopChannel], 2);
    EXPECT_EQ(played[kStarterChannel], 0);
}

}  // namespace
}  // namespace tovra
