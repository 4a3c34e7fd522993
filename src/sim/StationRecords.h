#pragma once

#include <random>

#include "common/Numeric.h"
#include "data/ProgramSettings.h"
#include "data/RouteSpec.h"
#include "data/VehicleSpec.h"
#include "ports/ChannelLayout.h"
#include "ports/SoundChannels.h"
#include "sim/CalloutRequests.h"
#include "sim/PanelLamps.h"
#include "sim/RouteSoundSeconds.h"
#include "sim/StationState.h"
#include "sim/TractionState.h"
#include "sim/TrainState.h"

namespace tovra {

// What the stations, the doors and the announcements read and write in a
// tick.
struct StationRecords {
    StationState& stations;
    TractionState& traction;  // the doors
    PanelLamps& lamps;
    SoundChannels& sound;
    CalloutRequests& callouts;
    std::mt19937& random;
    Extended& NextStopPosition;  // cm
    const TrainState& state;
    const RouteSpec& route;
    const VehicleSpec& vehicle;
    const ProgramSettings& settings;
    const ChannelLayout& channels;
    const RouteSoundSeconds& routeSoundSeconds;
};

}  // namespace tovra
