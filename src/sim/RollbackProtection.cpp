#include "sim/Cab.h"
#include "sim/ProtectionParts.h"

namespace tovra {

namespace {

constexpr Extended kRollbackSpeed = 7;  // km/h against the reverser

}  // namespace

void stepRollbackProtection(Cab& cab) {
    TrainState& s = cab.state;
    if (cab.vehicle.Back != 1 || s.Reverser * s.Speed >= -kRollbackSpeed) return;
    if (!s.ProtectEmergency) cab.sound.restartOnce(cab.vehicle.Sound_Atc);
    protectionEmergency(cab);
}

}  // namespace tovra
