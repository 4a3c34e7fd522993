#pragma once

#include <filesystem>

namespace tovra {

// The cab's fixed array of sound channels, each holding one wave.
// Operations on a channel without a wave do nothing; it reports NotPlaying.
class SoundDevice {
public:
    enum class Status { NotPlaying = 0, Once = 1, Looped = 2 };
    static constexpr int kChannelCount = 320;

    virtual ~SoundDevice() = default;
    // Puts the wave of `file` into the channel; false when it cannot be read.
    virtual bool load(int channel, const std::filesystem::path& file) = 0;
    virtual void playOnce(int channel) = 0;  // from the beginning
    virtual void playLoop(int channel) = 0;  // from the beginning
    virtual void stop(int channel) = 0;      // position kept
    virtual Status status(int channel) const = 0;
    // Hundredths of a decibel: -10000 silent .. 0 full.
    virtual void setVolume(int channel, int volume) = 0;
    // Frequency ratio against the wave's own sample rate.
    virtual void setPitch(int channel, double ratio) = 0;
};

}  // namespace tovra
