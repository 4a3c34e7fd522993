#include "sim/HandleRules.h"

namespace tovra {

void update_const_speed(TrainState& s, const VehicleSpec& v) {
    if (s.ConstSpeed != 0 && (s.BrakeHandle != s.BrakeNotch || s.PowerHandle != s.PowerNotch)) {
        s.ConstSpeed = 0;
        s.PowerNotch = s.PowerHandle;
    }
    // The driver has just stepped back from the notch above ConstNotch and
    // the power delay has not yet run out.
    if (s.Speed >= v.ConstMinSpeed && s.ConstSpeed == 0 && v.ConstNotch > 1 &&
        s.PowerHandle == v.ConstNotch && s.PowerNotch == v.ConstNotch + 1) {
        s.ConstSpeed = 1;
    }
    if (s.ConstSpeed != 0 && (s.ProtectEmergency || s.ProtectService)) {
        s.ConstSpeed = 0;
        s.PowerNotch = s.PowerHandle;
    }
}

void handles_moved_by_train(TrainState& s, const VehicleSpec& v) {
    update_const_speed(s, v);
    s.handleDisplayDue = true;
}

}  // namespace tovra
