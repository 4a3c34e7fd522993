#pragma once

#include <algorithm>
#include <array>

#include "ports/SoundDevice.h"

namespace tovra {

// The cab's channel operations over the sound device. A channel number
// outside the device's range names no channel: operations on it do nothing
// and it reports not playing.
class SoundChannels {
  public:
    explicit SoundChannels(SoundDevice& device) : device_(device) {}

    void playOnce(int channel) {
        if (valid(channel)) device_.playOnce(channel);
    }
    void playLoop(int channel) {
        if (valid(channel)) device_.playLoop(channel);
    }
    void stop(int channel) {
        if (valid(channel)) device_.stop(channel);
    }
    bool isPlaying(int channel) const { return status(channel) != SoundDevice::Status::NotPlaying; }
    bool isPlayingOnce(int channel) const { return status(channel) == SoundDevice::Status::Once; }
    SoundDevice::Status status(int channel) const {
        return valid(channel) ? device_.status(channel) : SoundDevice::Status::NotPlaying;
    }
    // The channel remembers the volume it was given, within -10000 .. 0.
    void setVolume(int channel, int volume) {
        if (!valid(channel)) return;
        volumes_[std::size_t(channel)] = std::clamp(volume, kSilentVolume, 0);
        device_.setVolume(channel, volumes_[std::size_t(channel)]);
    }
    // The last volume set; 0 (full) until one is set, and for no channel.
    int volume(int channel) const { return valid(channel) ? volumes_[std::size_t(channel)] : 0; }
    void setPitch(int channel, double ratio) {
        if (valid(channel)) device_.setPitch(channel, ratio);
    }

    // The usual restart of a one-shot sound: stop, then play once.
    void restartOnce(int channel) {
        stop(channel);
        playOnce(channel);
    }
    // Start looping unless already playing.
    void loopIfSilent(int channel) {
        if (!isPlaying(channel)) {
            stop(channel);
            playLoop(channel);
        }
    }

    SoundDevice& device() { return device_; }

    static constexpr int kSilentVolume = -10000;

  private:
    static bool valid(int channel) { return channel >= 0 && channel < SoundDevice::kChannelCount; }
    SoundDevice& device_;
    std::array<int, SoundDevice::kChannelCount> volumes_{};
};

}  // namespace tovra
