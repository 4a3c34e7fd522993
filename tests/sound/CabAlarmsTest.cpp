#include <memory>

#include "sound/SoundFixture.h"

namespace tovra {
namespace {

using test::SoundFixture;

constexpr int kHornStart = 20, kSustainB = 21, kSustainC = 22, kHornEnd = 23;
constexpr int kBuzzer = 24, kStopAlarm = 25, kSqueal = 26;

struct CabAlarms : SoundFixture {
    CabAlarms() {
        VehicleSpec& v = cab.vehicle;
        v.Sound_Horn4 = {kHornStart, kSustainB, kSustainC, kHornEnd, 9, 50};
        v.HasSound_Horn4 = true;
        v.HornAir = 50;
        v.Buzzer = kBuzzer;
        v.Stop = kStopAlarm;
        v.Sound_squeak = kSqueal;
        v.Lose_elec = 5;
        loadWaves({kHornStart, kSustainB, kSustainC, kHornEnd}, 0.5);
        loadWaves({kBuzzer, kStopAlarm, kSqueal});
        auto image = std::make_shared<Image>();
        image->width = image->height = 2;
        image->pixels.assign(4, 0);
        cab.sprites.add(Picture{"img_Lamp_stopalert", image, std::nullopt, 0, 0}, 0, 0, 63);
        lamp = cab.sprites.find("img_Lamp_stopalert");
    }
    void holdHorn(bool held) {
        if (held) {
            cab.controller.hornHeld = true;
            run.host.held.insert(HeldKey::Horn3);
        } else {
            run.host.held.erase(HeldKey::Horn3);
        }
    }
    void hornTicks(int n) {
        for (int i = 0; i < n; ++i) {
            update_running_sounds(cab);
            advance();
        }
    }
    void stopAlarm() {
        step_stop_alarm(cab.sound, cab.channels, cab.vehicle, cab.state, cab.lamps);
    }
    void squeal() { step_brake_squeal(cab.sound, cab.channels, cab.vehicle, cab.state); }
    Sprite* lamp = nullptr;
};

TEST_F(CabAlarms, HeldHornAlternatesSustainSoundsAndEndsOnce) {
    cab.state.MrPress = 800;
    holdHorn(true);
    hornTicks(20);  // clock 0 .. 57; the sustain interval is 9 clock ticks
    EXPECT_EQ(playedOnce,
              (std::vector<int>{kHornStart, kSustainB, kSustainC, kSustainB, kSustainC}));
    EXPECT_DOUBLE_EQ(double(cab.state.MrPress), 790);  // 0.5 kPa a tick
    EXPECT_TRUE(cab.runningSound.hornBlowing);

    holdHorn(false);
    hornTicks(10);
    EXPECT_EQ(playedOnce.back(), kHornEnd);
    EXPECT_EQ(std::count(playedOnce.begin(), playedOnce.end(), kHornEnd), 1);
    EXPECT_FALSE(cab.controller.hornHeld);
    EXPECT_FALSE(cab.runningSound.hornBlowing);
    EXPECT_DOUBLE_EQ(double(cab.state.MrPress), 790);

    // A press whose key is already up again sounds nothing.
    cab.controller.hornHeld = true;
    playedOnce.clear();
    hornTicks(3);
    EXPECT_TRUE(playedOnce.empty());

    // The last of the air starts the horn; an empty reservoir silences it.
    cab.state.MrPress = 0.3L;
    holdHorn(true);
    hornTicks(2);
    EXPECT_EQ(playedOnce, std::vector<int>{kHornStart});
    EXPECT_FALSE(cab.sound.isPlaying(kHornStart));
    EXPECT_DOUBLE_EQ(double(cab.state.MrPress), 0);
    EXPECT_FALSE(cab.runningSound.hornBlowing);
}

TEST_F(CabAlarms, HornWithoutHeldHornSectionLeavesChannelsAlone) {
    cab.vehicle.HasSound_Horn4 = false;
    holdHorn(true);
    hornTicks(5);
    EXPECT_TRUE(playedOnce.empty());
    EXPECT_DOUBLE_EQ(double(cab.state.MrPress), 0);
}

TEST_F(CabAlarms, BuzzerLoopsWhileHeld) {
    cab.controller.buzzerHeld = true;
    run.host.held.insert(HeldKey::Horn4);
    update_running_sounds(cab);
    update_running_sounds(cab);
    EXPECT_TRUE(looping(kBuzzer));
    run.host.held.erase(HeldKey::Horn4);
    update_running_sounds(cab);
    EXPECT_FALSE(cab.sound.isPlaying(kBuzzer));
    EXPECT_FALSE(cab.controller.buzzerHeld);
}

TEST_F(CabAlarms, StopAlarmSoundsTooFastForTheStopAndBlinksItsLamp) {
    cab.state.Speed = 60;  // 12 x 16.7 = 200 m against 1000 - 125 m
    cab.state.RemainDistance = 100000;
    stopAlarm();
    EXPECT_FALSE(cab.sound.isPlaying(kStopAlarm));

    cab.state.RemainDistance = 30000;  // 300 m - 125 m < 200 m
    cab.state.LogicTickCount = 10;
    stopAlarm();
    EXPECT_TRUE(cab.sound.isPlayingOnce(kStopAlarm));
    EXPECT_TRUE(cab.lamps.stopAlert);
    cab.showPanel();
    EXPECT_TRUE(lamp->visible);
    cab.state.LogicTickCount = 15;
    stopAlarm();
    EXPECT_FALSE(cab.lamps.stopAlert);
    cab.state.LogicTickCount = 17;
    stopAlarm();
    EXPECT_FALSE(cab.lamps.stopAlert);
    cab.state.LogicTickCount = 20;
    stopAlarm();
    EXPECT_TRUE(cab.lamps.stopAlert);
    EXPECT_EQ(playedOnce, std::vector<int>{kStopAlarm});  // not restarted while sounding

    cab.sound.setVolume(kStopAlarm, -3000);
    cab.state.Speed = 0.5L;
    stopAlarm();
    EXPECT_FALSE(cab.sound.isPlaying(kStopAlarm));
    EXPECT_FALSE(cab.lamps.stopAlert);
    EXPECT_EQ(cab.sound.volume(kStopAlarm), 0);
}

TEST_F(CabAlarms, BrakeSquealFollowsPressureAndSpeedAndFades) {
    cab.state.BcPressT = 200;
    cab.state.Speed = 10;
    squeal();
    EXPECT_TRUE(looping(kSqueal));
    EXPECT_EQ(cab.sound.volume(kSqueal), -2500);  // 10 x 500 / 5 / 200 x -500
    cab.state.Speed = 80;
    squeal();
    EXPECT_EQ(cab.sound.volume(kSqueal), -10000);
    cab.state.Speed = -10;  // rolling back squeals as forwards
    squeal();
    EXPECT_EQ(cab.sound.volume(kSqueal), -2500);

    cab.state.ElecBrakeCurrent = 100;  // the electric brake holds: left as it is
    squeal();
    EXPECT_EQ(cab.sound.volume(kSqueal), -2500);
    cab.state.ElecBrakeCurrent = 0;

    cab.state.BcPressT = 0;  // released: 100 a tick until below -5000
    for (int i = 0; i < 25; ++i) squeal();
    EXPECT_TRUE(looping(kSqueal));
    EXPECT_EQ(cab.sound.volume(kSqueal), -5000);
    squeal();
    EXPECT_FALSE(cab.sound.isPlaying(kSqueal));

    cab.state.BcPressT = 200;  // standing: 1000 a tick
    cab.state.Speed = 10;
    squeal();
    cab.state.Speed = 0.5L;
    squeal();
    squeal();
    EXPECT_TRUE(looping(kSqueal));
    EXPECT_EQ(cab.sound.volume(kSqueal), -4500);
    squeal();
    EXPECT_FALSE(cab.sound.isPlaying(kSqueal));

    cab.vehicle.Lose_elec = 0;  // no electric-brake speed: silent, not a fault
    cab.state.Speed = 10;
    squeal();
    EXPECT_EQ(cab.sound.volume(kSqueal), -10000);
}

}  // namespace
}  // namespace tovra
