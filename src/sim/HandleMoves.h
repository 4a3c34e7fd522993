#pragma once

#include "data/VehicleSpec.h"
#include "sim/HandleCommand.h"
#include "sim/HandleState.h"
#include "sim/TrainState.h"

namespace tovra {

// One handle command: moves the handles and marks the delays it concerns
// pending, without the master controller update that follows it. Returns
// false when the command was refused as a whole (a power mode change with
// power on, a reverser change while moving, constant speed not available);
// a move that merely meets the end of its range counts as done.
bool applyHandleCommand(TrainState& s, HandleState& h, const VehicleSpec& v, HandleCommand command);

}  // namespace tovra
