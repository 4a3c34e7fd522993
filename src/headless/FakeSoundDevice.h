#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "headless/SimClock.h"
#include "ports/SoundDevice.h"

namespace tovra {

// Sound without a sound card: each wave "plays" for its real length on the
// simulated clock, so waiting for an announcement to end behaves as with real
// sound, deterministically. Every operation can be reported to a listener.
class FakeSoundDevice : public SoundDevice {
  public:
    struct Operation {
        double time;
        int channel;
        const char* name;  // "play_once", "play_loop", "stop", "volume", "pitch"
        double value;      // volume or pitch where it applies
    };
    using Listener = std::function<void(const Operation&)>;

    explicit FakeSoundDevice(const SimClock& clock) : clock_(clock) {}
    void setListener(Listener listener) { listener_ = std::move(listener); }

    std::optional<int> loadWave(const std::filesystem::path& file) override;
    void assign(int channel, int wave) override;
    void playOnce(int channel) override;
    void playLoop(int channel) override;
    void stop(int channel) override;
    Status status(int channel) const override;
    void setVolume(int channel, int volume) override;
    void setPitch(int channel, double ratio) override;

    int volume(int channel) const { return valid(channel) ? channels_[channel].volume : 0; }
    double pitch(int channel) const { return valid(channel) ? channels_[channel].pitch : 1.0; }
    double length(int channel) const { return valid(channel) ? channels_[channel].seconds : 0.0; }
    const std::string& fileName(int channel) const;
    // The file a loaded wave was read from; "" for an unknown wave.
    const std::string& waveFile(int wave) const;

  private:
    struct Wave {
        std::string file;
        double seconds = 0;  // at pitch 1
    };
    struct Channel {
        bool loaded = false;
        std::string file;
        double seconds = 0;  // at pitch 1
        Status mode = Status::NotPlaying;
        double startedAt = 0;
        int volume = 0;
        double pitch = 1.0;
    };
    static bool valid(int channel) { return channel >= 0 && channel < kChannelCount; }
    bool usable(int channel) const { return valid(channel) && channels_[channel].loaded; }
    void report(int channel, const char* name, double value = 0) const;

    const SimClock& clock_;
    Listener listener_;
    std::vector<Wave> waves_;
    std::array<Channel, kChannelCount> channels_{};
};

// Playing time of a RIFF wave file in seconds, from its "fmt " and "data"
// chunks; nothing when the file is not a readable wave.
std::optional<double> waveDuration(const std::filesystem::path& file);

}  // namespace tovra
