#include "sound/SoundFixture.h"

namespace tovra {
namespace {

using test::SoundFixture;

// Layout of the fixture: motor entries on channels 60.., engine entries on 64..
struct MotorSounds : SoundFixture {
    MotorSounds() {
        cab.vehicle.Engine_Type = 1;
        EngineSound1Entry power{"m.wav", 0, 0, 50, 100, 0.5L, 1, 1.5L, 50, 100, 80};
        EngineSound1Entry brake = power;
        brake.Kind = 1;
        cab.vehicle.EngineSound1 = {power, brake};
        loadWaves({60, 61});
    }
    void step() {
        step_motor_sounds(cab.sound, cab.channels, cab.vehicle, cab.state, cab.runningSound);
    }
};

TEST_F(MotorSounds, PowerEntryFollowsSpeedAndDecaysAfterPowerOff) {
    cab.state.Speed = 25;
    step();  // nothing in use yet: stopped and silent
    EXPECT_FALSE(cab.sound.isPlaying(60));
    EXPECT_EQ(cab.sound.volume(60), -10000);

    cab.state.PowerNotch = 1;
    const std::vector<double> factors{40, 80, 100, 100};  // +20 for each of the two entries
    for (double factor : factors) {
        step();
        EXPECT_DOUBLE_EQ(double(cab.runningSound.groupFactor1), factor);
    }
    EXPECT_TRUE(looping(60));
    EXPECT_DOUBLE_EQ(run.sound.pitch(60), 0.75);
    EXPECT_DOUBLE_EQ(double(cab.runningSound.engineSound1[0].level), 75);
    EXPECT_EQ(cab.sound.volume(60), -207);  // log10(0.75) x 1660
    EXPECT_FALSE(cab.sound.isPlaying(61));  // the brake entry is not in use

    cab.state.Speed = 75;  // second segment
    step();
    EXPECT_DOUBLE_EQ(run.sound.pitch(60), 1.25);
    EXPECT_DOUBLE_EQ(double(cab.runningSound.engineSound1[0].level), 90);

    cab.state.PowerNotch = 0;
    std::vector<double> activity;
    std::vector<double> factor;
    for (int i = 0; i < 12; ++i) {
        step();
        activity.push_back(double(cab.runningSound.engineSound1[0].activity));
        factor.push_back(double(cab.runningSound.groupFactor1));
    }
    EXPECT_EQ(activity, (std::vector<double>{90, 80, 70, 60, 50, 40, 30, 20, 10, 10, 10, 10}));
    EXPECT_EQ(factor, (std::vector<double>{80, 60, 40, 20, 10, 10, 10, 10, 10, 10, 10, 10}));
    EXPECT_EQ(cab.sound.volume(60), -10000);
    EXPECT_TRUE(looping(60));  // silent but still looping
}

TEST_F(MotorSounds, BrakeEntryAndProtectionKeepTheGroupUp) {
    cab.state.Speed = 120;  // beyond the last breakpoint: gain 1, pitch kept
    cab.state.BrakeNotch = -2;
    step();
    EXPECT_TRUE(looping(61));
    EXPECT_DOUBLE_EQ(double(cab.runningSound.engineSound1[1].level), 1);
    EXPECT_DOUBLE_EQ(run.sound.pitch(61), 1.0);
    // level 1 x activity 100 x factor 40 lies below -3000 hundredths: silent.
    EXPECT_EQ(cab.sound.volume(61), -10000);

    cab.state.BrakeNotch = 0;
    cab.state.ProtectEmergency = true;
    step();
    EXPECT_DOUBLE_EQ(double(cab.runningSound.groupFactor1), 80);
}

struct EngineSounds : SoundFixture {
    EngineSounds() {
        cab.vehicle.Engine_Type = 0;
        cab.vehicle.EngineSound1 = {{"e.wav", -1, 30, 0, 80, 0.6L, 0, 1.6L, 40, 0, 90},
                                    {"g.wav", 2, 30, 0, 80, 1, 0, 1, 100, 0, 100}};
        cab.vehicle.EngineSound2 = {5, 6, 7, 8};
        cab.vehicle.EngineSound3 = {{"r.wav", 1, 2, 20, 60, 0.8L, 1.2L, 40, 80}};
        cab.vehicle.Lose_elec = 5;
        loadWaves({5, 6, 60, 61, 64});
        cab.state.EngineState = 1;
    }
    void step() {
        step_engine_sounds(cab.sound, cab.channels, cab.vehicle, cab.state, cab.diesel,
                           cab.traction.doorsOpen, cab.stations.doorOpening, cab.runningSound);
    }
};

TEST_F(EngineSounds, EngineSpeedSetsPitchAndFades) {
    cab.state.PowerNotch = 1;
    cab.state.EngineRpm = 55;
    step();
    EXPECT_DOUBLE_EQ(double(cab.runningSound.groupFactor1), 10);  // +5 for each entry
    EXPECT_NEAR(run.sound.pitch(60), 1.1, 1e-12);  // the middle breakpoint is not used
    EXPECT_DOUBLE_EQ(double(cab.runningSound.engineSound1[0].level), 65);
    EXPECT_TRUE(looping(60));
    // Gear entry 2 while gear 0 is engaged: activity 1.
    EXPECT_DOUBLE_EQ(double(cab.runningSound.engineSound1[1].activity), 1);
    EXPECT_TRUE(looping(61));

    cab.state.EngineRpm = 25;  // fading in below x0: 40 x (25 - 30 + 10) / 10
    step();
    EXPECT_DOUBLE_EQ(double(cab.runningSound.engineSound1[0].level), 20);
    EXPECT_EQ(cab.sound.volume(60), -2528);  // log10(20 x 100 x 15 / 1e6) x 1660

    cab.state.EngineRpm = 86;  // fading out above x2: 90 x (80 + 10 - 86) / 10
    cab.diesel.ShiftState = 1;
    step();
    EXPECT_DOUBLE_EQ(double(cab.runningSound.engineSound1[0].level), 36);
    EXPECT_DOUBLE_EQ(double(cab.runningSound.groupFactor1), 10);  // shifting: down again

    cab.diesel.ShiftState = 0;
    cab.state.PowerNotch = 0;
    step();
    EXPECT_DOUBLE_EQ(double(cab.runningSound.groupFactor1), 5);  // not below 5
}

TEST_F(EngineSounds, IdleFollowsTheDoors) {
    step();  // doors closed
    EXPECT_TRUE(looping(5));
    EXPECT_FALSE(cab.sound.isPlaying(6));

    cab.traction.doorsOpen = true;
    cab.stations.doorOpening = 1;
    step();
    EXPECT_TRUE(looping(6));
    EXPECT_FALSE(cab.sound.isPlaying(5));

    cab.stations.doorOpening = 0;  // closing command; the doors still count as open
    int switchedAt = 0;
    for (int tick = 1; tick <= 60 && switchedAt == 0; ++tick) {
        step();
        if (looping(5)) switchedAt = tick;
    }
    EXPECT_EQ(switchedAt, 55);
    EXPECT_FALSE(cab.sound.isPlaying(6));

    cab.state.EngineState = 0;
    step();
    EXPECT_FALSE(cab.sound.isPlaying(5));
    EXPECT_FALSE(cab.sound.isPlaying(6));
}

TEST_F(EngineSounds, SecondGroupRisesInItsGear) {
    cab.state.Speed = 40;
    cab.state.PowerNotch = 1;
    cab.diesel.GearActual = 1;
    step();
    EXPECT_DOUBLE_EQ(double(cab.runningSound.engineSound3[0].activity), 0);  // other gear
    EXPECT_DOUBLE_EQ(double(cab.runningSound.groupFactor3), 10);
    EXPECT_NEAR(run.sound.pitch(64), 1.0, 1e-12);
    EXPECT_DOUBLE_EQ(double(cab.runningSound.engineSound3[0].level), 60);
    EXPECT_EQ(cab.sound.volume(64), -10000);  // no activity: no sound at all

    cab.diesel.GearActual = 2;
    for (int i = 0; i < 12; ++i) step();
    EXPECT_DOUBLE_EQ(double(cab.runningSound.engineSound3[0].activity), 100);
    EXPECT_DOUBLE_EQ(double(cab.runningSound.groupFactor3), 100);
    EXPECT_EQ(cab.sound.volume(64), -368);  // log10(60 x 100 x 100 / 1e6) x 1660

    cab.state.PowerNotch = 0;
    step();
    EXPECT_DOUBLE_EQ(double(cab.runningSound.engineSound3[0].activity), 90);
    EXPECT_DOUBLE_EQ(double(cab.runningSound.groupFactor3), 90);
}

}  // namespace
}  // namespace tovra
