#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "headless/HeadlessRun.h"
#include "cab/KeyInput.h"
#include "support/SilentWave.h"
#include "support/TempDir.h"

namespace tovra::test {

// A cab without data files: a one-lever electric train with eight brake
// steps and four notches, distinct handle texts, running.
struct ControllerFixture : ::testing::Test {
    ControllerFixture() : run(RunChoice{}, 1), cab(run.cab) {
        cab.settings.TickRate = 30;
        cab.start1Click();  // running, keys unlocked
        ProgramSettings& t = cab.settings;
        t.Forward = "前進";
        t.Neutral = "中立";
        t.Reverse = "後退";
        t.Neut = "抜取";
        t.Neut2 = "切";
        t.Apply = "重なり込め";
        t.Maintain = "保ち";
        t.Hold = "重なり";
        t.Hold2 = "抑速";
        t.Remove = "緩め込め";
        t.EB = "非常";
        t.Const = "定速";
        t.Doors = {"左", "右"};
        t.Gears = {"中立", "変速", "直結"};
        VehicleSpec& v = cab.vehicle;
        v.Engine_Type = 1;
        v.Handle = 0;
        v.BrakeType = 1;
        v.Brake = 8;
        v.Power = 4;
        run.sound.setListener([this](const FakeSoundDevice::Operation& op) {
            if (std::string(op.name) == "play_once") playedOnce.push_back(op.channel);
        });
    }

    // A picture of `patterns` patterns of 4 x 4 pixels, in one row.
    void addPatternSprite(const std::string& name, int patterns) {
        auto image = std::make_shared<Image>();
        image->width = 4 * patterns;
        image->height = 4;
        image->pixels.assign(std::size_t(image->width * image->height), 0);
        cab.sprites.add(Picture{name, image, std::nullopt, 4, 4}, 0, 0, 30);
    }

    // A one-second wave in each channel.
    void loadWaves(const std::vector<int>& channels) {
        const auto file = dir.writeBytes("one_second.wav", silentWave(1));
        for (int channel : channels) ASSERT_TRUE(run.sound.load(channel, file));
    }

    // Types each character of `keys` into the cab.
    void type(const std::string& keys) {
        for (char key : keys) AsciiDown(cab, key);
    }

    void clearPending() {
        cab.state.PowerDelayState.pending = false;
        cab.state.BrakeDelayState.pending = false;
        cab.state.SapDelayState.pending = false;
        cab.state.ElecBrakeDelayState.pending = false;
    }

    TempDir dir;
    HeadlessRun run;
    Cab& cab;
    std::vector<int> playedOnce;
};

}  // namespace tovra::test
