#include "sim/FilmPace.h"

#include <gtest/gtest.h>

#include "data/RouteSpec.h"
#include "data/SpeedUnits.h"
#include "sim/TrainState.h"

namespace tovra {
namespace {

struct FilmPaceTest : ::testing::Test {
    void film(std::vector<SpeedUnit> units) {
        route.SpeedUnits = std::move(units);
        computeEndDistances(route.SpeedUnits);
    }
    int advance(int ticks) {
        const int before = s.Frame;
        for (int i = 0; i < ticks; ++i) advance_frames(s, pace, route);
        return s.Frame - before;
    }
    TrainState s;
    FilmPace pace;
    RouteSpec route;
};

TEST_F(FilmPaceTest, FramesFollowSpeedAtTheFilmingPace) {
    film({{0, 10000, 60, 60, 0}});
    s.Speed = 60;
    advance(1);                  // the first tick finds the section
    EXPECT_EQ(advance(30), 30);  // one frame per tick at the filmed speed
    s.Speed = 30;
    EXPECT_EQ(advance(30), 15);  // one every second tick
    s.Speed = -60;
    EXPECT_EQ(advance(10), -10);
}

TEST_F(FilmPaceTest, WithoutASectionTheFrameMovesByTwiceTheSpeed) {
    film({{1000, 2000, 60, 60, 0}});
    s.Speed = 12.4L;  // rounds to 12
    EXPECT_EQ(advance(1), 24);
    EXPECT_EQ(pace.FilmSpeed, 0);
    EXPECT_EQ(pace.FrameAccumulator, 0);
}

TEST_F(FilmPaceTest, EnteringASectionPutsThePositionBackInStep) {
    film({{0, 300, 60, 60, 0}, {300, 600, 30, 30, 0}, {600, 900, 30, 30, 0}});
    EXPECT_EQ(route.SpeedUnits[0].EndDistance, 16667);
    EXPECT_EQ(route.SpeedUnits[1].EndDistance, 25000);
    s.Frame = 298;
    advance(1);  // standing: finds section 0 without moving
    EXPECT_EQ(pace.CurrentSection, 0);
    EXPECT_EQ(pace.FilmSpeed, 60);
    s.Speed = 60;
    advance(1);
    EXPECT_EQ(s.Frame, 299);
    s.Position = 12345;  // drifted
    advance(1);          // frame 300: section 1
    EXPECT_EQ(pace.CurrentSection, 1);
    EXPECT_EQ(s.Position, 16667);
    EXPECT_EQ(pace.FilmSpeed, 30);

    s.Frame = 599;
    s.Speed = 30;
    advance(1);  // into section 2
    EXPECT_EQ(pace.CurrentSection, 2);
    EXPECT_EQ(s.Position, 25000);
    s.Speed = -30;
    advance(1);  // back into section 1: the end of section 1 again
    EXPECT_EQ(pace.CurrentSection, 1);
    EXPECT_EQ(s.Position, 25000);
}

TEST_F(FilmPaceTest, FollowVideoSpeedTakesTheFilmedSpeed) {
    film({{0, 300, 40, 80, 0}});
    s.FollowVideoSpeed = true;
    s.Frame = 150;
    s.Speed = 1;
    advance(1);
    EXPECT_EQ(s.Speed, 60);
}

}  // namespace
}  // namespace tovra
