#pragma once

namespace tovra {

class Cab;

// The automatic gear choice, the clutch and the shift, once per logic tick;
// does nothing for an electric vehicle.
void step_gearbox(Cab& cab);

}  // namespace tovra
