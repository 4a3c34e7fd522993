#include <gtest/gtest.h>

#include "sim/ProtectionFixture.h"

namespace tovra {
namespace {

// Bell protection; a stop signal at frame 2000 held by the preceding train,
// its long-distance beacon at 1800 inside its view; a third signal at 3000.
struct ProtectionBellTest : test::ProtectionFixture {
    ProtectionBellTest() {
        cab.vehicle.ATS_Type = 0;
        addSignal(5, 1000);
        addSignal(5, 2000);
        addSignal(5, 3000);
        cab.protection.PreTrainFrame = 2100;
    }
    void tickAt(std::int32_t frame, Extended speed) {
        at(frame, speed);
        logicTick();
    }
    ProtectionState& p = cab.protection;
    TrainState& s = cab.state;
};

TEST_F(ProtectionBellTest, WarningRingsUntilAcknowledgedThenTheChimeSounds) {
    s.BrakeHandle = 0;
    tickAt(1790, 40);
    EXPECT_EQ(p.SignalLimit, 998);
    EXPECT_TRUE(p.AtsAlarm);
    EXPECT_EQ(cab.sound.status(kBell), SoundDevice::Status::Looped);
    EXPECT_TRUE(lit("img_Lamp_Ats2"));
    EXPECT_FALSE(lit("img_Lamp_Ats1"));
    EXPECT_FALSE(s.ProtectEmergency);

    // Acknowledging needs the brake applied.
    type(" ");
    EXPECT_TRUE(p.AtsAlarm);
    s.BrakeHandle = -2;
    type(" ");
    EXPECT_FALSE(p.AtsAlarm);
    tickAt(1795, 38);
    EXPECT_FALSE(p.AtsAlarm);  // the warning was acknowledged
    EXPECT_FALSE(playing(kBell));
    EXPECT_EQ(cab.sound.status(kChime), SoundDevice::Status::Looped);
    EXPECT_TRUE(lit("img_Lamp_Ats1"));
    EXPECT_FALSE(lit("img_Lamp_Ats2"));

    // While the warning stands the chime stops only at rest.
    type(" ");
    EXPECT_TRUE(playing(kChime));
    s.Speed = 0.4L;
    type(" ");
    EXPECT_FALSE(playing(kChime));
    EXPECT_TRUE(playing(kAckSound));

    // At the signal still at stop: the bell and the emergency brake.
    tickAt(1990, 20);
    EXPECT_EQ(p.SignalLimit, 0);
    EXPECT_TRUE(p.AtsAlarm);
    EXPECT_TRUE(playing(kBell));
    EXPECT_TRUE(s.ProtectEmergency);
}

// A fourth signal at 3100 whose long-distance beacon (2900) lies before the
// third signal: its warning outlasts the third signal and lapses at its own.
TEST_F(ProtectionBellTest, WarningLapsesAtTheSignalThatGaveIt) {
    addSignal(5, 3100);
    p.PreTrainFrame = 3200;  // the fourth signal at stop, the third at caution
    s.BrakeHandle = -2;
    tickAt(2900, 40);
    EXPECT_EQ(p.SignalLimit, 998);
    EXPECT_TRUE(p.AtsAlarm);
    type(" ");
    tickAt(2995, 35);  // the third signal passes: the warning still stands, acknowledged
    EXPECT_EQ(p.SignalLimit, 998);
    EXPECT_FALSE(p.AtsAlarm);
    p.PreTrainFrame = 0;  // the fourth signal clears
    tickAt(3095, 35);
    EXPECT_EQ(p.SignalLimit, 999);
    EXPECT_FALSE(p.AtsAlarm);
}

TEST_F(ProtectionBellTest, AlertModeOneRingsAboveTheSignalSpeed) {
    cab.vehicle.ATS_Alert = 1;
    p.PreTrainFrame = 0;
    s.BrakeHandle = 0;
    p.SignalLimit = 45;
    tickAt(100, 44);
    EXPECT_FALSE(p.AtsAlarm);
    tickAt(100, 46);
    EXPECT_TRUE(p.AtsAlarm);
    // Not while the handle is in the emergency position.
    p.AtsAlarm = false;
    cab.sound.stop(kBell);
    s.BrakeHandle = -8;
    tickAt(100, 46);
    EXPECT_FALSE(p.AtsAlarm);
    // The signal at the beacon sets its class's speed.
    s.BrakeHandle = 0;
    tickAt(1800, 30);  // the far beacon of a clear signal lifts the limit
    EXPECT_EQ(p.SignalLimit, 999);
    p.PreTrainFrame = 3500;
    tickAt(1995, 30);  // caution (aspect 1) of type 5: SpeedSignal[1]
    EXPECT_EQ(p.SignalLimit, 25);
    EXPECT_EQ(p.SignalFace, 999);
}

}  // namespace
}  // namespace tovra
