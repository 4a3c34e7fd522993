#include <gtest/gtest.h>

#include <algorithm>

#include "sim/ProtectionFixture.h"

namespace tovra {
namespace {

// Speed codes; switched off, which the codes ignore.
struct ProtectionCodesTest : test::ProtectionFixture {
    ProtectionCodesTest() {
        cab.vehicle.ATS_Type = 2;
        cab.protection.AtsOn = false;
    }
    void tick(std::int32_t face, Extended speed) {
        cab.protection.SignalFace = face;
        cab.state.Speed = speed;
        clearPending();
        step_protection(records);
    }
    long chimes() const { return std::count(playedOnce.begin(), playedOnce.end(), kCodeChime); }
    TrainState& s = cab.state;
};

TEST_F(ProtectionCodesTest, ServiceBrakeJustOverTheCodeSpeedAndReleaseUnderIt) {
    tick(23, 24.59L);  // code 23 allows SpeedSignal[1] = 25
    EXPECT_FALSE(s.ProtectService);
    EXPECT_EQ(chimes(), 1);
    tick(23, 24.7L);
    EXPECT_TRUE(s.ProtectService);
    EXPECT_TRUE(cab.protection.CodeLatch);
    EXPECT_TRUE(s.PowerDelayState.pending);
    EXPECT_TRUE(s.BrakeDelayState.pending);
    tick(23, 24.8L);
    EXPECT_FALSE(s.BrakeDelayState.pending);  // latched: nothing new
    tick(23, 24.5L);
    EXPECT_FALSE(s.ProtectService);
    EXPECT_FALSE(cab.protection.CodeLatch);
    EXPECT_TRUE(s.BrakeDelayState.pending);
    EXPECT_EQ(chimes(), 1);  // the face did not change
    EXPECT_FALSE(s.ProtectEmergency);
}

TEST_F(ProtectionCodesTest, StopCodeBringsAnEmergencyThatNoCodeReleases) {
    tick(22, 3);
    EXPECT_TRUE(s.ProtectEmergency);
    EXPECT_FALSE(s.ProtectService);
    tick(24, 0);  // a clear code: the latch goes, the emergency stays
    EXPECT_FALSE(cab.protection.CodeLatch);
    EXPECT_TRUE(s.ProtectEmergency);
    EXPECT_EQ(chimes(), 2);
}

TEST_F(ProtectionCodesTest, CabSignalShowsTheFacesOfTheCodeSignals) {
    const PanelLamps& lamps = cab.lamps;
    tick(37, 0);
    EXPECT_TRUE(lamps.cabSignalLit);
    EXPECT_EQ(lamps.cabSignalPattern, 2);
    tick(12, 0);
    EXPECT_FALSE(lamps.cabSignalLit);
    EXPECT_EQ(chimes(), 2);
    EXPECT_FALSE(s.ProtectService);  // not a code
}

}  // namespace
}  // namespace tovra
