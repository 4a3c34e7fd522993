#include "input/Masconupdate.h"
#include "input/PendingDelays.h"
#include "sim/Cab.h"
#include "sim/ProtectionParts.h"

namespace tovra {

namespace {

std::int32_t countdownTicks(const Cab& cab) {
    return cab.vehicle.ATS_Time * 10;
}

}  // namespace

void protectionEmergency(Cab& cab) {
    cab.state.ProtectEmergency = true;
    markBrakePending(cab.state);
    masconupdate(cab);
}

void raiseCheckAlarm(Cab& cab) {
    ProtectionState& p = cab.protection;
    p.AtsAlarm = true;
    p.AtsAck = false;
    p.AtsCounter = countdownTicks(cab);
}

// Types 1 and 2: an alarm left standing brakes after ATS_Time seconds.
void stepAtsCountdown(Cab& cab) {
    ProtectionState& p = cab.protection;
    if (!p.AtsAlarm) return;
    p.AtsCounter += 1;
    if (p.AtsCounter < countdownTicks(cab)) return;
    cab.state.PowerNotch = 0;
    protectionEmergency(cab);
    p.AtsCounter = 0;
}

}  // namespace tovra
