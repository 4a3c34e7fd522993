#pragma once

#include "data/VehicleSpec.h"
#include "sim/TrainState.h"

namespace tovra {

// Constant speed: left when a handle leaves its notch or the protection
// brakes, entered when the driver steps back from the notch above ConstNotch
// before the power delay has run out.
void update_const_speed(TrainState& s, const VehicleSpec& v);

// The train itself moved a handle (the protection, the gearbox): the train's
// rules apply at once, and the handle texts and lamps follow in the tick.
void handles_moved_by_train(TrainState& s, const VehicleSpec& v);

}  // namespace tovra
