#include "sim/AirBrake.h"

#include "sim/AirBrakeModels.h"
#include "sim/PhysicsMath.h"
#include "sim/TrainState.h"

namespace tovra {

void stepMotorCylinderService(const AirBrakeTick& t, Extended target) {
    TrainState& s = t.s;
    const Extended p = s.BcPressM;
    const bool electricHolds = s.ElecBrakeCurrent + 10 >= 50 && p >= t.veh.ELBR + 5;
    if (p + 10 < target && (s.ElecBrakeCurrent < 50 || p < t.veh.ELBR))
        s.BcPressM += t.step(t.veh.BrakeUp);
    else if (p > target || electricHolds)
        s.BcPressM -= t.release(t.veh.BrakeDown, p);
}

void clampPressures(TrainState& s) {
    clampAtZero(s.BcPressT);
    clampAtZero(s.BcPressM);
    clampAtZero(s.ErPress);
    clampAtZero(s.BpPress);
    clampAtZero(s.SapPress);
    clampAtZero(s.MrPress);
}

void leak_main_reservoir(TrainState& s, std::int32_t tickRate) {
    s.MrPress -= 0.2L / tickRate;
    clampAtZero(s.MrPress);
}

void step_air_brake(TrainState& s, const VehicleSpec& veh, std::int32_t tickRate) {
    s.ErCeiling = s.MrPress >= 490 ? Extended(490) : Extended(s.MrPress);
    const AirBrakeTick tick{s, veh, Extended(tickRate)};
    switch (veh.BrakeType) {
        case 0:
            stepAutomaticAirBrake(tick);
            break;
        case 1:
            stepElectroPneumaticBrake(tick);
            break;
        case 2:
            stepElectricCommandBrake(tick);
            break;
        default:
            break;
    }
}

}  // namespace tovra
