#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "sim/Timetable.h"
#include "sound/CalloutQueue.h"
#include "sound/SoundFixture.h"
#include "sound/TimeCallouts.h"

namespace tovra::test {
namespace {

// Call-outs 0..21 are loaded, each a wave of its own one second long.
struct CalloutQueueTest : SoundFixture {
    CalloutQueueTest() {
        loadWaves({});
        for (int i = 0; i < 22; ++i) {
            waves.push_back(*run.sound.loadWave(dir / "wave22050.wav"));
            cab.calloutWaves.sounds[std::size_t(i)] = waves.back();
        }
    }

    // The call-out indices waiting, head first.
    std::vector<int> queued() const {
        std::vector<int> out;
        for (const auto& slot : cab.callouts.CalloutQueue)
            if (slot)
                out.push_back(int(std::find(waves.begin(), waves.end(), *slot) - waves.begin()));
        return out;
    }

    // Plays the queue out, noting which call-out started at each play.
    std::vector<int> drain() {
        std::vector<int> heard;
        for (int tick = 0; tick < 400 && (!queued().empty() || cab.callouts.CalloutStarted);
             ++tick) {
            const std::size_t before = playedOnce.size();
            play();
            if (playedOnce.size() > before) heard.push_back(queued().front());
            advance();
        }
        return heard;
    }

    void add(std::int32_t index) { kanko_queue_add(cab.callouts, cab.calloutWaves, index); }
    void play() { kanko_queue_play(cab.callouts, cab.sound, cab.channels, cab.options, cab.host); }

