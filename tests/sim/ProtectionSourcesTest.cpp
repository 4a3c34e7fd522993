#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "sim/ProtectionFixture.h"

namespace tovra {
namespace {

// Vigilance, rollback, speed checks, countdown and the approach table.
struct ProtectionSourcesTest : test::ProtectionFixture {
    ProtectionSourcesTest() { cab.vehicle.ATS_Type = 1; }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) step_protection(records);
    }
    SpeedCheckRecord check(std::int32_t target, Extended position, std::int32_t signal = 0) {
        SpeedCheckRecord c;
        c.targetSpeed = target;
        c.position = position;
        c.signal = signal;
        return c;
    }
    ProtectionState& p = cab.protection;
    TrainState& s = cab.state;
};

TEST_F(ProtectionSourcesTest, VigilanceRingsAfterSixtySecondsAndBrakesAtSixtyFiveOne) {
    cab.vehicle.EB = 1;
    cab.sprites.find("img_Lamp_EB")->visible = false;
    s.Speed = 10;
    ticks(600);
    EXPECT_FALSE(playing(kVigilanceBell));
    ticks(1);
    EXPECT_TRUE(playing(kVigilanceBell));
    EXPECT_TRUE(lit("img_Lamp_EB"));
    ticks(49);
    EXPECT_FALSE(s.ProtectEmergency);
    ticks(1);
    EXPECT_TRUE(s.ProtectEmergency);
    EXPECT_FALSE(playing(kVigilanceBell));
    EXPECT_EQ(cab.protection.vigilanceCount, 0);

    // Any key starts the count again; standing does not count.
    ticks(300);
    type("5");
    EXPECT_EQ(cab.protection.vigilanceCount, 0);
    s.Speed = 1;
    ticks(700);
    EXPECT_EQ(cab.protection.vigilanceCount, 0);
    // A testing aid switches the device off.
    s.Speed = 10;
    cab.motion.ResistOff = true;
    ticks(10);
    EXPECT_EQ(cab.protection.vigilanceCount, 0);
}

TEST_F(ProtectionSourcesTest, RollbackAgainstTheReverserBrakes) {
    cab.vehicle.Back = 1;
    s.Speed = -6.9L;
    ticks(1);
    EXPECT_FALSE(s.ProtectEmergency);
    s.Speed = -7.1L;
    ticks(2);
    EXPECT_TRUE(s.ProtectEmergency);
    EXPECT_EQ(std::count(playedOnce.begin(), playedOnce.end(), kCodeChime), 1);

    s.ProtectEmergency = false;
    s.Reverser = -1;
    s.Speed = 8;
    ticks(1);
    EXPECT_TRUE(s.ProtectEmergency);
    cab.vehicle.Back = 0;
    s.ProtectEmergency = false;
    ticks(1);
    EXPECT_FALSE(s.ProtectEmergency);
}

TEST_F(ProtectionSourcesTest, CheckPointsBrakeAtOnceOnlyWhenTheirSignalIsAtStop) {
    addSignal(5, 100);
    addSignal(5, 200);  // no preceding train: both clear
    cab.route.SpeedChecks1 = {check(40, 100000), check(40, 120000, 1), check(40, 90000)};
    s.Position = 95000;
    s.Speed = 50;
    update_signal_aspects(records);
    ticks(1);  // the point behind the start does not count
    EXPECT_FALSE(p.AtsAlarm);

    s.PowerNotch = 3;
    s.Position = 100050;
    ticks(1);
    EXPECT_TRUE(s.ProtectEmergency);
    EXPECT_EQ(s.PowerNotch, 0);
    EXPECT_TRUE(p.AtsAlarm);
    EXPECT_EQ(p.AtsCounter, 0);

    s.BrakeHandle = -8;
    s.Speed = 0;
    type("r");
    EXPECT_FALSE(s.ProtectEmergency);
    s.Speed = 50;
    ticks(1);  // passed once only
    EXPECT_FALSE(p.AtsAlarm);
    s.Position = 120050;  // tied to a clear signal
    ticks(1);
    EXPECT_FALSE(p.AtsAlarm);
    EXPECT_EQ(cab.stations.speedCheck1Passed, (std::vector<bool>{true, true, true}));
}

