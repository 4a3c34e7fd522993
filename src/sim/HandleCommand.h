#pragma once

#include <cstdint>

namespace tovra {

// A driver's command to the handles, whichever input path gave it.
enum class HandleMove {
    TowardsPower,
    TowardsBrake,
    TowardsBrakeKeypad,  // as TowardsBrake, but lowers the power only at brake release
    PowerUp,
    PowerDown,
    BrakeRelease,
    BrakeApply,
    BrakeEmergency,
    Emergency,
    Neutral,
    NextPowerMode,
    ConstSpeedKey,
    ReverserForward,
    ReverserNeutral,
    ReverserBack,
    SetPowerPosition,  // absolute controllers: position >= 1 within the mode, brake released
    SetBrakePosition,  // absolute controllers: position >= 1, power off
    PowerStep,         // a game controller's power lever alone; step 0 is off
    BrakeStep,         // a game controller's brake lever alone; step 0 is released
    HandlesOff,        // both handles to 0, the holding position as it is
};

struct HandleCommand {
    HandleMove move;
    std::int32_t position = 0;  // the Set*Position and *Step moves
};

}  // namespace tovra
