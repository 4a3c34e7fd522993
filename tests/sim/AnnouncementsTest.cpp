#include <gtest/gtest.h>

#include <algorithm>

#include "cab/KeyInput.h"
#include "sim/Announcements.h"
#include "sound/SoundFixture.h"

namespace tovra::test {
namespace {

// Stations at 0, 100000 and 200000 cm; route sounds 1 to 4 are the
// announcements: 1 after leaving station 0 (300 m on), 2 before station 1
// (400 m ahead), and 3, 4 for the one-man announcement key. Route sound 0
// is the overrun announcement.
struct AnnouncementsTest : SoundFixture {
    AnnouncementsTest() {
        cab.route.Stations.resize(3);
        for (std::size_t j = 0; j < 3; ++j)
            cab.route.Stations[j].stopPosition = Extended(j) * 100000;
        cab.route.Announcements = {Announcement{0, 0, 0, 0}, Announcement{1, 0, 0, 300},
                                   Announcement{2, 1, 1, 400}};
        for (int k = 0; k <= 4; ++k) loadWaves({channel(k)}, 2.0);
        cab.start1Click();
    }
    int channel(int sound) const { return cab.channels.routeChannel(sound); }
    int plays(int sound) const {
        return int(std::count(playedOnce.begin(), playedOnce.end(), channel(sound)));
    }
    void at(Extended position, Extended remain) {
        cab.state.Position = position;
        cab.state.RemainDistance = remain;
        advance();
        play_announcements(records);
    }

    StationRecords records = cab.stationRecords();
};

TEST_F(AnnouncementsTest, AutomaticAnnouncementsPlayOnceInsideTheirFiveMetres) {
    cab.state.Speed = 60;
    at(29000, 71000);  // before the point
    at(30100, 69900);  // 1 m past it
    at(30400, 69600);  // still inside: already played
    EXPECT_EQ(plays(1), 1);
    at(30600, 69400);
    EXPECT_EQ(plays(1), 1);

    at(60050, 39950);  // 400 m before station 1
    EXPECT_EQ(plays(2), 1);

    // After departure the announcement waits until more than 100 m remain.
    cab.stations.announcementPlayed.fill(false);
    at(30100, 9000);
    EXPECT_EQ(plays(1), 1);
}

TEST_F(AnnouncementsTest, OverrunAnnouncementOncePerDoorClosing) {
    cab.state.Speed = 0;
    at(101000, -1000);  // standing 10 m past the stop, doors closed
    at(101000, -1000);
    EXPECT_EQ(plays(0), 1);
    cab.stations.doorClosingCount += 1;
    at(101000, -1000);
    EXPECT_EQ(plays(0), 2);

    cab.stations.progress[1].arrived = true;  // inside a station's zone: not an overrun
    cab.stations.doorClosingCount += 1;
    at(101000, -1000);
    EXPECT_EQ(plays(0), 2);
}

TEST_F(AnnouncementsTest, OneManKeyAnnouncesInTurnAndLightsTheRequestLamp) {
    cab.route.OneMan = 1;
    cab.route.Announcements = {Announcement{0, 0, 0, 0}, Announcement{3, 2, 1, 0},
                               Announcement{4, 2, 2, 0}};
    cab.route.Stations[1].field12 = 1;  // a request is certain
    cab.stations.announcePos = 1;

    AsciiDown(cab, 'c');
    EXPECT_EQ(plays(3), 1);
    EXPECT_EQ(cab.stations.announcePos, 2);
    EXPECT_TRUE(cab.stations.requestPending);
    AsciiDown(cab, 'c');  // the next one stops the one before
    EXPECT_EQ(plays(4), 1);
    EXPECT_EQ(run.sound.status(channel(3)), SoundDevice::Status::NotPlaying);

    // Field 13 of the station before the announcement pointer, 3 - 1 = 2.
    cab.route.Stations[2].field13 = 10;
    for (int tick = 0; tick < 10; ++tick) at(0, 100000);
    EXPECT_FALSE(cab.stations.requestLamp);
    at(0, 100000);
    EXPECT_TRUE(cab.stations.requestLamp);
    EXPECT_FALSE(cab.stations.requestPending);

    cab.traction.doorsOpen = true;
    at(0, 100000);
    EXPECT_FALSE(cab.stations.requestLamp);
}

}  // namespace
}  // namespace tovra::test
