#pragma once

namespace tovra {

class Cab;

// Physics tick, step 4: the brake pressures of the vehicle's BrakeType
// (the main-reservoir leak of step 5 follows separately).
void step_air_brake(Cab& cab);

}  // namespace tovra
