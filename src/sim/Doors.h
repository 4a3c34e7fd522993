#pragma once

#include "sim/StationRecords.h"

namespace tovra {

namespace stations {

// The door command: opens closed doors of a standing train, starts closing
// open ones.
void Door_operate(StationRecords& r);

}  // namespace stations

// The doors finish closing once both door sounds are silent; earlier in the
// logic tick than the station pass.
void complete_door_closing(StationRecords& r);
// Open doors start closing above 5 km/h.
void check_door_safety(StationRecords& r);

}  // namespace tovra
