#include <gtest/gtest.h>

#include <algorithm>

#include "sim/Doors.h"
#include "sim/Stations.h"
#include "sound/SoundFixture.h"

namespace tovra::test {
namespace {

StationRecord station(std::string name, std::int32_t kind, Extended stop, std::int32_t departure) {
    StationRecord s;
    s.name = std::move(name);
    s.kind = kind;
    s.zoneHalfLength = 1000;
    s.arrivalSound = 1;    // 2 s
    s.departureSound = 2;  // 3 s
    s.departureTime = departure;
    s.stopPosition = stop;
    s.zoneStart = stop - s.zoneHalfLength;
    s.zoneEnd = stop + s.zoneHalfLength;
    return s;
}

// A line A (start), B (pass), C, D (end) without a door pilot lamp, the
// doors worked by the system.
struct StationsTest : SoundFixture {
    StationsTest() {
        cab.settings.StopText = "停車";
        cab.settings.PassText = "通過";
        cab.route.Stations = {station("A", 0, 0, 0), station("B", 1, 100000, 0),
                              station("C", 0, 200000, 1000), station("D", 0, 300000, 0)};
        cab.vehicle.Sound_DoorOpen = 1;
        cab.vehicle.Sound_DoorClose = 2;
        cab.vehicle.DepSign = 3;
        loadWaves({1, 2, 3}, 0.5);
        loadWaves({cab.channels.routeChannel(1)}, 2.0);
        loadWaves({cab.channels.routeChannel(2)}, 3.0);
        cab.routeSoundSeconds[1] = 2;
        cab.routeSoundSeconds[2] = 3;
    }

    void tick() {
        advance();
        complete_door_closing(records);
        station_pass(records);
    }

    const StationProgress& progress(int j) const { return cab.stations.progress[std::size_t(j)]; }

