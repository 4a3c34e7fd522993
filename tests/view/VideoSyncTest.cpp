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
    HeadlessRun run;
    Cab& cab;
};

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
    check_end_of_video(cab.state, cab.film, cab.video, cab.sound, cab.channels, cab.route);
    EXPECT_EQ(cab.state.Frame, 5000);
    EXPECT_EQ(cab.state.Speed, 0);
    EXPECT_EQ(cab.state.PowerHandle, 0);
    EXPECT_EQ(cab.state.PowerNotch, 0);

    // Turned back: running backwards towards the end frame stops one past it.
    cab.state.VideoMode[1] = 1;
    cab.state.Frame = 4990;
    cab.state.Speed = -10;
    check_end_of_video(cab.state, cab.film, cab.video, cab.sound, cab.channels, cab.route);
    EXPECT_EQ(cab.state.Frame, 5001);
    EXPECT_EQ(cab.state.Speed, 0);

    // Far from the end nothing happens.
    cab.state.VideoMode[1] = 0;
    cab.state.Frame = 4000;
    cab.state.Speed = 40;
    check_end_of_video(cab.state, cab.film, cab.video, cab.sound, cab.channels, cab.route);
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
