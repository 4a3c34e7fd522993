#include "sim/HandleDelays.h"

#include <algorithm>

#include "data/VehicleSpec.h"
#include "sim/TrainState.h"

namespace tovra {

namespace {

// A delay the vehicle file gives as 0 completes on the next tick instead of
// never: the counter is compared after it was raised to at least 1.
bool reached(std::int32_t count, std::int32_t delay) {
    return count == std::max(delay, 1);
}

// The brake command as the protection overrides it.
std::int32_t protectedBrakeCommand(const TrainState& s, std::int32_t brake) {
    if (s.ProtectEmergency) return -brake;
    if (s.ProtectService && s.BrakeHandle != -brake) return 1 - brake;
    return s.BrakeHandle;
}

// Counts a pending delay; true when it completes (flag and counter cleared).
template <typename Done>
bool countDelay(HandleDelay& delay, Done done) {
    if (!delay.pending) return false;
    delay.count += 1;
    if (!done(delay.count)) return false;
    delay = HandleDelay{};
    return true;
}

}  // namespace

void step_power_delay(TrainState& s, const VehicleSpec& veh) {
    const std::int32_t delay = veh.PowerDelay;
    if (countDelay(s.PowerDelayState, [delay](std::int32_t n) { return reached(n, delay); })) {
        const std::int32_t mode = s.VideoMode[0];
        if ((mode == 0 || mode == 2) &&
            (s.PowerHandle >= s.PowerNotch || s.PowerHandle >= veh.NotchBack || s.PowerHandle == 0))
            s.PowerNotch = s.PowerHandle;
    }
    s.LastTractiveForce = s.TractiveForce;
}

void step_brake_delays(TrainState& s, const VehicleSpec& veh) {
    const std::int32_t command = protectedBrakeCommand(s, veh.Brake);

    // With air already in the trailer cylinder the brake answers after 70 %.
    const bool charged = s.BcPressT.raw() > 0;
    const std::int32_t brakeDelay = veh.BrakeDelay;
    if (countDelay(s.BrakeDelayState, [&](std::int32_t n) {
            return charged ? n * 10 >= brakeDelay * 7 : reached(n, brakeDelay);
        }))
        s.BrakeNotch = command;

    const std::int32_t sapDelay = veh.SAPDelay;
    if (countDelay(s.SapDelayState, [sapDelay](std::int32_t n) { return reached(n, sapDelay); }))
        s.SapNotch = command;

    const std::int32_t elecDelay = veh.EBrakeDelay;
    if (countDelay(s.ElecBrakeDelayState,
                   [elecDelay](std::int32_t n) { return reached(n, elecDelay); }))
        s.ElecBrakeNotch = command;
}

}  // namespace tovra
