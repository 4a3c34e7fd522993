#pragma once

#include "common/Numeric.h"
#include "sim/PhysicsMath.h"
#include "sim/TrainState.h"

namespace tovra {

// The held horn blows the main reservoir's air: 0.5 kPa every logic tick.
inline void use_horn_air(TrainState& s) {
    constexpr Extended kHornAirPerTick = 0.5L;
    s.MrPress -= kHornAirPerTick;
    clampAtZero(s.MrPress);
}

}  // namespace tovra
