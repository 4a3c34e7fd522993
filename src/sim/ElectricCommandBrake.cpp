#include <cmath>

#include "sim/AirBrakeModels.h"

namespace tovra {

namespace {

void service(const AirBrakeTick& t, std::int32_t brake) {
    TrainState& s = t.s;
    const Extended target = Extended(t.veh.MAXPress) / brake * -s.BrakeNotch;
    if (s.BcPressT + 10 < target) {
        s.BcPressT += t.release(t.veh.BrakeUp, std::fabs(s.BcPressT - target));
        s.MrPress -= t.step(t.veh.BrakeUp) / 30;
    } else if (s.BcPressT > target) {
        s.BcPressT -= t.release(t.veh.BrakeDown, s.BcPressT, 2.0L);
    }
    stepMotorCylinderService(t, target);
}

void emergency(const AirBrakeTick& t) {
    const Extended fill = t.step(t.veh.BrakeUp) * 1.3L;
    for (Currency* p : {&t.s.BcPressT, &t.s.BcPressM})
        if (*p < t.veh.EBPress) *p += fill;
}

void release(const AirBrakeTick& t) {
    for (Currency* p : {&t.s.BcPressT, &t.s.BcPressM})
        if (*p > 0) *p -= t.release(t.veh.BrakeDown, *p);
}

}  // namespace

void stepElectricCommandBrake(const AirBrakeTick& t) {
    const std::int32_t brake = t.veh.Brake;
    const std::int32_t notch = t.s.BrakeNotch;
    if (-brake < notch && notch < 0)
        service(t, brake);
    else if (notch == -brake)
        emergency(t);
    else if (notch == 0)
        release(t);
    clampPressures(t.s);
}

}  // namespace tovra
