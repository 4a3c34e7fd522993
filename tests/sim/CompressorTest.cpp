#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/Compressor.h"
#include "sim/ElectricTrain.h"
#include "support/TempDir.h"

namespace tovra {
namespace {

// A one-second silent wave: 8 kHz, 8-bit mono.
std::string silentWave() {
    const auto le32 = [](std::uint32_t v) {
        return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    };
    const std::uint32_t samples = 8000;
    std::string w = "RIFF" + le32(36 + samples) + "WAVEfmt " + le32(16);
    w += std::string{1, 0, 1, 0} + le32(8000) + le32(8000) + std::string{1, 0, 8, 0};
    return w + "data" + le32(samples) + std::string(samples, char(0x80));
}

struct CompressorTest : test::ElectricTrain, ::testing::Test {
    CompressorTest() {
        const auto wave = dir.writeBytes("cp.wav", silentWave());
        for (int ch = 0; ch < 3; ++ch) EXPECT_TRUE(run.sound.load(ch, wave));
        veh.CP_Start = 0;
        veh.CP_Cnt = 1;
        veh.CP_End = 2;
        run.sound.setListener([this](const FakeSoundDevice::Operation& op) {
            played.push_back(std::string(op.name) + " " + std::to_string(op.channel));
        });
    }
    test::TempDir dir;
    std::vector<std::string> played;
};

TEST_F(CompressorTest, RunsFromBelowLowUntilHighAndRestsInBetween) {
    s.MrPress = 790;  // between the two: the compressor stays off
    step_compressor(cab);
    EXPECT_FALSE(cab.traction.CompressorOn);
    EXPECT_EQ(s.MrPress, Currency(790));
    EXPECT_TRUE(played.empty());

    s.MrPress = 779.9L;
    int ticksOn = 0;
    do {
        step_compressor(cab);
        ticksOn += cab.traction.CompressorOn ? 1 : 0;
    } while (cab.traction.CompressorOn && ticksOn < 1000);
    EXPECT_EQ(ticksOn, 334);  // 0.3 kPa a tick: 779.9 + 334 x 0.3 = 880.1
    EXPECT_EQ(s.MrPress, Currency(880.1L));
    EXPECT_EQ(played,
              (std::vector<std::string>{"play_once 0", "play_loop 1", "play_once 2", "stop 1"}));

    // Falling back through the band does not restart it; only below LowAirPress.
    s.MrPress = 780;
    step_compressor(cab);
    EXPECT_FALSE(cab.traction.CompressorOn);
    s.MrPress = 779.9999L;
    step_compressor(cab);
    EXPECT_TRUE(cab.traction.CompressorOn);
}

TEST_F(CompressorTest, DieselChargesWithEngineSpeed) {
    veh.Engine_Type = 0;
    s.EngineRpm = 30;
    s.MrPress = 700;
    step_compressor(cab);
    EXPECT_EQ(s.MrPress, Currency(700.12L));
}

TEST_F(CompressorTest, VoltmeterClimbsToTheLineVoltageInSixTicks) {
    for (int tick = 1; tick <= 5; ++tick) {
        step_compressor(cab);
        EXPECT_EQ(s.VoltmeterValue, Currency(250 * tick));
    }
    step_compressor(cab);
    step_compressor(cab);
    EXPECT_EQ(s.VoltmeterValue, Currency(1500));
    // A gap smaller than a step closes without overshooting.
    s.VoltmeterValue = 1400;
    step_compressor(cab);
    EXPECT_EQ(s.VoltmeterValue, Currency(1500));
}

}  // namespace
}  // namespace tovra
