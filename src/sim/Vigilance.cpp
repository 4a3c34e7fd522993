#include "sim/Cab.h"
#include "sim/ProtectionParts.h"

namespace tovra {

namespace {

constexpr std::int32_t kBellAfter = 600;  // logic ticks: 60 s without a control touched
constexpr std::int32_t kBrakeAt = 651;
constexpr Extended kMovingSpeed = 1;  // km/h

// The testing aids switch the device off.
bool deviceOn(const Cab& cab) {
    return cab.vehicle.EB == 1 && !cab.motion.ResistOff && !cab.state.FollowVideoSpeed;
}

}  // namespace

void stepVigilance(Cab& cab) {
    if (!deviceOn(cab)) return;
    std::int32_t& count = cab.controller.vigilanceCount;
    if (cab.state.Speed > kMovingSpeed) count += 1;
    if (count == kBellAfter + 1) {
        cab.sound.restartOnce(cab.vehicle.Sound_EBring);
        showSprite(cab, "img_Lamp_EB", true);
    }
    if (count >= kBrakeAt) {
        cab.sound.stop(cab.vehicle.Sound_EBring);
        count = 0;
        protectionEmergency(cab);
    }
}

}  // namespace tovra
