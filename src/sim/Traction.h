#pragma once

#include "common/Currency.h"
#include "common/Numeric.h"

namespace tovra {

class Cab;
struct NotchRecord;

// Physics tick: adds the tractive force of the effective power notch to
// TractiveForce (which the tick has just set to 0), signed by the reverser.
void compute_traction(Cab& cab);

// The force in N that a notch curve gives a train of massKg at v km/h (v ≥ 0).
Currency notchForce(const NotchRecord& notch, Extended v, Extended massKg);

}  // namespace tovra
