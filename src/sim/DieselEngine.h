#pragma once

namespace tovra {

struct DieselState;
struct TrainState;
struct VehicleSpec;

// Engine speed, once per physics tick; does nothing for an electric vehicle.
void step_engine_speed(TrainState& s, DieselState& d, const VehicleSpec& vehicle);

}  // namespace tovra
