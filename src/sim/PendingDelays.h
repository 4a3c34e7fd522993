#pragma once

#include "sim/TrainState.h"

namespace tovra {

// A handle movement starts the delays after which the effective notches follow.
inline void markPowerPending(TrainState& s) {
    s.PowerDelayState.pending = true;
}

// The brake, straight-air-pipe and electric-brake delays.
inline void markBrakePending(TrainState& s) {
    s.BrakeDelayState.pending = true;
    s.SapDelayState.pending = true;
    s.ElecBrakeDelayState.pending = true;
}

inline void markAllPending(TrainState& s) {
    markPowerPending(s);
    markBrakePending(s);
}

}  // namespace tovra
