#pragma once

#include <cstdint>

#include "common/Numeric.h"

namespace tovra {

// Run-time state of the diesel engine and gearbox. EngineRpm and EngineState
// live in TrainState, which every vehicle shares.
struct DieselState {
    std::int32_t GearActual = 0;  // engaged gear, 0 neutral
    std::int32_t GearLever = 0;   // gear chosen by the lever or the automatic logic
    std::int32_t ShiftState = 0;  // 0 engaged, 1 engaging GearLever, 2 going to neutral
    std::int32_t ShiftTimer = 0;  // logic ticks of the current shift
    Extended EngineRpmTarget = 0;
    std::int32_t EngineKey = 0;       // 0 released, 1 start held, 2 stop held
    std::int32_t EngineKeyTicks = 0;  // logic ticks the key has been held
};

}  // namespace tovra
