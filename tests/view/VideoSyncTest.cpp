#include "view/VideoSync.h"

#include "cab/VideoSwitching.h"

#include <gtest/gtest.h>

#include "data/CabDataFixture.h"
#include "headless/HeadlessRun.h"

namespace tovra {
namespace {

struct VideoSyncTest : ::testing::Test {
    VideoSyncTest() : run(RunChoice{}, 1), cab(run.cab) {
        cab.settings.TickRate = 30;
        cab.route.FrameRate = 15;
    }
    void film(std::vector<SpeedUnit> units) {
        cab.route.SpeedUnits = std::move(units);
        computeEndDistances(cab.route.SpeedUnits);
    }
    int advance(int ticks) {
        const int before = cab.state.Frame;
        for (int i = 0; i < ticks; ++i) advance_frames(cab.state, cab.video, cab.route);
        return cab.state.Frame - before;
    }
    HeadlessRun run;
    Cab& cab;
};

TEST_F(VideoSyncTest, FramesFollowSpeedAtTheFilmingPace) {
    film({{0, 10000, 60, 60, 0}});
    cab.state.Speed = 60;
    advance(1);                  // the first tick finds the section
    EXPECT_EQ(advance(30), 30);  // one frame per tick at the filmed speed
    cab.state.Speed = 30;
    EXPECT_EQ(advance(30), 15);  // one every second tick
    cab.state.Speed = -60;
    EXPECT_EQ(advance(10), -10);
}

TEST_F(VideoSyncTest, WithoutASectionTheFrameMovesByTwiceTheSpeed) {
    film({{1000, 2000, 60, 60, 0}});
    cab.state.Speed = 12.4L;  // rounds to 12
    EXPECT_EQ(advance(1), 24);
    EXPECT_EQ(cab.video.FilmSpeed, 0);
    EXPECT_EQ(cab.video.FrameAccumulator, 0);
}

TEST_F(VideoSyncTest, EnteringASectionPutsThePositionBackInStep) {
    film({{0, 300, 60, 60, 0}, {300, 600, 30, 30, 0}, {600, 900, 30, 30, 0}});
    EXPECT_EQ(cab.route.SpeedUnits[0].EndDistance, 16667);
    EXPECT_EQ(cab.route.SpeedUnits[1].EndDistance, 25000);
    cab.state.Frame = 298;
    advance(1);  // standing: finds section 0 without moving
    EXPECT_EQ(cab.video.CurrentSection, 0);
    EXPECT_EQ(cab.video.FilmSpeed, 60);
    cab.state.Speed = 60;
    advance(1);
    EXPECT_EQ(cab.state.Frame, 299);
    cab.state.Position = 12345;  // drifted
    advance(1);                  // frame 300: section 1
    EXPECT_EQ(cab.video.CurrentSection, 1);
    EXPECT_EQ(cab.state.Position, 16667);
    EXPECT_EQ(cab.video.FilmSpeed, 30);

    cab.state.Frame = 599;
    cab.state.Speed = 30;
    advance(1);  // into section 2
    EXPECT_EQ(cab.video.CurrentSection, 2);
    EXPECT_EQ(cab.state.Position, 25000);
    cab.state.Speed = -30;
    advance(1);  // back into section 1: the end of section 1 again
    EXPECT_EQ(cab.video.CurrentSection, 1);
    EXPECT_EQ(cab.state.Position, 25000);
}

TEST_F(VideoSyncTest, FollowVideoSpeedTakesTheFilmedSpeed) {
    film({{0, 300, 40, 80, 0}});
    cab.state.FollowVideoSpeed = true;
    cab.state.Frame = 150;
    cab.state.Speed = 1;
    advance(1);
    EXPECT_EQ(cab.state.Speed, 60);
}

TEST_F(VideoSyncTest, StationVideoStepsAtTheRouteFrameRate) {
    cab.state.VideoMode[0] = 1;
    for (int tick = 1; tick <= 30; ++tick) {
        cab.state.Clock = tick;
        step_sub_frame(cab.state, cab.route, cab.settings.TickRate);
    }
    EXPECT_EQ(cab.state.SubFrame, 15);  // 15 frames a second whatever the speed
    cab.state.VideoMode[0] = 2;
    cab.state.Frame = 520;
    cab.state.SubStart = 500;
    step_sub_frame(cab.state, cab.route, cab.settings.TickRate);
    EXPECT_EQ(cab.state.SubFrame, 20);
}

TEST_F(VideoSyncTest, TheTrainStopsAtTheEndOfTheFilm) {
    cab.route.MovieStopFrames[0] = 5000;
    cab.state.Frame = 5003;
    cab.state.Speed = 40;
    cab.state.PowerHandle = cab.state.PowerNotch = 3;
    EXPECT_TRUE(inEndOfVideoWindow(cab.state, cab.route));
    check_end_of_video(cab.state, cab.video, cab.sound, cab.channels, cab.route);
    EXPECT_EQ(cab.state.Frame, 5000);
    EXPECT_EQ(cab.state.Speed, 0);
    EXPECT_EQ(cab.state.PowerHandle, 0);
    EXPECT_EQ(cab.state.PowerNotch, 0);

    // Turned back: running backwards towards the end frame stops one past it.
    cab.state.VideoMode[1] = 1;
    cab.state.Frame = 4990;
    cab.state.Speed = -10;
    check_end_of_video(cab.state, cab.video, cab.sound, cab.channels, cab.route);
    EXPECT_EQ(cab.state.Frame, 5001);
    EXPECT_EQ(cab.state.Speed, 0);

    // Far from the end nothing happens.
    cab.state.VideoMode[1] = 0;
    cab.state.Frame = 4000;
    cab.state.Speed = 40;
    check_end_of_video(cab.state, cab.video, cab.sound, cab.channels, cab.route);
    EXPECT_EQ(cab.state.Speed, 40);
}

TEST_F(VideoSyncTest, FetchingDecodesEachFrameOnce) {
    const test::TempDir dir;
    ASSERT_TRUE(run.video.open(dir.writeBytes("line.avi", test::aviHeaderFile(200, 8, 8))));
    cab.video.FrameLimit = 100;
    cab.state.Frame = 7;
    EXPECT_TRUE(fetch_video_frame(cab.video, cab.videoSource, cab.state));
    EXPECT_FALSE(fetch_video_frame(cab.video, cab.videoSource, cab.state));
    cab.state.Frame = 101;  // past FrameLimit: keep the last picture
    EXPECT_FALSE(fetch_video_frame(cab.video, cab.videoSource, cab.state));
    EXPECT_EQ(cab.video.ShownFrame, 7);
}

}  // namespace
}  // namespace tovra