    std::vector<int> waves;
};

TEST_F(CalloutQueueTest, ThirteenthCalloutIsDroppedAndTheOthersPlayInOrder) {
    for (int i = 0; i < 13; ++i) add(i);
    EXPECT_EQ(queued(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_EQ(drain(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    for (int channel : playedOnce) EXPECT_EQ(channel, cab.channels.callout);
}

TEST_F(CalloutQueueTest, SilentOptionDrainsOneEntryPerTick) {
    cab.options.Kanko = 1;
    add(3);
    add(4);
    play();
    EXPECT_EQ(queued(), (std::vector<int>{3, 4}));  // head handed over, not yet done
    play();
    EXPECT_EQ(queued(), std::vector<int>{4});
    play();
    play();
    EXPECT_TRUE(queued().empty());
    cab.options.Kanko = 0;
    play();
    EXPECT_TRUE(playedOnce.empty());
}

TEST_F(CalloutQueueTest, IndicesOutsideTheTableAreIgnored) {
    add(-1);
    add(500);
    add(30);  // in the table, no sound loaded
    cab.route.StationCallouts = {{0, 4, 999}, {0, 0, 600}, {0, 0, 7}};
    station_callout_moment(cab.calloutRecords(), 0,
                           cab.stations.currentStation);  // 999 is no sound index at this moment
    EXPECT_TRUE(queued().empty());
    station_callout_moment(cab.calloutRecords(), 1, cab.stations.currentStation);
    EXPECT_EQ(queued(), std::vector<int>{7});
    station_callout_moment(
        cab.calloutRecords(), 4,
        cab.stations.currentStation);  // the departure call-out comes first, even alone
    EXPECT_EQ(queued(), (std::vector<int>{7, 20}));
    cab.route.StationCallouts.clear();
    station_callout_moment(
        cab.calloutRecords(), 4,
        cab.stations.currentStation);  // a route without station call-outs stays silent
    EXPECT_EQ(queued(), (std::vector<int>{7, 20}));
}

// A call-out channel the device lacks is reported once and the queue moves on.
TEST_F(CalloutQueueTest, UnplayableCalloutIsReportedOnceAndDropped) {
    cab.channels.callout = SoundDevice::kChannelCount;
    add(3);
    for (int tick = 0; tick < 5; ++tick) play();
    EXPECT_EQ(run.host.messages, std::vector<std::string>{"喚呼の再生エラー"});
    EXPECT_TRUE(queued().empty());
}

TEST_F(CalloutQueueTest, TimeCalloutBands) {
    const auto calloutsFor = [this](std::int32_t clock, std::int32_t reference, int mode) {
        cab.callouts = CalloutState{};
        cab.state.Clock = clock;
        Timekanko(cab.calloutRecords(), reference, mode);
        return queued();
    };
    EXPECT_EQ(calloutsFor(10450, 10000, 0), std::vector<int>{17});
    EXPECT_EQ(calloutsFor(9550, 10000, 1), std::vector<int>{18});
    EXPECT_EQ(calloutsFor(10451, 10000, 0), (std::vector<int>{6, 13}));
    EXPECT_EQ(calloutsFor(10451, 10000, 1), (std::vector<int>{6, 14}));
    EXPECT_EQ(calloutsFor(9549, 10000, 0), (std::vector<int>{6, 15}));
    EXPECT_EQ(calloutsFor(9549, 10000, 1), (std::vector<int>{6, 16}));
    EXPECT_EQ(calloutsFor(10900, 10000, 0), (std::vector<int>{7, 13}));
    EXPECT_EQ(calloutsFor(10901, 10000, 0), (std::vector<int>{8, 13}));
    EXPECT_EQ(calloutsFor(12400, 10000, 0), (std::vector<int>{12, 13}));
    EXPECT_TRUE(calloutsFor(12401, 10000, 0).empty());
    EXPECT_TRUE(calloutsFor(7599, 10000, 1).empty());
}

TEST_F(CalloutQueueTest, TimecalcFormatsAndTurnsTheHands) {
    timecalc(cab.stations, cab.vehicle, 0);
    EXPECT_EQ(cab.stations.clockText, "00:00:00");
    cab.stations.clockSecond = -1;  // a fresh clock
    timecalc(cab.stations, cab.vehicle, 108000 * 25);
    EXPECT_EQ(cab.stations.clockText, "25:00:00");
    cab.vehicle.ClockX = 10;
    cab.vehicle.ClockY = 10;
    cab.vehicle.ClockHandLength = 20;
    timecalc(cab.stations, cab.vehicle, 3 * 108000 + 30 * 15);  // 03:00:15
    EXPECT_EQ(cab.stations.clockText, "03:00:15");
    using Hand = std::array<std::int32_t, 2>;
    EXPECT_EQ(cab.stations.clockHands[0], (Hand{37, 25}));  // three o'clock, length 12
    EXPECT_EQ(cab.stations.clockHands[1], (Hand{26, 5}));   // 1.5 degrees
    EXPECT_EQ(cab.stations.clockHands[2], (Hand{45, 25}));  // fifteen seconds
    cab.stations.clockText = "kept";
    timecalc(cab.stations, cab.vehicle, 3 * 108000 + 30 * 15 + 29);  // same second: nothing redrawn
    EXPECT_EQ(cab.stations.clockText, "kept");
}

// Enter: a wayside sign on offer is called out once from [OtherKanko]; then a
// level crossing waiting while the train runs takes the call-out and leaves
// the queue; at rest, or with no crossing, the signal in view is called out
// by its face, its own [KankoSound2] entry first.
TEST_F(CalloutQueueTest, EnterCallsOutTheSignTheCrossingOrTheSignalAhead) {
    waves.push_back(*run.sound.loadWave(dir / "wave22050.wav"));
    cab.calloutWaves.sounds[22 + 1] = waves.back();  // [KankoSound2] entry for signal 1
    waves.push_back(*run.sound.loadWave(dir / "wave22050.wav"));
    cab.calloutWaves.others = {std::nullopt, std::nullopt, waves.back()};  // other call-out 2
    cab.calloutOffer.kankoPending = 2;
    driverCallout(cab.calloutRecords());
    EXPECT_EQ(queued(), std::vector<int>{23});
    cab.callouts = CalloutState{};
    cab.calloutOffer.kankoPending = kNoSign;
    cab.route.CalloutSound2Count = 2;
    cab.route.Crossings = {CrossingRecord{0, 7, 0, 100, 0}, CrossingRecord{0, 9, 0, 100, 0}};
    cab.crossings.crossings[0] = 1;
    cab.crossings.crossings[1] = 0;
    cab.protection.SignalFace = 10;  // stop
    cab.protection.signalInView = 1;

    cab.state.Speed = 40;
    driverCallout(cab.calloutRecords());
    EXPECT_EQ(queued(), (std::vector<int>{9}));
    EXPECT_EQ(cab.crossings.crossings[0], 0);  // the next one moved up

    cab.lamps.crossing = true;  // a lit crossing lamp lets the signal through
    driverCallout(cab.calloutRecords());
    EXPECT_EQ(queued(), (std::vector<int>{9, 22, 0}));
    EXPECT_EQ(cab.crossings.crossings[0], 0);

    cab.lamps.crossing = false;
    cab.state.Speed = 0.4L;  // at rest
    cab.protection.SignalFace = 2;
    cab.protection.signalInView = 0;  // without an entry of its own
    driverCallout(cab.calloutRecords());
    EXPECT_EQ(queued(), (std::vector<int>{9, 22, 0, 5}));

    cab.route.SignalCallouts = {{0, 2, 11}};
    for (const std::int32_t face : {35, 999, 0}) {  // code signal, no signal, repeater at stop
        cab.protection.SignalFace = face;
        driverCallout(cab.calloutRecords());
    }
    EXPECT_EQ(queued(), (std::vector<int>{9, 22, 0, 5, 11}));  // only the repeater's moment 2
}

}  // namespace
}  // namespace tovra::test
