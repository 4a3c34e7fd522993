#include "input/HandleOperations.h"

#include <algorithm>

#include "cab/Cab.h"
#include "input/HandleMoves.h"
#include "input/Masconupdate.h"
#include "input/PowerModes.h"
#include "sim/PendingDelays.h"

namespace tovra {

namespace {

void operate(Cab& cab, HandleMove move) {
    if (moveHandle(cab, move)) masconupdate(cab);
}

}  // namespace

void TowardsPower(Cab& cab) {
    operate(cab, HandleMove::TowardsPower);
}
void TowardsBrake(Cab& cab) {
    operate(cab, HandleMove::TowardsBrake);
}
void PowerUp(Cab& cab) {
    operate(cab, HandleMove::PowerUp);
}
void PowerDown(Cab& cab) {
    operate(cab, HandleMove::PowerDown);
}
void BrakeRelease(Cab& cab) {
    operate(cab, HandleMove::BrakeRelease);
}
void BrakeApply(Cab& cab) {
    operate(cab, HandleMove::BrakeApply);
}
void BrakeEmergency(Cab& cab) {
    operate(cab, HandleMove::BrakeEmergency);
}
void Emergency(Cab& cab) {
    operate(cab, HandleMove::Emergency);
}
void Neutral(Cab& cab) {
    operate(cab, HandleMove::Neutral);
}
void NextPowerMode(Cab& cab) {
    operate(cab, HandleMove::NextPowerMode);
}
void ConstSpeedKey(Cab& cab) {
    operate(cab, HandleMove::ConstSpeedKey);
}

void SetReverser(Cab& cab, std::int32_t direction) {
    operate(cab, direction > 0   ? HandleMove::ReverserForward
                 : direction < 0 ? HandleMove::ReverserBack
                                 : HandleMove::ReverserNeutral);
}

void SetPowerPosition(Cab& cab, std::int32_t n) {
    const std::int32_t mode = cab.controller.PowerMode;
    cab.state.PowerHandle =
        firstNotchOf(cab.vehicle, mode) - 1 + std::min(n, notchCountOf(cab.vehicle, mode));
    cab.state.BrakeHandle = 0;
    markAllPending(cab.state);
    masconupdate(cab);
}

void SetBrakePosition(Cab& cab, std::int32_t k) {
    cab.state.PowerHandle = 0;
    cab.state.BrakeHandle = std::max(-k, -cab.vehicle.Brake);
    markAllPending(cab.state);
    masconupdate(cab);
}

}  // namespace tovra
