#pragma once

#include <cstdint>

namespace tovra {

// The handle state beyond TrainState's handle positions.
struct HandleState {
    std::int32_t PowerMode = 0;  // 0 .. PowerModeCount - 1
    // The lever has just left the holding position for B1; the next step
    // towards brake only clears it.
    bool HoldLeft = false;
};

}  // namespace tovra