TEST_F(ProtectionSourcesTest, StretchSpeedsShowOnTheCabSignalAndRingAbove) {
    cab.vehicle.ATS_Type = 0;
    cab.vehicle.Lamp_signalSpeeds = {0, 25, 45};
    cab.route.SpeedChecks2 = {check(999, 200000), check(45, 150000)};
    const PanelLamps& lamps = cab.lamps;
    s.Position = 160000;
    s.Speed = 44;
    ticks(1);
    EXPECT_EQ(p.CheckSpeedInForce, 45);
    EXPECT_TRUE(lamps.cabSignalLit);
    EXPECT_EQ(lamps.cabSignalPattern, 2);
    EXPECT_FALSE(p.AtsAlarm);
    s.Speed = 46;
    ticks(1);
    EXPECT_TRUE(p.AtsAlarm);
    EXPECT_EQ(p.AtsCounter, 50);

    // A speed the cab signal cannot show is no speed in force.
    p.AtsAlarm = false;
    s.Position = 200100;
    ticks(1);
    EXPECT_EQ(p.CheckSpeedInForce, 999);
    EXPECT_FALSE(lamps.cabSignalLit);
    EXPECT_FALSE(p.AtsAlarm);
}

TEST_F(ProtectionSourcesTest, CountdownBrakesAfterTheAlarmTime) {
    cab.vehicle.ATS_Time = 2;
    p.AtsAlarm = true;
    ticks(19);
    EXPECT_FALSE(s.ProtectEmergency);
    ticks(1);
    EXPECT_TRUE(s.ProtectEmergency);
    // Not while switched off.
    s.ProtectEmergency = false;
    p.AtsOn = false;
    ticks(40);
    EXPECT_FALSE(s.ProtectEmergency);
}

TEST_F(ProtectionSourcesTest, ApproachTableListsTheNearestLimitsAhead) {
    RouteSpec& r = cab.route;
    const std::pair<int, int> signs[] = {
        {60, 300000}, {45, 120000}, {70, 500000}, {30, 80000}, {90, 250000}};
    for (auto [speed, position] : signs) {
        SpeedLimitRecord l;
        l.targetSpeed = speed;
        l.position = position;
        r.SpeedLimits.push_back(l);
    }
    addSignal(5, 100);
    addSignal(5, 200);
    r.SpeedChecks1 = {check(25, 110000, 1), check(35, 400000)};
    s.Position = 100000;
    s.Speed = 50;
    cab.stations.speedCheck1Passed = {false, false};
    update_signal_aspects(records);
    ticks(1);
    const auto& next = p.nextLimits;
    EXPECT_EQ(next[0].index, 1);
    EXPECT_EQ(next[0].distance, 20000);
    EXPECT_NEAR(double(next[0].slowDownDistance), (95.0 * 5 / 21.6 + 50) * 100, 1e-6);
    EXPECT_EQ(next[1].limit, 90);
    EXPECT_EQ(next[1].slowDownDistance, 0);
    EXPECT_EQ(next[2].distance, 200000);
    // The check tied to a clear signal is skipped.
    EXPECT_EQ(p.nextCheck.index, 1);
    EXPECT_EQ(p.nextCheck.distance, 300000);

    s.Position = 600000;
    ticks(1);
    EXPECT_FALSE(next[0].ahead);
    EXPECT_EQ(next[0].limit, 999);
    EXPECT_EQ(next[0].distance, 999);
    EXPECT_FALSE(p.nextCheck.ahead);
}

}  // namespace
}  // namespace tovra
