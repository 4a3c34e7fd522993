#pragma once

namespace tovra {

class Cab;

// Adds the engaged gear's tractive force to TractiveForce, before the
// reverser is applied. Called by compute_traction for a diesel railcar once
// the common traction conditions (speed limit, doors, engine running,
// protection) have passed.
void compute_diesel_traction(Cab& cab);

}  // namespace tovra
