#pragma once

namespace tovra {

struct VehicleSpec;

// Whether the doors allow traction and the motor and electric-brake currents:
// always with DoorLock 0, with DoorLock 1 only while the doors are closed,
// never with any other DoorLock value.
bool doorInterlockPasses(const VehicleSpec& vehicle, bool doorsOpen);

}  // namespace tovra
