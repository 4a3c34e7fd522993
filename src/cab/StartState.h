#pragma once

#include <cstdint>

#include "data/RouteSpec.h"
#include "data/VehicleSpec.h"
#include "sound/CabSounds.h"

namespace tovra {

class Cab;

// The station record at `index`; an index outside the table reads as the
// empty record.
const StationRecord& stationAt(const RouteSpec& route, std::int32_t index);

// The clock a run starts with: the start station's departure less the
// length of its departure melody and, from any station after the first,
// less its arrival sound as well.
std::int32_t startClock(const RouteSpec& route, const RouteSoundSeconds& seconds,
                        std::int32_t startStation);

// The train standing at the start station: doors, handles at emergency,
// texts, the preceding train, and the master controller updated.
void setStartState(Cab& cab, std::int32_t startStation, std::int32_t crewChangeStation);

// A notched brake needs at least three service steps; throws DataError.
void checkBrakeSteps(const VehicleSpec& vehicle);

// A clock value in ticks, kept within the clock's range.
std::int32_t clampToClock(std::int64_t ticks);

// The crew texts: the train's length while a conductor is aboard.
void setCrewTexts(Cab& cab);

// Marks the "[SpeedCheck1]" entries behind the train as passed.
void markPassedSpeedChecks(Cab& cab);

// The train at the start station's stop position, the speed checks behind
// it passed, the wayside run state cleared and the text band placed.
void placeTrainAtStart(Cab& cab);

}  // namespace tovra
