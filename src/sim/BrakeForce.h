#pragma once

#include "common/Currency.h"
#include "common/Numeric.h"

namespace tovra {

struct TrainState;
struct VehicleSpec;

// Logic tick, step 2 (before the motion): FrictionFactor and BrakeForce, and
// the brake force taken off TractiveForce against the direction of running.
void compute_brake_force(TrainState& s, const VehicleSpec& veh);

// The brake friction factor at v km/h (v ≥ 0).
Currency frictionFactor(const VehicleSpec& veh, Extended v);

}  // namespace tovra
