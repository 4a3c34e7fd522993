#pragma once

#include "data/VehicleSpec.h"
#include "sim/DieselState.h"
#include "sim/PanelLamps.h"
#include "sim/TrainState.h"

namespace tovra {

// The automatic gear choice, the clutch and the shift, once per logic tick;
// does nothing for an electric vehicle.
void step_gearbox(DieselState& d, TrainState& s, PanelLamps& lamps, const VehicleSpec& v,
                  bool doorsOpen);

}  // namespace tovra
