#include <gtest/gtest.h>

#include "run/LoadedRun.h"
#include "run/MoveToStation.h"
#include "sim/ProtectionState.h"

namespace tovra {
namespace {

using test::LoadedRun;

constexpr std::int32_t kTen = 10 * 108000;  // 10:00:00 in clock ticks

StationRecord station(std::int32_t kind, Extended stop, std::int32_t departure) {
    StationRecord s;
    s.name = "S" + std::to_string(std::int64_t(stop));
    s.kind = kind;
    s.stopPosition = stop;
    s.departureTime = departure;
    return s;
}

TEST(MoveMenu, ListsStopsInRouteOrderButNeverTheLastStation) {
    RouteSpec route;
    route.Stations = {station(0, 0, 0), station(1, 1, 0), station(0, 2, 0), station(2, 3, 0),
                      station(0, 4, 0)};
    const auto items = moveMenuItems(route);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].station, 0);
    EXPECT_EQ(items[0].name, "Sta0");
    EXPECT_EQ(items[0].caption, "S0");
    EXPECT_EQ(items[1].name, "Sta2");
    EXPECT_EQ(items[2].station, 3);
    EXPECT_EQ(items[2].name, "Sta3");

    // Information points are no stops; a last stop without doors is still the last.
    route.Stations = {station(3, 0, 0), station(0, 1, 0), station(2, 2, 0)};
    const auto other = moveMenuItems(route);
    ASSERT_EQ(other.size(), 1u);
    EXPECT_EQ(other[0].station, 1);
    EXPECT_TRUE(moveMenuItems(RouteSpec{}).empty());
}

TEST(MoveClock, InterpolatesAnUntimedStationByPosition) {
    RouteSpec route;
    route.Stations = {station(0, 0, kTen), station(1, 30000, 0), station(0, 50000, 0),
                      station(0, 200000, kTen + 120 * 30)};
    RouteSoundSeconds seconds{};
    EXPECT_EQ(moveClock(route, seconds, 2), kTen + 30 * 30);  // 10:00:30
    EXPECT_EQ(moveClock(route, seconds, 3), kTen + 120 * 30);
    // The station's own melody and arrival sound end at that time.
    seconds[4] = 5;
    seconds[6] = 2;
    route.Stations[2].departureSound = 4;
    route.Stations[2].arrivalSound = 6;
    EXPECT_EQ(moveClock(route, seconds, 2), kTen + 30 * 30 - 7 * 30);
    route.Stations[0].departureSound = 4;
    route.Stations[0].arrivalSound = 6;
    EXPECT_EQ(moveClock(route, seconds, 0), kTen - 7 * 30);
}

TEST(MoveClock, StationZeroStandsInForAMissingTimedNeighbour) {
    const RouteSoundSeconds seconds{};
    RouteSpec route;
    // Nothing timed before: from station 0's time 0 at 0 m to 10:00 at 2 km.
    route.Stations = {station(0, 0, 0), station(0, 50000, 0), station(0, 200000, kTen)};
    EXPECT_EQ(moveClock(route, seconds, 0), 0);
    EXPECT_EQ(moveClock(route, seconds, 1), 2 * 108000 + 30 * 108000 / 60);  // 02:30
    // Nothing timed after: the line from 10:00 at 1 km back to station 0 at
    // 0 m, carried on to 1.5 km.
    route.Stations = {station(0, 0, 0), station(0, 100000, kTen), station(0, 150000, 0)};
    EXPECT_EQ(moveClock(route, seconds, 2), 15 * 108000);
    // The timed station before is station 0 itself: one position, its time.
    route.Stations = {station(0, 0, kTen), station(0, 50000, 0), station(0, 200000, 0)};
    EXPECT_EQ(moveClock(route, seconds, 1), kTen);
    // Both neighbours at one position.
    route.Stations = {station(0, 7000, kTen), station(0, 7000, 0), station(0, 7000, kTen + 300)};
    EXPECT_EQ(moveClock(route, seconds, 1), kTen);
    // No station timed at all.
    route.Stations = {station(0, 0, 0), station(0, 50000, 0)};
    EXPECT_EQ(moveClock(route, seconds, 1), 0);
}

struct MoveToStation : ::testing::Test {
    LoadedRun loaded;
    Cab& cab = loaded.cab();
};

