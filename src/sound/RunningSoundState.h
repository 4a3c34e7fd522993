#pragma once

#include <array>
#include <cstdint>

#include "common/Numeric.h"
#include "data/RouteSpec.h"
#include "data/VehicleSpec.h"
#include "ports/SoundDevice.h"

namespace tovra {

// Current gain and activity of one motor or engine sound entry (0..100).
struct EngineSoundLevel {
    Extended level = 0;
    Extended activity = 0;
};

// Run-time state of the running, motor, engine and wayside sounds. Every
// table has the fixed size of what it follows, so ticks never allocate.
struct RunningSoundState {
    // Gains in percent of the two running channels now cross-fading.
    Extended g1 = 0;
    Extended g2 = 0;

    std::array<EngineSoundLevel, VehicleSpec::kEngineSoundCapacity> engineSound1{};
    std::array<EngineSoundLevel, VehicleSpec::kEngineSoundCapacity> engineSound3{};
    Extended groupFactor1 = 0;  // the [EngineSound1] group
    Extended groupFactor3 = 0;  // the [EngineSound3] group
    // Logic ticks since a door-closing command; 0 while the doors are closed.
    std::int32_t doorClosingTicks = 0;

    std::int32_t hornStart = 0;  // clock of the last sound of the held horn
    bool hornBlowing = false;    // held with air in the main reservoir

    // Per "[Sound]" zone: started in this run. Per "[Switch]": sounded.
    std::array<bool, RouteSpec::kSoundZoneCapacity> soundZonePlayed{};
    std::array<bool, RouteSpec::kSwitchCapacity> pointsSounded{};

    // What each channel was doing when the run was paused: 0 silent, 1 once,
    // 2 looped.
    std::array<SoundDevice::Status, SoundDevice::kChannelCount> pausedChannels{};
};

}  // namespace tovra
