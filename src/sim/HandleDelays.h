#pragma once

namespace tovra {

struct TrainState;
struct VehicleSpec;

// Physics tick, step 3: the power-handle delay, then the copy of
// TractiveForce into LastTractiveForce for the ammeter.
void step_power_delay(TrainState& s, const VehicleSpec& veh);

// Physics tick, step 6: the brake, straight-air-pipe and electric-brake
// delays, which bring BrakeNotch, SapNotch and ElecBrakeNotch to the handle.
void step_brake_delays(TrainState& s, const VehicleSpec& veh);

}  // namespace tovra
