#include "sim/Protection.h"
#include "sim/ProtectionParts.h"
#include "sim/ProtectionRecords.h"

namespace tovra {

void step_protection(ProtectionRecords& r) {
    const ProtectionState& p = r.protection;
    const std::int32_t type = r.vehicle.ATS_Type;
    if (type == 0 && p.AtsOn) stepAtsBell(r);
    if (type == 1 && p.AtsOn && r.state.Reverser == 1) stepAtsPattern(r);
    // The speed codes act whether or not the protection is switched on.
    if (type == 2) stepAtsCodes(r);
    // Before the countdown, so that an overspeed at a check point brakes in
    // the same tick.
    stepSpeedChecks(r);
    if ((type == 1 || type == 2) && p.AtsOn) stepAtsCountdown(r);
    stepRollbackProtection(r);
    stepVigilance(r);
    updateApproachTable(r);
}

}  // namespace tovra
