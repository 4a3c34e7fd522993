#include "sound/CabSounds.h"

#include "common/DataError.h"
#include "common/DataPath.h"
#include "common/UiText.h"
#include "ports/SoundDevice.h"
#include "sound/DeviceFit.h"

namespace tovra {

namespace {

int count(std::size_t n) {
    return static_cast<int>(n);
}

const std::string& itself(const std::string& name) {
    return name;
}

// The named entries of a list; `channelOf(k)` places entry k.
template <typename Names, typename NameOf, typename ChannelOf>
void appendNamed(std::vector<SoundFile>& out, const Names& names, NameOf nameOf,
                 const std::filesystem::path& folder, const char* key, ChannelOf channelOf) {
    for (std::size_t k = 0; k < names.size(); ++k) {
        const std::string& name = nameOf(names[k]);
        if (name.empty()) continue;
        out.push_back({channelOf(count(k)), count(k), resolveDataPath(folder, name), name, key});
    }
}

int noChannel(int) {
    return ChannelLayout::kNoChannel;
}

std::vector<SoundFile> numberedCallouts(const RouteSpec& route,
                                        const std::filesystem::path& dataDir) {
    std::vector<SoundFile> sounds;
    appendNamed(sounds, route.CalloutSounds, itself, dataDir, "[KankoSound1]", noChannel);
    for (SoundFile& sound : sounds) {
        if (std::size_t(sound.index) >= RouteSpec::kFixedCallouts) sound.key = "[KankoSound2]";
    }
    return sounds;
}

std::vector<SoundFile> namedCallouts(const std::vector<std::string>& names,
                                     const std::filesystem::path& dataDir, const char* key) {
    std::vector<SoundFile> sounds;
    appendNamed(sounds, names, itself, dataDir, key, noChannel);
    return sounds;
}

template <typename Table>
void loadInto(SoundDevice& device, const std::vector<SoundFile>& sounds, Table& table) {
    for (const SoundFile& sound : sounds) table[std::size_t(sound.index)] = loadWave(device, sound);
}

}  // namespace

ChannelLayout channelLayout(const VehicleSpec& vehicle, const RouteSpec& route) {
    return ChannelLayout::of(count(vehicle.DriveSound.size()), count(route.AmbientSounds.size()),
                             count(vehicle.EngineSound1.size()),
                             count(vehicle.EngineSound3.size()));
}

std::vector<SoundFile> runningSounds(const VehicleSpec& vehicle,
                                     const std::filesystem::path& vehicleDir,
                                     const ChannelLayout& layout) {
    std::vector<SoundFile> sounds;
    appendNamed(sounds, vehicle.DriveSound, itself, vehicleDir, "[DriveSound]",
                [&](int k) { return layout.drive + k; });
    return sounds;
}

std::vector<SoundFile> routeSounds(const RouteSpec& route, const std::filesystem::path& dataDir,
                                   const ChannelLayout& layout) {
    std::vector<SoundFile> sounds;
    appendNamed(sounds, route.AmbientSounds, itself, dataDir, "[SoundData]",
                [&](int k) { return layout.routeChannel(k); });
    return sounds;
}

std::vector<SoundFile> motorAndEngineSounds(const VehicleSpec& vehicle,
                                            const std::filesystem::path& vehicleDir,
                                            const ChannelLayout& layout) {
    std::vector<SoundFile> sounds;
    appendNamed(
        sounds, vehicle.EngineSound1, [](const EngineSound1Entry& e) -> auto& { return e.File; },
        vehicleDir, "[EngineSound1]", [&](int k) { return layout.motor + k; });
    appendNamed(
        sounds, vehicle.EngineSound3, [](const EngineSound3Entry& e) -> auto& { return e.File; },
        vehicleDir, "[EngineSound3]", [&](int k) { return layout.engine + k; });
    return sounds;
}

std::vector<SoundFile> calloutSounds(const RouteSpec& route, const std::filesystem::path& dataDir) {
    std::vector<SoundFile> sounds = numberedCallouts(route, dataDir);
    for (const auto& more : {namedCallouts(route.OtherCallouts, dataDir, "[OtherKanko]"),
                             namedCallouts(route.LimitCallouts, dataDir, "[LimitKanko]")}) {
        sounds.insert(sounds.end(), more.begin(), more.end());
    }
    return sounds;
}

int loadWave(SoundDevice& device, const SoundFile& sound) {
    const std::optional<int> wave = device.loadWave(sound.file);
    if (!wave) {
        throw DataError(fillIn(uiText("CabPictures", "%1の生成エラー"), {sound.name}),
                        sound.key + " " + std::to_string(sound.index) + ": " + sound.file.string() +
                            ": not a readable wave file");
    }
    return *wave;
}

void loadSound(SoundDevice& device, const SoundFile& sound) {
    const int wave = loadWave(device, sound);
    if (sound.channel >= 0 && sound.channel < SoundDevice::kChannelCount)
        device.assign(sound.channel, wave);
}

CalloutWaves loadCalloutWaves(SoundDevice& device, const RouteSpec& route,
                              const std::filesystem::path& dataDir) {
    CalloutWaves waves;
    waves.others.resize(route.OtherCallouts.size());
    waves.limits.resize(route.LimitCallouts.size());
    loadInto(device, numberedCallouts(route, dataDir), waves.sounds);
    loadInto(device, namedCallouts(route.OtherCallouts, dataDir, "[OtherKanko]"), waves.others);
    loadInto(device, namedCallouts(route.LimitCallouts, dataDir, "[LimitKanko]"), waves.limits);
    return waves;
}

bool fitsDevice(const ChannelLayout& layout) {
    return layout.message < SoundDevice::kChannelCount;
}

void requireFitsDevice(const ChannelLayout& layout) {
    if (fitsDevice(layout)) return;
    const std::string needed = std::to_string(layout.message + 1);
    const std::string device = std::to_string(SoundDevice::kChannelCount);
    throw DataError("This train and route need " + needed +
                        " sound channels; the sound device has " + device + ".",
                    std::to_string(layout.driveCount) + " running, " +
                        std::to_string(layout.routeCount) + " route, " +
                        std::to_string(layout.motorCount) + " motor and " +
                        std::to_string(layout.engineCount) +
                        " engine sounds, then the call-out and message channels");
}

}  // namespace tovra