    StationRecords records = cab.stationRecords();
};

TEST_F(StationsTest, PassStationNeverOpensDoors) {
    cab.state.Position = 50000;
    station_pass(records);
    EXPECT_EQ(cab.stations.stationText, "次は B通過");
    cab.state.Position = 100000;
    cab.state.Speed = 0;
    for (int i = 0; i < 20; ++i) tick();
    EXPECT_FALSE(cab.traction.doorsOpen);
    EXPECT_FALSE(progress(1).arrived);
    EXPECT_EQ(cab.stations.stationText, "次は B通過");
    cab.state.Position = 150000;
    station_pass(records);
    EXPECT_EQ(cab.stations.stationText, "次は C停車");
}

TEST_F(StationsTest, AutomaticDoorsOpenOnlyStandingInsideTheZone) {
    cab.state.Clock = 500;
    cab.state.Position = 200000 - 1500;  // short of the zone
    for (int i = 0; i < 5; ++i) tick();
    EXPECT_FALSE(cab.traction.doorsOpen);
    cab.state.Position = 200000 + 1500;  // beyond it
    for (int i = 0; i < 5; ++i) tick();
    EXPECT_FALSE(cab.traction.doorsOpen);
    EXPECT_FALSE(progress(2).doorsOpenedHere);

    cab.state.Position = 200000 - 800;
    cab.state.Speed = 0.2L;  // at rest, but not standing
    tick();
    EXPECT_TRUE(progress(2).arrived);
    EXPECT_EQ(cab.stations.stationText, "ただいま C");
    EXPECT_FALSE(cab.traction.doorsOpen);
    cab.state.Speed = 0.05L;
    tick();
    EXPECT_TRUE(cab.traction.doorsOpen);
    EXPECT_EQ(cab.stations.doorOpening, 1);
    EXPECT_TRUE(cab.stations.departureCalloutPending);
}

TEST_F(StationsTest, LateTrainStartsMelodyAfterAnnouncementAndClosesAfterIt) {
    cab.state.Clock = 5000;  // departure was at 1000
    cab.state.Position = 200000;
    tick();
    ASSERT_TRUE(cab.traction.doorsOpen);
    const std::int32_t opened = cab.stations.doorEventClock;
    std::int32_t melody = -1, closing = -1, closed = -1;
    for (int i = 0; i < 200 && closed < 0; ++i) {
        tick();
        if (melody < 0 && progress(2).departureStarted) melody = cab.state.Clock;
        if (closing < 0 && progress(2).departedHere) closing = cab.state.Clock;
        if (closing >= 0 && !cab.traction.doorsOpen) closed = cab.state.Clock;
    }
    EXPECT_GT(melody - opened, 60);
    EXPECT_LE(melody - opened, 63);
    EXPECT_GT(closing - melody, 90);
    EXPECT_LE(closing - melody, 93);
    EXPECT_GT(closed, closing);  // the closing sound plays out first
    EXPECT_EQ(cab.stations.doorClosingCount, 1);
    EXPECT_EQ(cab.stations.nextStopIndex, 3);
    EXPECT_EQ(cab.NextStopPosition, 300000);
    EXPECT_EQ(cab.stations.toStationName, "D");
}

// A late train at a kind-2 stop hears the departure signal once, when it
// stands and the departure is given, not while it rolls through the zone.
TEST_F(StationsTest, KindTwoStopSoundsTheDepartureSignalOnce) {
    cab.route.Stations[2].kind = 2;
    cab.state.Clock = 5000;
    cab.state.Position = 200000 - 500;
    cab.state.Speed = 20;
    for (int i = 0; i < 5; ++i) tick();
    EXPECT_TRUE(progress(2).arrived);
    EXPECT_EQ(std::count(playedOnce.begin(), playedOnce.end(), 3), 0);
    cab.state.Speed = 0;
    for (int i = 0; i < 40; ++i) tick();  // the 2 s announcement, then the departure
    EXPECT_TRUE(progress(2).departureStarted);
    EXPECT_EQ(std::count(playedOnce.begin(), playedOnce.end(), 3), 1);
}

TEST_F(StationsTest, LastStationEndsTheRunAfterTheArrivalAnnouncement) {
    cab.state.Clock = 500;
    cab.state.Position = 300000;
    tick();
    ASSERT_TRUE(cab.traction.doorsOpen);
    int ticks = 0;
    while (!cab.stations.runEnded && ticks < 100) {
        EXPECT_TRUE(cab.sound.isPlaying(cab.channels.routeChannel(1)));
        tick();
        ++ticks;
    }
    EXPECT_TRUE(cab.stations.runEnded);
    EXPECT_TRUE(cab.stations.returnToTitle);
    EXPECT_GE(ticks, 19);  // the two-second announcement
    EXPECT_FALSE(cab.stations.crewChangeOffered);
}

TEST_F(StationsTest, CrewChangeIsOfferedOnlyAtItsStation) {
    cab.stations.crewChangeStation = 2;
    cab.state.Clock = 500;
    cab.state.Position = 0;  // doors open at the start station A
    cab.traction.doorsOpen = true;
    for (int i = 0; i < 40; ++i) tick();
    EXPECT_FALSE(cab.stations.runEnded);
    cab.traction.doorsOpen = false;
    cab.state.Position = 200000;
    for (int i = 0; i < 40 && !cab.stations.runEnded; ++i) tick();
    EXPECT_TRUE(cab.stations.crewChangeOffered);
    EXPECT_FALSE(cab.stations.returnToTitle);
}

TEST_F(StationsTest, NextStopSkipsPassStations) {
    EXPECT_EQ(next_stop_after(cab.route, 0), 2);
    EXPECT_EQ(next_stop_after(cab.route, 2), 3);
    EXPECT_EQ(next_stop_after(cab.route, 3), std::nullopt);
}

TEST_F(StationsTest, DoorCommandAndDoorSafety) {
    cab.route.OneMan = 1;
    cab.stations.doorMessage = "old";
    cab.state.Speed = 0.1L;  // not standing: closed doors stay closed
    stations::Door_operate(records);
    EXPECT_FALSE(cab.traction.doorsOpen);
    EXPECT_TRUE(cab.stations.doorMessage.empty());
    cab.state.Speed = 0;
    cab.stations.chimeChance = 10;
    cab.stations.chimeRoll = 50;  // the chime loses its roll
    stations::Door_operate(records);
    EXPECT_TRUE(cab.traction.doorsOpen);
    EXPECT_TRUE(playedOnce.empty());
    cab.state.Speed = 6;
    check_door_safety(records);
    EXPECT_EQ(cab.stations.doorOpening, 0);
    EXPECT_TRUE(cab.traction.doorsOpen);  // closing until the sounds are silent
    complete_door_closing(records);
    EXPECT_FALSE(cab.traction.doorsOpen);
    EXPECT_EQ(playedOnce, std::vector<int>{3});  // the departure sign
}

}  // namespace
}  // namespace tovra::test
