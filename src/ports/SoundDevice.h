#pragma once

#include <filesystem>
#include <optional>

namespace tovra {

// The cab's fixed array of sound channels, each holding one wave.
// Operations on a channel without a wave do nothing; it reports NotPlaying.
class SoundDevice {
public:
    enum class Status { NotPlaying = 0, Once = 1, Looped = 2 };
    static constexpr int kChannelCount = 320;

    virtual ~SoundDevice() = default;
    // Reads a wave once, at loading; nothing when it cannot be read. Waves
    // live as long as the device.
    virtual std::optional<int> loadWave(const std::filesystem::path& file) = 0;
    // Puts a loaded wave into a channel (stopping what it played): the
    // call-out channel takes one call-out after another this way.
    virtual void assign(int channel, int wave) = 0;
    // Reads a wave into a channel of its own; false when it cannot be read.
    bool load(int channel, const std::filesystem::path& file) {
        const auto wave = loadWave(file);
        if (wave) assign(channel, *wave);
        return wave.has_value();
    }
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
