#pragma once

namespace tovra {

struct MotionState;
struct RouteSpec;
struct TrainState;
struct VehicleSpec;

// Logic tick, step 2 (after compute_brake_force): adhesion, gradient and
// tunnel force, wheel slip and slide, starting and running resistance,
// holding brake, constant speed, standstill, stop instead of reversing and
// the 0.1 s integration of Speed.
void integrate_speed(TrainState& s, MotionState& motion, const VehicleSpec& veh,
                     const RouteSpec& route);

}  // namespace tovra
