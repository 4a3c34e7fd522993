#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cab/SoundSteps.h"
#include "headless/HeadlessRun.h"
#include "sound/RunningSounds.h"
#include "support/SilentWave.h"
#include "support/TempDir.h"

namespace tovra::test {

// A cab without data files whose channels hold short waves; ticks move the
// simulated time and the cab's clock together.
struct SoundFixture : ::testing::Test {
    SoundFixture() : run(RunChoice{}, 1), cab(run.cab) {
        cab.settings.TickRate = 30;
        cab.channels = ChannelLayout::of(40, 20, 4, 4);
        run.sound.setListener([this](const FakeSoundDevice::Operation& op) {
            if (std::string(op.name) == "play_once") playedOnce.push_back(op.channel);
        });
    }

    // A silent 8-bit mono wave of `seconds` in each channel.
    void loadWaves(const std::vector<int>& channels, double seconds = 1.0) {
        const unsigned bytes = unsigned(22050 * seconds);
        const auto file =
            dir.writeBytes("wave" + std::to_string(bytes) + ".wav", silentWave(seconds));
        for (int channel : channels) ASSERT_TRUE(run.sound.load(channel, file));
    }

    // One logic tick of simulated time: three physics periods.
    void advance() {
        for (int i = 0; i < 3; ++i) run.clock.advance();
        cab.state.Clock += 3;
        cab.state.LogicTickCount += 1;
    }

    bool looping(int channel) const {
        return run.sound.status(channel) == SoundDevice::Status::Looped;
    }

    TempDir dir;
    HeadlessRun run;
    Cab& cab;
    std::vector<int> playedOnce;
};

}  // namespace tovra::test
