#pragma once

#include "sim/MotionState.h"
#include "sim/TrainState.h"

namespace tovra {

// Logic tick, step 3: SpeedText and RemainText from Speed and RemainDistance.
void update_motion_texts(MotionState& motion, const TrainState& s);

}  // namespace tovra
