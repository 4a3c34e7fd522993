#include "sim/ProtectionParts.h"
#include "sim/ProtectionRecords.h"

namespace tovra {

namespace {

constexpr Extended kRollbackSpeed = 7;  // km/h against the reverser

}  // namespace

void stepRollbackProtection(ProtectionRecords& r) {
    TrainState& s = r.state;
    if (r.vehicle.Back != 1 || s.Reverser * s.Speed >= -kRollbackSpeed) return;
    if (!s.ProtectEmergency) r.sound.restartOnce(r.vehicle.Sound_Atc);
    protectionEmergency(r);
}

}  // namespace tovra
