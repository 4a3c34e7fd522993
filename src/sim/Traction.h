#pragma once

#include "common/Currency.h"
#include "common/Numeric.h"

namespace tovra {

struct DieselState;
struct NotchRecord;
struct TrainState;
struct VehicleSpec;

// Physics tick: adds the tractive force of the effective power notch to
// TractiveForce (which the tick has just set to 0), signed by the reverser.
void compute_traction(TrainState& s, const VehicleSpec& veh, const DieselState& diesel,
                      bool doorsOpen);

// The force in N that a notch curve gives a train of massKg at v km/h (v ≥ 0).
Currency notchForce(const NotchRecord& notch, Extended v, Extended massKg);

}  // namespace tovra
