#include <gtest/gtest.h>

#include <sndfile.h>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "SoundFiles.h"
#include "platform/OpenAlSoundDevice.h"

namespace tovra {
namespace {

using Status = SoundDevice::Status;

bool waitUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

class OpenAlSoundDeviceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        output_.setAvailable(true);
        test::writeTone(tone_, SF_FORMAT_PCM_16, 22050, 1, 1.0, 440, 0.5);
    }

    // Plays the tone once through the wave writer and measures what was mixed.
    test::Burst mixOnce(int volume, double pitch) {
        {
            OpenAlSoundDevice device;
            EXPECT_EQ(device.warning(), "");
            EXPECT_TRUE(device.load(17, tone_));
            device.setVolume(17, volume);
            device.setPitch(17, pitch);
            device.playOnce(17);
            EXPECT_EQ(device.status(17), Status::Once);
            EXPECT_TRUE(waitUntil([&] { return device.status(17) == Status::NotPlaying; }));
        }  // closing the device completes the file
        return test::measureBurst(output_.mixFile());
    }

    const test::WaveOutput& output_ = test::WaveOutput::instance();
    test::TempDir dir_;
    std::filesystem::path tone_ = dir_ / "tone.wav";
};

TEST_F(OpenAlSoundDeviceTest, PitchIsAFrequencyRatio) {
    const test::Burst plain = mixOnce(0, 1.0);
    EXPECT_NEAR(plain.frequency, 440, 1);
    EXPECT_NEAR(plain.seconds, 1.0, 0.02);

    const test::Burst doubled = mixOnce(0, 2.0);
    EXPECT_NEAR(doubled.frequency, 880, 2);
    EXPECT_NEAR(doubled.seconds, 0.5, 0.02);
}

TEST_F(OpenAlSoundDeviceTest, VolumeIsInHundredthsOfADecibel) {
    const test::Burst full = mixOnce(0, 1.0);
    EXPECT_NEAR(full.amplitude, 0.5, 0.02);
    const test::Burst half = mixOnce(-602, 1.0);
    EXPECT_NEAR(half.amplitude / full.amplitude, 0.5, 0.01);
    const test::Burst tenth = mixOnce(-2000, 1.0);
    EXPECT_NEAR(tenth.amplitude / full.amplitude, 0.1, 0.005);
    EXPECT_EQ(mixOnce(-10000, 1.0).amplitude, 0.0);
}

TEST_F(OpenAlSoundDeviceTest, AllChannelsPlayAtOnce) {
    OpenAlSoundDevice device;
    const auto wave = device.loadWave(tone_);
    ASSERT_TRUE(wave);
    for (int c = 0; c < SoundDevice::kChannelCount; ++c) {
        device.assign(c, *wave);
        device.setVolume(c, -4000);
        device.setPitch(c, 0.5 + c / 400.0);
        device.playLoop(c);
    }
    for (int c = 0; c < SoundDevice::kChannelCount; ++c)
        ASSERT_EQ(device.status(c), Status::Looped) << c;
    for (int c = 0; c < SoundDevice::kChannelCount; c += 2) device.stop(c);
    for (int c = 0; c < SoundDevice::kChannelCount; ++c)
        EXPECT_EQ(device.status(c), c % 2 ? Status::Looped : Status::NotPlaying) << c;
    device.playOnce(0);
    EXPECT_EQ(device.status(0), Status::Once);
}

TEST_F(OpenAlSoundDeviceTest, AssigningAWaveStopsTheChannel) {
    OpenAlSoundDevice device;
    const auto first = device.loadWave(tone_);
    const auto second = device.loadWave(tone_);
    ASSERT_TRUE(first && second);
    EXPECT_NE(*first, *second);
    device.assign(9, *first);
    device.playLoop(9);
    ASSERT_EQ(device.status(9), Status::Looped);
    device.assign(9, *second);
    EXPECT_EQ(device.status(9), Status::NotPlaying);
    device.playOnce(9);
    EXPECT_EQ(device.status(9), Status::Once);
    device.assign(9, *second + 1);  // no such wave: the channel keeps its own
    EXPECT_EQ(device.status(9), Status::Once);
}

// As when a new cab window's device is made before the old one is released.
TEST_F(OpenAlSoundDeviceTest, DevicesDoNotDisturbEachOther) {
    auto old = std::make_unique<OpenAlSoundDevice>();
    ASSERT_TRUE(old->load(1, tone_));
    old->playLoop(1);
    OpenAlSoundDevice current;
    ASSERT_TRUE(current.load(1, tone_));
    EXPECT_EQ(current.status(1), Status::NotPlaying);
    EXPECT_EQ(old->status(1), Status::Looped);
    old.reset();
    current.playLoop(1);
    EXPECT_EQ(current.status(1), Status::Looped);
    current.stop(1);
    EXPECT_EQ(current.status(1), Status::NotPlaying);
}

TEST_F(OpenAlSoundDeviceTest, ChannelsWithoutAWaveDoNothing) {
    OpenAlSoundDevice device;
    device.playLoop(5);
    device.setVolume(5, -100);
    device.setPitch(5, 1.5);
    EXPECT_EQ(device.status(5), Status::NotPlaying);

    EXPECT_FALSE(device.load(6, dir_ / "missing.wav"));
    EXPECT_FALSE(device.load(6, dir_.writeBytes("text.wav", "RIFF\x10\0\0\0WAVEnot really")));
    device.playOnce(6);
    EXPECT_EQ(device.status(6), Status::NotPlaying);

    for (const int outside : {-1, SoundDevice::kChannelCount}) {
        device.load(outside, tone_);
        device.playLoop(outside);
        EXPECT_EQ(device.status(outside), Status::NotPlaying);
    }
}

TEST_F(OpenAlSoundDeviceTest, RunsSilentlyWithoutAnOutput) {
    output_.setAvailable(false);
    test::writeTone(dir_ / "short.wav", SF_FORMAT_PCM_U8, 11025, 1, 0.2, 440, 0.5);
    testing::internal::CaptureStderr();
    const auto device = makeOpenAlSoundDevice();
    const std::string printed = testing::internal::GetCapturedStderr();
    output_.setAvailable(true);

    EXPECT_NE(
        printed.find("tovra: no sound output could be opened; the run goes on without sound\n"),
        std::string::npos)
        << printed;
    ASSERT_TRUE(device->load(0, dir_ / "short.wav"));
    device->playOnce(0);
    EXPECT_EQ(device->status(0), Status::Once);
    // The silent output still mixes in real time: the sound ends.
    EXPECT_TRUE(waitUntil([&] { return device->status(0) == Status::NotPlaying; }));
    device->playLoop(0);
    EXPECT_EQ(device->status(0), Status::Looped);
    device->stop(0);
    EXPECT_EQ(device->status(0), Status::NotPlaying);
}

}  // namespace
}  // namespace tovra
