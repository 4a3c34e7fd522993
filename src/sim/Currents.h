#pragma once

namespace tovra {

class Cab;

// Logic tick, step 5: the motor current and the ammeter, then the electric
// brake current (which shows on the ammeter as a negative value).
void step_currents(Cab& cab);

}  // namespace tovra
