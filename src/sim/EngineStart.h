#pragma once

#include "data/VehicleSpec.h"
#include "ports/SoundChannels.h"
#include "sim/DieselState.h"
#include "sim/TrainState.h"

namespace tovra {

// The engine start/stop sequence and the stall, once per logic tick; does
// nothing for an electric vehicle. The keys only set DieselState::EngineKey
// (F2: 1, Shift+F2: 2, its release: 0); how long it is held counts here.
void step_engine_key(DieselState& diesel, TrainState& state, SoundChannels& sound,
                     const VehicleSpec& vehicle);

}  // namespace tovra
