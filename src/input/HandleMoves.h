#pragma once

namespace tovra {

class Cab;

// One movement of the driver's handles, without the master controller update
// that follows it. The character handler moves first and updates once; every
// other input path uses the operations of HandleOperations.h.
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
};

// Returns false when the move was refused as a whole (a power mode change
// with power on, a reverser change while moving); a move that merely meets
// the end of its range counts as done.
bool moveHandle(Cab& cab, HandleMove move);

}  // namespace tovra
