#pragma once

namespace tovra {

class Cab;

namespace stations {

// The door command: opens closed doors of a standing train, starts closing
// open ones.
void Door_operate(Cab& cab);

}  // namespace stations

// The doors finish closing once both door sounds are silent; earlier in the
// logic tick than the station pass.
void complete_door_closing(Cab& cab);
// Open doors start closing above 5 km/h.
void check_door_safety(Cab& cab);

}  // namespace tovra
