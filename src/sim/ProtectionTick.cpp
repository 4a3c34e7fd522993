#include "sim/Cab.h"
#include "sim/Protection.h"
#include "sim/ProtectionParts.h"

namespace tovra {

void step_protection(Cab& cab) {
    const ProtectionState& p = cab.protection;
    const std::int32_t type = cab.vehicle.ATS_Type;
    if (type == 0 && p.AtsOn) stepAtsBell(cab);
    if (type == 1 && p.AtsOn && cab.state.Reverser == 1) stepAtsPattern(cab);
    // The speed codes act whether or not the protection is switched on.
    if (type == 2) stepAtsCodes(cab);
    // Before the countdown, so that an overspeed at a check point brakes in
    // the same tick.
    stepSpeedChecks(cab);
    if ((type == 1 || type == 2) && p.AtsOn) stepAtsCountdown(cab);
    stepRollbackProtection(cab);
    stepVigilance(cab);
    updateApproachTable(cab);
}

}  // namespace tovra
