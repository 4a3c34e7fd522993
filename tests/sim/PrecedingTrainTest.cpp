#include <gtest/gtest.h>

#include "sim/ProtectionFixture.h"

namespace tovra {
namespace {

struct PrecedingTrainTest : test::ProtectionFixture {
    PrecedingTrainTest() {
        RouteSpec& r = cab.route;
        for (int frame : {0, 1000, 2000}) {
            StationRecord st;
            st.videoFrame = frame;
            r.Stations.push_back(st);
        }
        r.PreTrain = {{0, 108, 100}, {1, 54, 500}, {2, 108, 900}};
        r.PreTrainEnd = 200300;
    }
    std::int32_t& frame = cab.protection.PreTrainFrame;

    void physicsTicks(int n) {
        for (int i = 0; i < n; ++i) move_preceding_train(cab.protection, cab.state, cab.route);
    }
};

TEST_F(PrecedingTrainTest, RunsItsLegsByTheClockAtTheFilmedPace) {
    frame = 995;
    cab.state.Clock = 100;  // not yet past the departure time
    physicsTicks(3);
    EXPECT_EQ(frame, 995);
    EXPECT_EQ(cab.protection.PreTrainStep, 0);

    // At the filming speed one frame a tick, up to the next leg's station,
    // which it leaves only at its own time.
    cab.state.Clock = 101;
    physicsTicks(10);
    EXPECT_EQ(frame, 1000);
    EXPECT_EQ(cab.protection.PreTrainStep, 0);

    // Half the filming speed: one frame every second tick.
    cab.state.Clock = 501;
    physicsTicks(4);
    EXPECT_EQ(frame, 1002);
    EXPECT_EQ(cab.protection.PreTrainStep, 54);

    // It waits while the own train is at or beyond it.
    cab.state.Frame = 1002;
    physicsTicks(4);
    EXPECT_EQ(frame, 1002);
}

TEST_F(PrecedingTrainTest, UnfilmedStretchEndFrameAndPlacement) {
    // Past the filmed sections the whole pace counts: 108 / 0.3 frames. The
    // last leg runs on to the end of the line.
    frame = 200000;
    cab.state.Clock = 901;
    move_preceding_train(cab.protection, cab.state, cab.route);
    EXPECT_EQ(frame, 200360);
    EXPECT_EQ(cab.protection.PreTrainAccumulator, 0);

    // Removed in the logic tick once past its end frame.
    remove_passed_preceding_train(cab.protection, cab.route);
    EXPECT_EQ(frame, 0);
    physicsTicks(2);
    EXPECT_EQ(frame, 0);

    // Moving the train puts it at the station its leg is heading for.
    cab.state.Clock = 600;
    placePrecedingTrain(cab.protection, cab.state.Clock, cab.route);
    EXPECT_EQ(frame, 2000);
    cab.state.Clock = 950;
    placePrecedingTrain(cab.protection, cab.state.Clock, cab.route);
    EXPECT_EQ(frame, 0);
}

TEST_F(PrecedingTrainTest, SectionLimitOfTheStretchBetweenStations) {
    RouteSpec& r = cab.route;
    const Extended stops[] = {10000, 50000, 120000};
    const std::int32_t limits[] = {80, 95, 60};
    for (std::size_t i = 0; i < 3; ++i) {
        r.Stations[i].stopPosition = stops[i];
        r.Stations[i].sectionLimit = limits[i];
    }
    cab.protection.SectionLimit = 45;
    cab.state.Position = 5000;  // before the first station: kept
    update_section_limit(cab.protection, cab.state, cab.route);
    EXPECT_EQ(cab.protection.SectionLimit, 45);
    cab.state.Position = 50000;
    update_section_limit(cab.protection, cab.state, cab.route);
    EXPECT_EQ(cab.protection.SectionLimit, 95);
    cab.state.Position = 49999;
    update_section_limit(cab.protection, cab.state, cab.route);
    EXPECT_EQ(cab.protection.SectionLimit, 80);
}

}  // namespace
}  // namespace tovra