TEST_F(MoveToStation, EveryResetStepHolds) {
    // A run well under way: moving, doors open, a station video, a
    // protection alarm, sounds playing and the run ended.
    TrainState& s = cab.state;
    s.Speed = 40;
    s.Position = 41000;
    s.Frame = 880;
    s.PowerHandle = s.PowerNotch = 3;
    s.BrakeHandle = s.BrakeNotch = s.SapNotch = 0;
    s.VideoMode[0] = 2;
    cab.traction.doorsOpen = true;
    cab.stations.doorOpening = 1;
    cab.sprites.find("img_Lamp_Door")->visible = false;
    for (StationProgress& p : cab.stations.progress) p = {true, true, true, true, true};
    cab.stations.announcementPlayed[1] = true;
    cab.stations.runEnded = true;
    cab.stations.doorMessage = "";
    cab.runningSound.soundZonePlayed[0] = true;
    cab.runningSound.pointsSounded[0] = true;
    cab.route.MovieSwitches.push_back({});
    cab.route.MovieSwitches[0].Done = true;
    ProtectionState& p = cab.protection;
    p.PatternSpeed = 10;
    p.AtsAlarm = true;
    p.SignalLimit = 0;
    cab.route.Announcements = {{},           {0, 0, 1, 0}, {0, 0, 3, 0},
                               {0, 1, 3, 0}, {0, 0, 4, 0}, {0, 1, 4, 0}};
    cab.route.PreTrain = {{0, 1, kTen}, {2, 1, kTen + 10000}, {4, 1, kTen + 20000}};
    const int melody = cab.channels.routeChannel(1);
    cab.sound.playLoop(0);
    cab.sound.playOnce(melody);

    ASSERT_TRUE(moveToStation(cab, 3));  // 中間駅

    EXPECT_EQ(cab.stations.announcePos, 4);  // the last after-departure entry from here on
    EXPECT_EQ(s.VideoMode[0], 0);
    EXPECT_TRUE(cab.video.mainVideoOpen);
    EXPECT_TRUE(loaded.run->host.physicsRunning);
    EXPECT_EQ(loaded.run->host.caption, "快速線 下り");
    EXPECT_EQ(s.Speed, 0);
    for (std::size_t j = 0; j < cab.route.Stations.size(); ++j) {
        const StationProgress& q = cab.stations.progress[j];
        EXPECT_FALSE(q.arrived || q.stopCalloutGiven || q.departureStarted || q.departedHere);
        EXPECT_EQ(q.doorsOpenedHere, j == 3) << j;  // worked by the conductor
    }
    EXPECT_FALSE(cab.stations.announcementPlayed[1]);
    EXPECT_FALSE(cab.runningSound.soundZonePlayed[0]);
    EXPECT_FALSE(cab.runningSound.pointsSounded[0]);
    EXPECT_FALSE(cab.route.MovieSwitches[0].Done);
    EXPECT_TRUE(cab.sound.isPlaying(0));
    EXPECT_FALSE(cab.sound.isPlaying(melody));
    EXPECT_FALSE(cab.traction.doorsOpen);
    EXPECT_EQ(cab.stations.doorOpening, 0);
    EXPECT_TRUE(loaded.spriteVisible("img_Lamp_Door"));
    EXPECT_EQ(s.Frame, 600);
    EXPECT_EQ(cab.video.ShownFrame, 599);
    EXPECT_EQ(cab.stations.stationText, "ただいま 中間駅");
    // 10:05:00 less the melody (5 s) and the arrival sound (3 s).
    EXPECT_EQ(s.Clock, 1090800 - 8 * 30);
    // By the clock the preceding train runs its second leg, towards 終着駅.
    EXPECT_EQ(p.PreTrainFrame, 1050);
    EXPECT_EQ(p.PatternSpeed, kNoPattern);
    EXPECT_FALSE(p.AtsAlarm);
    EXPECT_EQ(p.SignalLimit, kNoLimit);
    EXPECT_FALSE(cab.stations.runEnded);
    EXPECT_EQ(cab.stations.doorMessage, "10両編成");
    EXPECT_EQ(cab.stations.startStation, 3);
    EXPECT_EQ(s.PowerNotch, 0);
    EXPECT_EQ(s.BrakeHandle, 1 - cab.vehicle.Brake);
    EXPECT_EQ(s.BrakeNotch, 1 - cab.vehicle.Brake);
    EXPECT_EQ(s.SapNotch, 1 - cab.vehicle.Brake);
    EXPECT_EQ(s.Position, 25000);
    EXPECT_EQ(cab.stations.nextStopIndex, 3);
    EXPECT_EQ(cab.NextStopPosition, 25000);
    EXPECT_EQ(s.RemainDistance, 0);
    // The first speed check (frame 75) lies behind, the second (frame 1050) ahead.
    EXPECT_EQ(cab.stations.speedCheck1Passed, (std::vector<bool>{true, false}));
    EXPECT_EQ(p.SignalFace, kNoFace);
    EXPECT_FALSE(loaded.spriteVisible("img_unten_signal"));
}

TEST_F(MoveToStation, TheTrainStaysAtTheStopOnTheNextTicks) {
    // 停車駅 lies inside the second filmed section, the start in the first.
    for (int i = 0; i < 3; ++i) cab.MMTimer1Timer();
    ASSERT_EQ(cab.film.CurrentSection, 0);
    ASSERT_TRUE(moveToStation(cab, 2));
    for (int i = 0; i < 3; ++i) cab.MMTimer1Timer();
    EXPECT_EQ(cab.state.Position, 16250);
    EXPECT_EQ(cab.state.Frame, 450);
    EXPECT_EQ(cab.film.CurrentSection, 1);
}

TEST_F(MoveToStation, OneManRunsAndUnknownStations) {
    cab.route.OneMan = 1;
    ASSERT_TRUE(moveToStation(cab, 0));
    EXPECT_FALSE(cab.stations.progress[0].doorsOpenedHere);
    EXPECT_EQ(cab.stations.doorMessage, "");

    const Extended position = cab.state.Position;
    EXPECT_FALSE(moveToStation(cab, 5));
    EXPECT_FALSE(moveToStation(cab, -1));
    EXPECT_EQ(cab.state.Position, position);
    EXPECT_EQ(cab.stations.startStation, 0);
}

}  // namespace
}  // namespace tovra
