#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "headless/FakeSoundDevice.h"
#include "ports/SoundChannels.h"
#include "sim/Compressor.h"
#include "sim/ElectricTrain.h"
#include "support/SilentWave.h"
#include "support/TempDir.h"

namespace tovra {
namespace {

struct CompressorTest : test::ElectricTrain, ::testing::Test {
    CompressorTest() {
        const auto wave = dir.writeBytes("cp.wav", test::silentWave(1, 8000));
        for (int ch = 0; ch < 3; ++ch) EXPECT_TRUE(device.load(ch, wave));
        veh.CP_Start = 0;
        veh.CP_Cnt = 1;
        veh.CP_End = 2;
        device.setListener([this](const FakeSoundDevice::Operation& op) {
            played.push_back(std::string(op.name) + " " + std::to_string(op.channel));
        });
    }
    test::TempDir dir;
    SimClock clock;
    FakeSoundDevice device{clock};
    SoundChannels sound{device};
    std::vector<std::string> played;
};

TEST_F(CompressorTest, RunsFromBelowLowUntilHighAndRestsInBetween) {
    s.MrPress = 790;  // between the two: the compressor stays off
    step_compressor(train.state, train.traction, train.vehicle, sound);
    EXPECT_FALSE(train.traction.CompressorOn);
    EXPECT_EQ(s.MrPress, Currency(790));
    EXPECT_TRUE(played.empty());

    s.MrPress = 779.9L;
    int ticksOn = 0;
    do {
        step_compressor(train.state, train.traction, train.vehicle, sound);
        ticksOn += train.traction.CompressorOn ? 1 : 0;
    } while (train.traction.CompressorOn && ticksOn < 1000);
    EXPECT_EQ(ticksOn, 334);  // 0.3 kPa a tick: 779.9 + 334 x 0.3 = 880.1
    EXPECT_EQ(s.MrPress, Currency(880.1L));
    EXPECT_EQ(played,
              (std::vector<std::string>{"play_once 0", "play_loop 1", "play_once 2", "stop 1"}));

    // Falling back through the band does not restart it; only below LowAirPress.
    s.MrPress = 780;
    step_compressor(train.state, train.traction, train.vehicle, sound);
    EXPECT_FALSE(train.traction.CompressorOn);
    s.MrPress = 779.9999L;
    step_compressor(train.state, train.traction, train.vehicle, sound);
    EXPECT_TRUE(train.traction.CompressorOn);
}

TEST_F(CompressorTest, DieselChargesWithEngineSpeed) {
    veh.Engine_Type = 0;
    s.EngineRpm = 30;
    s.MrPress = 700;
    step_compressor(train.state, train.traction, train.vehicle, sound);
    EXPECT_EQ(s.MrPress, Currency(700.12L));
}

TEST_F(CompressorTest, VoltmeterClimbsToTheLineVoltageInSixTicks) {
    for (int tick = 1; tick <= 5; ++tick) {
        step_compressor(train.state, train.traction, train.vehicle, sound);
        EXPECT_EQ(s.VoltmeterValue, Currency(250 * tick));
    }
    step_compressor(train.state, train.traction, train.vehicle, sound);
    step_compressor(train.state, train.traction, train.vehicle, sound);
    EXPECT_EQ(s.VoltmeterValue, Currency(1500));
    // A gap smaller than a step closes without overshooting.
    s.VoltmeterValue = 1400;
    step_compressor(train.state, train.traction, train.vehicle, sound);
    EXPECT_EQ(s.VoltmeterValue, Currency(1500));
}

}  // namespace
}  // namespace tovra
