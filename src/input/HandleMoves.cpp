#include "input/HandleMoves.h"

#include <cmath>

#include "cab/Cab.h"
#include "input/PowerModes.h"
#include "sim/PendingDelays.h"

namespace tovra {

namespace {

// The next notch of the current mode, or from 0 the first notch of the mode.
void raisePower(Cab& cab) {
    std::int32_t& power = cab.state.PowerHandle;
    const std::int32_t mode = cab.controller.PowerMode;
    if (modeOfNotch(cab.vehicle, power + 1) == mode) {
        power += 1;
    } else if (power == 0 && mode > 0) {
        power = firstNotchOf(cab.vehicle, mode);
    }
}

// One notch back within the mode; from the mode's first notch straight to 0.
void lowerPower(Cab& cab) {
    std::int32_t& power = cab.state.PowerHandle;
    const std::int32_t mode = cab.controller.PowerMode;
    if (power > 1 && modeOfNotch(cab.vehicle, power - 1) == mode) {
        power -= 1;
    } else if (power > 0 && power == firstNotchOf(cab.vehicle, mode)) {
        power = 0;
    }
}

// One brake step back; with a holding position, reaching 0 engages it.
void releaseBrakeStep(Cab& cab) {
    TrainState& s = cab.state;
    s.BrakeHandle += 1;
    if (cab.vehicle.Hold == 1 && s.BrakeHandle == 0) s.HoldBrake = true;
}

// Out of the holding position the lever lands on B1.
void leaveHoldingPosition(Cab& cab) {
    TrainState& s = cab.state;
    if (!s.HoldBrake) return;
    s.HoldBrake = false;
    s.BrakeHandle = -1;
    cab.controller.HoldLeft = true;
}

// One brake step further. With a holding position the lever goes from 0 into
// it, and the step that has just left it for B1 stays there.
void applyBrakeStep(Cab& cab) {
    TrainState& s = cab.state;
    bool& holdLeft = cab.controller.HoldLeft;
    const std::int32_t hold = cab.vehicle.Hold;
    if (hold == 1 && s.BrakeHandle == 0) s.HoldBrake = true;
    if (hold == 1 && s.BrakeHandle < 0 && !holdLeft) s.BrakeHandle -= 1;
    if (hold == 0) s.BrakeHandle -= 1;
    if (hold == 1 && holdLeft) holdLeft = false;
}

void towardsPower(Cab& cab) {
    TrainState& s = cab.state;
    if (s.BrakeHandle == 0 && s.PowerHandle < cab.vehicle.Power && !s.HoldBrake) raisePower(cab);
    s.HoldBrake = false;
    if (s.PowerHandle == 0 && s.BrakeHandle < 0) releaseBrakeStep(cab);
    markAllPending(s);
}

void towardsBrake(Cab& cab, bool powerOnlyAtRelease) {
    TrainState& s = cab.state;
    leaveHoldingPosition(cab);
    if (s.PowerHandle == 0 && s.BrakeHandle > 1 - cab.vehicle.Brake && !s.HoldBrake) {
        applyBrakeStep(cab);
    }
    if (!powerOnlyAtRelease || s.BrakeHandle == 0) lowerPower(cab);
    markAllPending(s);
}

bool nextPowerMode(Cab& cab) {
    if (cab.state.PowerHandle != 0) return false;
    std::int32_t& mode = cab.controller.PowerMode;
    mode = mode + 1 >= powerModeCount(cab.vehicle) ? 0 : mode + 1;
    cab.state.PowerHandle = 0;
    return true;
}

bool constSpeedKey(Cab& cab) {
    TrainState& s = cab.state;
    const VehicleSpec& v = cab.vehicle;
    if (v.ConstNotch != 1 || s.PowerHandle != v.Power || s.Speed < v.ConstMinSpeed ||
        s.ConstSpeed != 0) {
        return false;
    }
    s.ConstSpeed = 1;
    cab.controller.MasconText = cab.settings.Const;
    return true;
}

bool setReverser(Cab& cab, std::int32_t direction) {
    if (std::fabs(cab.state.Speed) > 1) return false;
    cab.state.Reverser = direction;
    return true;
}

}  // namespace

bool moveHandle(Cab& cab, HandleMove move) {
    TrainState& s = cab.state;
    const VehicleSpec& v = cab.vehicle;
    switch (move) {
        case HandleMove::TowardsPower:
            towardsPower(cab);
            break;
        case HandleMove::TowardsBrake:
            towardsBrake(cab, false);
            break;
        case HandleMove::TowardsBrakeKeypad:
            towardsBrake(cab, true);
            break;
        case HandleMove::PowerUp:
            if (s.PowerHandle < v.Power) raisePower(cab);
            markPowerPending(s);
            break;
        case HandleMove::PowerDown:
            lowerPower(cab);
            markPowerPending(s);
            break;
        case HandleMove::BrakeRelease:
            s.HoldBrake = false;
            if (s.BrakeHandle < 0) releaseBrakeStep(cab);
            markBrakePending(s);
            break;
        case HandleMove::BrakeApply:
            leaveHoldingPosition(cab);
            if (s.BrakeHandle > 1 - v.Brake) applyBrakeStep(cab);
            markBrakePending(s);
            break;
        case HandleMove::BrakeEmergency:
            s.HoldBrake = false;
            s.BrakeHandle = -v.Brake;
            markBrakePending(s);
            break;
        case HandleMove::Emergency:
            s.HoldBrake = false;
            s.PowerHandle = 0;
            s.BrakeHandle = -v.Brake;
            markAllPending(s);
            break;
        case HandleMove::Neutral:
            s.HoldBrake = false;
            s.PowerHandle = 0;
            s.BrakeHandle = 0;
            markAllPending(s);
            break;
        case HandleMove::NextPowerMode:
            return nextPowerMode(cab);
        case HandleMove::ConstSpeedKey:
            return constSpeedKey(cab);
        case HandleMove::ReverserForward:
            return setReverser(cab, 1);
        case HandleMove::ReverserNeutral:
            return setReverser(cab, 0);
        case HandleMove::ReverserBack:
            return setReverser(cab, -1);
    }
    return true;
}

}  // namespace tovra
