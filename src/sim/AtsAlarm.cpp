#include "sim/HandleRules.h"
#include "sim/PendingDelays.h"
#include "sim/ProtectionParts.h"
#include "sim/ProtectionRecords.h"

namespace tovra {

namespace {

std::int32_t countdownTicks(const ProtectionRecords& r) {
    return r.vehicle.ATS_Time * 10;
}

}  // namespace

void protectionEmergency(ProtectionRecords& r) {
    r.state.ProtectEmergency = true;
    markBrakePending(r.state);
    handles_moved_by_train(r.state, r.vehicle);
}

void raiseCheckAlarm(ProtectionRecords& r) {
    ProtectionState& p = r.protection;
    p.AtsAlarm = true;
    p.AtsAck = false;
    p.AtsCounter = countdownTicks(r);
}

// Types 1 and 2: an alarm left standing brakes after ATS_Time seconds.
void stepAtsCountdown(ProtectionRecords& r) {
    ProtectionState& p = r.protection;
    if (!p.AtsAlarm) return;
    p.AtsCounter += 1;
    if (p.AtsCounter < countdownTicks(r)) return;
    r.state.PowerNotch = 0;
    protectionEmergency(r);
    p.AtsCounter = 0;
}

}  // namespace tovra
