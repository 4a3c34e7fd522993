#include <gtest/gtest.h>

#include "common/DataError.h"
#include "data/RouteSpec.h"
#include "run/SavedState.h"

namespace tovra {
namespace {

TEST(SavedState, WritesWholeSpeedAndPositionRoundingHalvesToEven) {
    SavedState s{"line_rapid_down.dat", 3, 57.5L, 620, 1090560, 25000.5L, 777};
    EXPECT_EQ(formatSavedState(s), "line_rapid_down.dat,3,58,620,1090560,25000,777");
    s.speed = 56.5L;
    s.position = 25001.5L;
    EXPECT_EQ(formatSavedState(s), "line_rapid_down.dat,3,56,620,1090560,25002,777");
}

TEST(SavedState, ReadsTheSevenFieldsAndRefusesWhatIsNoNumber) {
    const SavedState s = parseSavedState("line_rapid_up.dat,2,57.25,400,1081000,12000.5,-1");
    EXPECT_EQ(s.routeFile, "line_rapid_up.dat");
    EXPECT_EQ(s.station, 2);
    EXPECT_EQ(s.speed, 57.25L);
    EXPECT_EQ(s.frame, 400);
    EXPECT_EQ(s.clock, 1081000);
    EXPECT_EQ(s.position, 12000.5L);
    EXPECT_EQ(s.preTrainFrame, -1);
    EXPECT_EQ(parseSavedState("a.dat,0,-1000,0,0,0,0").speed, -1000);  // backing at the limit

    for (const char* bad : {
             "line_rapid_up.dat,2,57,400,1081000,12000",       // a field short
             "line_rapid_up.dat,two,57,400,1081000,12000,0",   // station
             "line_rapid_up.dat,2,fast,400,1081000,12000,0",   // speed
             "line_rapid_up.dat,2,57,4.5,1081000,12000,0",     // frame is whole
             "line_rapid_up.dat,2,57,400,9999999999,12000,0",  // clock beyond 32 bits
             "line_rapid_up.dat,2,57,400,1081000,,0",          // empty position
             "line_rapid_up.dat,2,57,400,1081000,1e300,0",     // no position of a line
             "line_rapid_up.dat,2,1e10,400,1081000,12000,0",   // no speed of a train
             "line_rapid_up.dat,2,-1001,400,1081000,12000,0",
             "",
         }) {
        EXPECT_THROW(parseSavedState(bad), ReadFailure) << bad;
    }
}

TEST(SavedState, TitleNamesTheStretchTheTrainIsOn) {
    RouteSpec route;
    route.LineName2 = "快速";
    for (auto [name, stop] : {std::pair{"A", 1000.0L}, {"B", 5000.0L}, {"C", 9000.0L}}) {
        StationRecord s;
        s.name = name;
        s.stopPosition = stop;
        route.Stations.push_back(s);
    }
    EXPECT_EQ(stretchTitle(route, 999.5L), "");
    EXPECT_EQ(stretchTitle(route, 1000), "快速（A～B）");
    EXPECT_EQ(stretchTitle(route, 4999.9L), "快速（A～B）");
    EXPECT_EQ(stretchTitle(route, 5000), "快速（B～C）");
    // Past the last stop the next name is that of the empty record.
    EXPECT_EQ(stretchTitle(route, 9000), "快速（C～）");
    EXPECT_EQ(stretchTitle(route, 20000), "快速（C～）");
}

}  // namespace
}  // namespace tovra
