#pragma once

#include <cstdint>

namespace tovra {

struct TractionState;
struct TrainState;
struct VehicleSpec;

// Logic tick, step 5: the motor current and the ammeter, then the electric
// brake current (which shows on the ammeter as a negative value).
void step_currents(TrainState& s, TractionState& traction, const VehicleSpec& veh,
                   std::int32_t tickRate);

}  // namespace tovra
