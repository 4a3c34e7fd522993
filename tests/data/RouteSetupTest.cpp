#include "data/RouteSetup.h"

#include <gtest/gtest.h>

namespace tovra {
namespace {

RouteSpec twoSegments() {
    RouteSpec route;
    route.SpeedUnits = {{0, 300, 36, 36}, {300, 600, 0, 0}};  // the second stands still
    computeEndDistances(route.SpeedUnits);
    return route;
}

TEST(RouteSetup, ObjectsOutsideTheFilmMakeNoPointsAndKeepPositionZero) {
    RouteSpec route = twoSegments();
    route.Signals.resize(1);
    route.Signals[0].signalFrame = 900;
    route.SpeedLimits.push_back({40, 0, 1, -5, 0, 0, 0});
    route.Stations.resize(1);
    route.Stations[0].videoFrame = 601;
    route.Stations[0].arrivalEvent = 1;
    route.Stations[0].zoneHalfLength = 100;
    EXPECT_TRUE(setUpRoute(route).empty());
    EXPECT_EQ(route.Stations[0].stopPosition, 0);
    EXPECT_EQ(route.Stations[0].zoneEnd, 0);
    EXPECT_EQ(route.SpeedLimits[0].position, 0);
}

TEST(RouteSetup, StationPointsOnlyForDoorStopsThatAskForThem) {
    RouteSpec route = twoSegments();
    for (std::int32_t kind : {0, 0, 1, 2, 3}) {
        StationRecord station;
        station.kind = kind;
        station.videoFrame = 150;
        station.arrivalEvent = route.Stations.empty() ? 0 : 1;
        route.Stations.push_back(station);
    }
    const PatternPoints points = setUpRoute(route);
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].index, 1);
    EXPECT_EQ(points[0].position, 5000 + 2000);
}

TEST(RouteSetup, AStandingSegmentPutsAllItsFramesAtOnePlace) {
    RouteSpec route = twoSegments();
    route.SpeedLimits.push_back({40, 0, 7, 450, 0, 0, 0});  // the kind is the entry's own
    route.SpeedLimits.push_back({30, 0, 1, 300, 0, 0, 0});
    const PatternPoints points = setUpRoute(route);
    ASSERT_EQ(points.size(), 3u);
    // Limit 1 on the boundary is made in both segments, before limit 0 of
    // the second segment, and keeps that order at the equal position.
    EXPECT_EQ(points[0].index, 1);
    EXPECT_EQ(points[1].index, 0);
    EXPECT_EQ(points[1].kind, 7);
    EXPECT_EQ(points[2].index, 1);
    for (const PatternPoint& p : points) EXPECT_EQ(p.position, 10000);
    EXPECT_EQ(route.SpeedLimits[0].position, 10000);
}

TEST(RouteSetup, OverlappingSegmentsPlaceAnEntryTwiceAtMost) {
    // 30000 copies of one segment, 36 km/h over every frame: each copy runs
    // 2147483647 frames / 30 * 10 m/s = 71582788233 cm (to the centimetre).
    RouteSpec route;
    route.SpeedUnits.assign(30000, SpeedUnit{0, 2147483647, 36, 36});
    computeEndDistances(route.SpeedUnits);
    route.Signals.resize(500);
    for (SignalRecord& s : route.Signals) s.signalFrame = 300;  // 10 s in: 10000 cm
    const PatternPoints points = setUpRoute(route);
    ASSERT_EQ(points.size(), 1000u);
    EXPECT_EQ(points.front().position, 10000);
    EXPECT_EQ(points.back().position, 71582788233 + 10000);
    EXPECT_EQ(points[500].position, 71582788233 + 10000);
    EXPECT_EQ(points[499].index, 499);  // segment by segment, each in table order
}

}  // namespace
}  // namespace tovra
