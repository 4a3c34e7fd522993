#include "sim/ProtectionParts.h"
#include "sim/ProtectionRecords.h"

namespace tovra {

namespace {

constexpr std::int32_t kBellAfter = 600;  // logic ticks: 60 s without a control touched
constexpr std::int32_t kBrakeAt = 651;
constexpr Extended kMovingSpeed = 1;  // km/h

// The testing aids switch the device off.
bool deviceOn(const ProtectionRecords& r) {
    return r.vehicle.EB == 1 && !r.motion.ResistOff && !r.state.FollowVideoSpeed;
}

}  // namespace

void stepVigilance(ProtectionRecords& r) {
    if (!deviceOn(r)) return;
    std::int32_t& count = r.protection.vigilanceCount;
    if (r.state.Speed > kMovingSpeed) count += 1;
    if (count == kBellAfter + 1) {
        r.sound.restartOnce(r.vehicle.Sound_EBring);
        r.lamps.emergency = true;
    }
    if (count >= kBrakeAt) {
        r.sound.stop(r.vehicle.Sound_EBring);
        count = 0;
        protectionEmergency(r);
    }
}

}  // namespace tovra
