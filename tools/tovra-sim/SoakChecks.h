#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ports/SoundDevice.h"

namespace tovra {
class Cab;
}

namespace tovra::sim {

// Passes every operation on to the device it wraps and keeps the first one
// on a channel the device does not have.
class ChannelGuard : public SoundDevice {
  public:
    void wrap(SoundDevice& device) { device_ = &device; }
    const std::optional<std::string>& breach() const { return breach_; }

    std::optional<int> loadWave(const std::filesystem::path& file) override;
    void assign(int channel, int wave) override;
    void playOnce(int channel) override;
    void playLoop(int channel) override;
    void stop(int channel) override;
    Status status(int channel) const override;
    void setVolume(int channel, int volume) override;
    void setPitch(int channel, double ratio) override;

  private:
    void check(int channel, const char* operation);

    SoundDevice* device_ = nullptr;
    std::optional<std::string> breach_;
};

// What holds after every tick whatever the inputs: every number of the
// train's state finite, no pressure below 0, a speed a train can have.
// The first breach found, described; nothing when all hold.
std::optional<std::string> stateBreach(const Cab& cab);

// The clock moves on with every physics tick.
std::optional<std::string> clockBreach(std::int32_t before, std::int32_t after);

// A reset at rest with the brake at emergency releases the protection brakes.
bool resetApplies(const Cab& cab);
std::optional<std::string> resetBreach(const Cab& cab);

}  // namespace tovra::sim
