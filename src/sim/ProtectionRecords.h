#pragma once

#include "data/PatternPoints.h"
#include "data/RouteSpec.h"
#include "data/VehicleSpec.h"
#include "ports/SoundChannels.h"
#include "sim/MotionState.h"
#include "sim/PanelLamps.h"
#include "sim/ProtectionState.h"
#include "sim/StationState.h"
#include "sim/TractionState.h"
#include "sim/TrainState.h"

namespace tovra {

// What the signals and the train protection read and write in a tick. The
// route is written too: its signals carry their aspects at run time.
struct ProtectionRecords {
    TrainState& state;
    ProtectionState& protection;
    StationState& stations;  // the speed checks passed
    PanelLamps& lamps;
    SoundChannels& sound;
    RouteSpec& route;
    const VehicleSpec& vehicle;
    const PatternPoints& patternPoints;
    const MotionState& motion;
    const TractionState& traction;
};

}  // namespace tovra
