#pragma once

#include <cstdint>
#include <vector>

#include "common/Numeric.h"

namespace tovra {

// The kinds of target point the train protection brakes towards.
enum PatternKind : std::int32_t {
    kPatternSpeedCheck = 1,
    kPatternStopSignal = 2,
    kPatternStationStop = 3,
};

// One target point of the train protection. `index` names the signal (stop
// signal), the "[SpeedLimit]" entry, or the station (station stop).
struct PatternPoint {
    Extended position = 0;   // cm
    std::int32_t speed = 0;  // km/h
    std::int32_t index = 0;
    std::int32_t kind = 0;  // a PatternKind, or whatever a "[SpeedLimit]" entry names
};

// Sorted by position; points at equal positions keep the order they were made in.
using PatternPoints = std::vector<PatternPoint>;

}  // namespace tovra
