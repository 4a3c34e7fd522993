#pragma once

#include <AL/alc.h>

#include <array>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/WaveFile.h"
#include "ports/SoundDevice.h"

namespace tovra {

// The cab's sound channels on OpenAL Soft: one source per channel, asked of
// the context as mono sources, and one buffer per wave. Without a sound card the mix goes to a
// silent output that still runs in real time, so sounds start, play their length and end as they
// would be heard.
class OpenAlSoundDevice : public SoundDevice {
  public:
    // Throws std::runtime_error only when not even the silent output works.
    OpenAlSoundDevice();
    ~OpenAlSoundDevice() override;
    OpenAlSoundDevice(const OpenAlSoundDevice&) = delete;
    OpenAlSoundDevice& operator=(const OpenAlSoundDevice&) = delete;

    // Why the sound is silent; empty when a real output is playing.
    const std::string& warning() const { return warning_; }

    std::optional<int> loadWave(const std::filesystem::path& file) override;
    // A wave from samples already in memory, such as a movie's sound track.
    std::optional<int> loadSamples(const WaveData& data);
    void assign(int channel, int wave) override;
    void playOnce(int channel) override;
    void playLoop(int channel) override;
    void stop(int channel) override;
    Status status(int channel) const override;
    void setVolume(int channel, int volume) override;
    void setPitch(int channel, double ratio) override;

  private:
    struct Wave {
        unsigned buffer = 0;  // 0 for a wave without samples
        int sampleRate = 0;
    };
    struct Channel {
        unsigned source = 0;
        int sampleRate = 0;  // 0: no wave
        bool looping = false;
    };
    bool createContext(ALCdevice* device, const ALCint* attributes);
    void openSilentOutput();
    void renderSilently();
    // Makes this device's context current: another device may have been made since.
    void select() const;
    Channel* withWave(int channel);
    const Channel* withWave(int channel) const;
    void start(int channel, bool loop);

    ALCdevice* device_ = nullptr;
    ALCcontext* context_ = nullptr;
    std::array<Channel, kChannelCount> channels_{};
    std::vector<Wave> waves_;
    std::string warning_;
    std::atomic<bool> rendering_{false};
    std::thread renderer_;
};

// The sound device of the desktop program and of `tovra-sim run --sound
// openal`: prints the warning on stderr when it falls back to silence.
std::unique_ptr<OpenAlSoundDevice> makeOpenAlSoundDevice();

}  // namespace tovra
