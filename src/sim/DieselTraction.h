#pragma once

namespace tovra {

struct DieselState;
struct TrainState;
struct VehicleSpec;

// Adds the engaged gear's tractive force to TractiveForce, before the
// reverser is applied. Called by compute_traction for a diesel railcar once
// the common traction conditions (speed limit, doors, engine running,
// protection) have passed.
void compute_diesel_traction(TrainState& s, const VehicleSpec& vehicle, const DieselState& diesel);

}  // namespace tovra
