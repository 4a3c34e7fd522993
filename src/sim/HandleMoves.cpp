#include "sim/HandleMoves.h"

#include <algorithm>
#include <cmath>

#include "sim/PendingDelays.h"
#include "sim/PowerModes.h"

namespace tovra {

namespace {

// What every move reads and writes.
struct Handles {
    TrainState& state;
    HandleState& extra;
    const VehicleSpec& vehicle;
};

// The next notch of the current mode, or from 0 the first notch of the mode.
void raisePower(Handles hs) {
    std::int32_t& power = hs.state.PowerHandle;
    const std::int32_t mode = hs.extra.PowerMode;
    if (modeOfNotch(hs.vehicle, power + 1) == mode) {
        power += 1;
    } else if (power == 0 && mode > 0) {
        power = firstNotchOf(hs.vehicle, mode);
    }
}

// One notch back within the mode; from the mode's first notch straight to 0.
void lowerPower(Handles hs) {
    std::int32_t& power = hs.state.PowerHandle;
    const std::int32_t mode = hs.extra.PowerMode;
    if (power > 1 && modeOfNotch(hs.vehicle, power - 1) == mode) {
        power -= 1;
    } else if (power > 0 && power == firstNotchOf(hs.vehicle, mode)) {
        power = 0;
    }
}

// One brake step back; with a holding position, reaching 0 engages it.
void releaseBrakeStep(Handles hs) {
    TrainState& s = hs.state;
    s.BrakeHandle += 1;
    if (hs.vehicle.Hold == 1 && s.BrakeHandle == 0) s.HoldBrake = true;
}

// Out of the holding position the lever lands on B1.
void leaveHoldingPosition(Handles hs) {
    TrainState& s = hs.state;
    if (!s.HoldBrake) return;
    s.HoldBrake = false;
    s.BrakeHandle = -1;
    hs.extra.HoldLeft = true;
}

// One brake step further. With a holding position the lever goes from 0 into
// it, and the step that has just left it for B1 stays there.
void applyBrakeStep(Handles hs) {
    TrainState& s = hs.state;
    bool& holdLeft = hs.extra.HoldLeft;
    const std::int32_t hold = hs.vehicle.Hold;
    if (hold == 1 && s.BrakeHandle == 0) s.HoldBrake = true;
    if (hold == 1 && s.BrakeHandle < 0 && !holdLeft) s.BrakeHandle -= 1;
    if (hold == 0) s.BrakeHandle -= 1;
    if (hold == 1 && holdLeft) holdLeft = false;
}

void towardsPower(Handles hs) {
    TrainState& s = hs.state;
    if (s.BrakeHandle == 0 && s.PowerHandle < hs.vehicle.Power && !s.HoldBrake) raisePower(hs);
    s.HoldBrake = false;
    if (s.PowerHandle == 0 && s.BrakeHandle < 0) releaseBrakeStep(hs);
    markAllPending(s);
}

void towardsBrake(Handles hs, bool powerOnlyAtRelease) {
    TrainState& s = hs.state;
    leaveHoldingPosition(hs);
    if (s.PowerHandle == 0 && s.BrakeHandle > 1 - hs.vehicle.Brake && !s.HoldBrake) {
        applyBrakeStep(hs);
    }
    if (!powerOnlyAtRelease || s.BrakeHandle == 0) lowerPower(hs);
    markAllPending(s);
}

bool nextPowerMode(Handles hs) {
    if (hs.state.PowerHandle != 0) return false;
    std::int32_t& mode = hs.extra.PowerMode;
    mode = mode + 1 >= powerModeCount(hs.vehicle) ? 0 : mode + 1;
    hs.state.PowerHandle = 0;
    return true;
}

bool constSpeedKey(Handles hs) {
    TrainState& s = hs.state;
    const VehicleSpec& v = hs.vehicle;
    if (v.ConstNotch != 1 || s.PowerHandle != v.Power || s.Speed < v.ConstMinSpeed ||
        s.ConstSpeed != 0) {
        return false;
    }
    s.ConstSpeed = 1;
    return true;
}

// An absolute controller's power position n >= 1 within the current mode.
std::int32_t powerPosition(Handles hs, std::int32_t n) {
    const std::int32_t mode = hs.extra.PowerMode;
    return firstNotchOf(hs.vehicle, mode) - 1 + std::min(n, notchCountOf(hs.vehicle, mode));
}

bool setReverser(Handles hs, std::int32_t direction) {
    if (std::fabs(hs.state.Speed) > 1) return false;
    hs.state.Reverser = direction;
    return true;
}

}  // namespace

bool applyHandleCommand(TrainState& s, HandleState& h, const VehicleSpec& v,
                        HandleCommand command) {
    const Handles hs{s, h, v};
    switch (command.move) {
        case HandleMove::TowardsPower:
            towardsPower(hs);
            break;
        case HandleMove::TowardsBrake:
            towardsBrake(hs, false);
            break;
        case HandleMove::TowardsBrakeKeypad:
            towardsBrake(hs, true);
            break;
        case HandleMove::PowerUp:
            if (s.PowerHandle < v.Power) raisePower(hs);
            markPowerPending(s);
            break;
        case HandleMove::PowerDown:
            lowerPower(hs);
            markPowerPending(s);
            break;
        case HandleMove::BrakeRelease:
            s.HoldBrake = false;
            if (s.BrakeHandle < 0) releaseBrakeStep(hs);
            markBrakePending(s);
            break;
        case HandleMove::BrakeApply:
            leaveHoldingPosition(hs);
            if (s.BrakeHandle > 1 - v.Brake) applyBrakeStep(hs);
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
            return nextPowerMode(hs);
        case HandleMove::ConstSpeedKey:
            return constSpeedKey(hs);
        case HandleMove::ReverserForward:
            return setReverser(hs, 1);
        case HandleMove::ReverserNeutral:
            return setReverser(hs, 0);
        case HandleMove::ReverserBack:
            return setReverser(hs, -1);
        case HandleMove::SetPowerPosition:
            s.PowerHandle = powerPosition(hs, command.position);
            s.BrakeHandle = 0;
            markAllPending(s);
            break;
        case HandleMove::SetBrakePosition:
            s.PowerHandle = 0;
            s.BrakeHandle = std::max(-command.position, -v.Brake);
            markAllPending(s);
            break;
        case HandleMove::PowerStep:
            s.PowerHandle = command.position == 0 ? 0 : powerPosition(hs, command.position);
            markPowerPending(s);
            break;
        case HandleMove::BrakeStep:
            s.BrakeHandle = std::max(-command.position, -v.Brake);
            markBrakePending(s);
            break;
        case HandleMove::HandlesOff:
            s.PowerHandle = 0;
            s.BrakeHandle = 0;
            markAllPending(s);
            break;
    }
    return true;
}

}  // namespace tovra
