#pragma once

#include <cstdint>

namespace tovra {

struct TrainState;
struct VehicleSpec;

// Physics tick, step 4: the brake pressures of the vehicle's BrakeType
// (the main-reservoir leak of step 5 follows separately).
void step_air_brake(TrainState& s, const VehicleSpec& veh, std::int32_t tickRate);
// Physics tick, step 5: the main reservoir leaks 0.2 kPa a second, down to
// empty and no further.
void leak_main_reservoir(TrainState& s, std::int32_t tickRate);

}  // namespace tovra
