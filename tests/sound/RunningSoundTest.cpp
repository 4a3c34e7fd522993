#include "sound/SoundFixture.h"

namespace tovra {
namespace {

using test::SoundFixture;

struct RunningSound : SoundFixture {
    RunningSound() {
        std::vector<int> running;
        for (int k = 0; k <= 13; ++k) running.push_back(k);
        loadWaves(running);
    }
    void runAt(Extended speed) {
        cab.state.Speed = speed;
        step_running_sound(cab.sound, cab.channels, cab.state.Speed, cab.runningSound);
    }
};

TEST_F(RunningSound, EmptyAndOutOfRangeChannelsDoNothing) {
    SoundChannels& sound = cab.sound;
    for (int channel : {30, -1, SoundDevice::kChannelCount}) {  // 30 holds no wave
        sound.playLoop(channel);
        sound.loopIfSilent(channel);
        EXPECT_FALSE(sound.isPlaying(channel)) << channel;
        EXPECT_EQ(sound.status(channel), SoundDevice::Status::NotPlaying) << channel;
    }
    sound.setVolume(5, -12000);
    EXPECT_EQ(sound.volume(5), -10000);  // remembered within the device's range
    EXPECT_EQ(run.sound.volume(5), -10000);
    sound.setVolume(5, 300);
    EXPECT_EQ(sound.volume(5), 0);
    EXPECT_EQ(sound.volume(-1), 0);
}

TEST_F(RunningSound, NeighboursCrossFadeWithSpeed) {
    run.sound.setVolume(0, -777);  // channel 0's volume is never set by the rule
    runAt(0);
    EXPECT_TRUE(looping(0));
    EXPECT_TRUE(looping(1));
    EXPECT_EQ(cab.sound.volume(1), -4000);  // g2 of 0 becomes 1 %
    EXPECT_EQ(run.sound.volume(0), -777);

    runAt(35);
    EXPECT_TRUE(looping(3));
    EXPECT_TRUE(looping(4));
    EXPECT_EQ(cab.sound.volume(3), -602);
    EXPECT_EQ(cab.sound.volume(4), -602);
    EXPECT_DOUBLE_EQ(double(cab.runningSound.g1), 50);

    runAt(36.6L);  // rounds to 37
    EXPECT_EQ(cab.sound.volume(3), -1046);
    EXPECT_EQ(cab.sound.volume(4), -310);

    // Faster: the channel below the pair and the one above it fall silent.
    cab.sound.playLoop(7);
    runAt(-52);  // backwards sounds as forwards
    EXPECT_FALSE(cab.sound.isPlaying(4));
    EXPECT_FALSE(cab.sound.isPlaying(7));
    EXPECT_TRUE(looping(5));
    EXPECT_TRUE(looping(6));
    EXPECT_EQ(cab.sound.volume(5), -194);   // g1 80
    EXPECT_EQ(cab.sound.volume(6), -1398);  // g2 20
}

TEST_F(RunningSound, AboveOneHundredTwentyOnlyTheTopChannel) {
    runAt(115);
    EXPECT_TRUE(looping(11));
    EXPECT_TRUE(looping(12));
    cab.sound.playLoop(13);
    const int before11 = cab.sound.volume(11);
    runAt(120);
    EXPECT_TRUE(looping(11));  // left as it was
    EXPECT_TRUE(looping(13));
    EXPECT_EQ(cab.sound.volume(11), before11);
    EXPECT_TRUE(looping(12));
    // Already playing: channel 12 keeps its cross-fade volume.
    EXPECT_EQ(cab.sound.volume(12), -602);

    cab.sound.stop(12);
    runAt(130);
    EXPECT_TRUE(looping(12));
    EXPECT_EQ(cab.sound.volume(12), 0);
}

TEST_F(RunningSound, FewerRecordingsThanSpeedsLeaveOtherChannelsAlone) {
    cab.channels = ChannelLayout::of(5, 20, 4, 4);  // channels 5.. are route sounds
    runAt(45);
    EXPECT_TRUE(looping(4));
    EXPECT_FALSE(cab.sound.isPlaying(5));
    EXPECT_EQ(cab.sound.volume(5), 0);
}

TEST_F(RunningSound, PauseRecordsAndResumeRestartsAsBefore) {
    loadWaves({20}, 2.0);
    cab.sound.playLoop(3);                   // a looping melody
    cab.sound.playOnce(20);                  // an announcement under way
    cab.sound.playOnce(4);                   // a click that will have ended
    for (int i = 0; i < 12; ++i) advance();  // 1.2 s
    EXPECT_FALSE(cab.sound.isPlaying(4));

    pauseChannels(cab.sound, cab.runningSound);
    for (int channel : {3, 4, 20}) EXPECT_FALSE(cab.sound.isPlaying(channel)) << channel;
    for (int i = 0; i < 50; ++i) advance();
    EXPECT_FALSE(cab.sound.isPlaying(3));

    playedOnce.clear();
    resumeChannels(cab.sound, cab.runningSound);
    EXPECT_TRUE(looping(3));
    EXPECT_TRUE(cab.sound.isPlayingOnce(20));
    EXPECT_FALSE(cab.sound.isPlaying(4));
    EXPECT_EQ(playedOnce, std::vector<int>{20});
    for (int i = 0; i < 30; ++i) advance();  // 3 s: the melody loops on, the announcement ended
    EXPECT_TRUE(looping(3));
    EXPECT_FALSE(cab.sound.isPlaying(20));

    resumeChannels(cab.sound, cab.runningSound);  // nothing recorded any more
    EXPECT_FALSE(cab.sound.isPlaying(20));
}

}  // namespace
}  // namespace tovra
