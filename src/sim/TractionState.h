#pragma once

#include <cstdint>

namespace tovra {

// Run-time state of traction, air brake, compressor and currents beyond the
// core fields of TrainState.
struct TractionState {
    std::int32_t PowerStep = 0;      // current row of the resistor-step table
    std::int32_t ElecBrakeStep = 0;  // current row of the electric-brake step table
    bool CompressorOn = false;
    // The doors are open (also while closing). Written by the door work; the
    // door interlock of traction and currents reads it.
    bool doorsOpen = false;
};

}  // namespace tovra
