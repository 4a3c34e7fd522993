#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "data/RouteSpec.h"
#include "data/VehicleSpec.h"
#include "ports/ChannelLayout.h"
#include "sim/RouteSoundSeconds.h"

namespace tovra {

class SoundDevice;

// One wave the run loads: the channel it goes to (none for call-outs), its
// place in its list, the file, and the name and key the data file gives it.
struct SoundFile {
    int channel = ChannelLayout::kNoChannel;
    int index = 0;
    std::filesystem::path file;
    std::string name;
    std::string key;
};

// The call-out waves of the device by call-out index; the call-out queue puts
// them into the call-out channel one after another. Empty: no sound.
struct CalloutWaves {
    std::array<std::optional<int>, 500> sounds{};
    std::vector<std::optional<int>> others;  // wayside signs, by their image
    // Loaded with the rest, but no option of the program turns the limit
    // call-outs on, so nothing plays them.
    std::vector<std::optional<int>> limits;
};

ChannelLayout channelLayout(const VehicleSpec& vehicle, const RouteSpec& route);

// The waves of each group in loading order; entries without a file name are
// left out and their channels stay empty.
std::vector<SoundFile> runningSounds(const VehicleSpec& vehicle,
                                     const std::filesystem::path& vehicleDir,
                                     const ChannelLayout& layout);
std::vector<SoundFile> routeSounds(const RouteSpec& route, const std::filesystem::path& dataDir,
                                   const ChannelLayout& layout);
std::vector<SoundFile> motorAndEngineSounds(const VehicleSpec& vehicle,
                                            const std::filesystem::path& vehicleDir,
                                            const ChannelLayout& layout);
// Call-outs 0 to 499, then the other and the limit call-outs.
std::vector<SoundFile> calloutSounds(const RouteSpec& route, const std::filesystem::path& dataDir);

// Reads the wave; throws DataError (the name + "の生成エラー") when it cannot.
int loadWave(SoundDevice& device, const SoundFile& sound);
// Reads the wave into its channel. A channel past the device's last one
// holds nothing and is skipped.
void loadSound(SoundDevice& device, const SoundFile& sound);
CalloutWaves loadCalloutWaves(SoundDevice& device, const RouteSpec& route,
                              const std::filesystem::path& dataDir);

// The last channel the layout needs lies within the device.
bool fitsDevice(const ChannelLayout& layout);

}  // namespace tovra
