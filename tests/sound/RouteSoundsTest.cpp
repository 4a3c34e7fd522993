#include "sound/SoundFixture.h"

namespace tovra {
namespace {

using test::SoundFixture;

// Route sound k plays on channel 40 + k in the fixture's layout.
constexpr int route(int k) {
    return 40 + k;
}

struct RouteSounds : SoundFixture {
    RouteSounds() { loadWaves({route(1), route(2), route(3), route(4), route(5), 28, 29}); }
    void at(std::int32_t frame, Extended speed) {
        cab.state.Frame = frame;
        cab.state.Speed = speed;
        update_route_sounds(cab);
    }
};

TEST_F(RouteSounds, ZonesPlayOnceLoopOrWhenPassedSlowly) {
    cab.route.Attenuations = {{80, 400, 0, 50}};
    //                      sound frame end  r  mode pitch volume trigger
    cab.route.SoundZones = {{1, 100, 300, 50, 0, 1, 1, 0},
                            {2, 100, 200, 50, 1, 0, 0, 0},
                            {3, 500, 600, 30, 0, 0, 0, 1}};
    at(90, 25);
    EXPECT_TRUE(cab.sound.isPlayingOnce(route(1)));
    EXPECT_DOUBLE_EQ(run.sound.pitch(route(1)), 0.5);
    EXPECT_EQ(cab.sound.volume(route(1)), -3010);  // log10(25 x 0.5 / 50) x 5000
    EXPECT_TRUE(looping(route(2)));
    EXPECT_EQ(cab.sound.volume(route(2)), 0);
    at(95, 25);
    EXPECT_EQ(playedOnce, std::vector<int>{route(1)});  // once per run

    at(150, 0.5L);  // inside the zone at a crawl: silent
    EXPECT_EQ(cab.sound.volume(route(2)), -10000);
    EXPECT_EQ(cab.sound.volume(route(1)), -10000);
    at(195, 20);  // near the end of the looping zone
    EXPECT_FALSE(cab.sound.isPlaying(route(2)));

    at(550, 40);  // faster than the reference speed: nothing
    EXPECT_FALSE(cab.sound.isPlaying(route(3)));
    at(560, 30.4L);
    EXPECT_TRUE(cab.sound.isPlayingOnce(route(3)));

    clearSoundZonesPlayed(cab.runningSound);
    at(95, 25);
    EXPECT_EQ(playedOnce, (std::vector<int>{route(1), route(3), route(1)}));
}

TEST_F(RouteSounds, PointsSoundChosenBySpeed) {
    cab.route.Switches = {{1000, 7}, {2000, 9}};
    cab.vehicle.SwitchSound = {{27, 30, 7}, {28, 999, 7}, {29, 999, 8}};
    at(990, 50);
    at(995, 50);
    at(1990, 50);  // no points sound for id 9
    EXPECT_EQ(playedOnce, std::vector<int>{28});
    clearPointsSounded(cab.runningSound);
    at(1000, 50);
    EXPECT_EQ(playedOnce, (std::vector<int>{28, 28}));
}

TEST_F(RouteSounds, PassingSourceShiftsPitchAndFadesWithDistance) {
    cab.route.DopplerSources = {{4, 0, 2000, 0, 0, 10000}, {5, 0, 2000, 1, 3, 10500}};
    cab.state.Position = 9000;
    at(0, 100);
    EXPECT_TRUE(looping(route(4)));
    EXPECT_NEAR(run.sound.pitch(route(4)), 1.0851994, 1e-6);
    EXPECT_EQ(cab.sound.volume(route(4)), -602);  // half the range away
    EXPECT_FALSE(cab.sound.isPlaying(route(5)));  // its station has not departed yet
    EXPECT_EQ(cab.sound.volume(route(5)), -1204);

    cab.stations.progress[3].departureStarted = true;
    cab.state.Position = 11000;
    at(0, 100);
    EXPECT_NEAR(run.sound.pitch(route(4)), 0.9272048, 1e-6);
    EXPECT_TRUE(looping(route(5)));
    EXPECT_DOUBLE_EQ(run.sound.pitch(route(5)), 1.0);  // not panned: pitch kept

    cab.state.Position = 12000;  // at the edge of the first source's range
    at(0, 100);
    EXPECT_EQ(cab.sound.volume(route(4)), -10000);
    EXPECT_TRUE(looping(route(4)));

    cab.state.Position = 13000;
    at(0, 100);
    EXPECT_FALSE(cab.sound.isPlaying(route(4)));
    EXPECT_FALSE(cab.sound.isPlaying(route(5)));
}

}  // namespace
}  // namespace tovra
