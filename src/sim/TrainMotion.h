#pragma once

namespace tovra {

class Cab;

// Logic tick, step 2 (after compute_brake_force): adhesion, gradient and
// tunnel force, wheel slip and slide, starting and running resistance,
// holding brake, constant speed, standstill, stop instead of reversing and
// the 0.1 s integration of Speed.
void integrate_speed(Cab& cab);

}  // namespace tovra
