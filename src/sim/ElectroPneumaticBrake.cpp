#include "sim/AirBrakeModels.h"

namespace tovra {

namespace {

void straightAirPipe(const AirBrakeTick& t, std::int32_t brake) {
    TrainState& s = t.s;
    if (!(-brake < s.SapNotch && s.SapNotch < 0)) return;
    const Extended target = Extended(t.veh.SAPPress) / (brake - 1) * -s.SapNotch;
    if (s.SapPress + 10 < target)
        s.SapPress += t.step(t.veh.SAPUp);
    else if (s.SapPress > target)
        s.SapPress -= t.step(t.veh.SAPDown);
}

void service(const AirBrakeTick& t, std::int32_t brake) {
    TrainState& s = t.s;
    const Extended maxPress = t.veh.MAXPress;
    const Extended target = maxPress / (brake - 1) * -s.BrakeNotch;
    if (s.BcPressT + 10 < target) {
        s.BcPressT += t.step(t.veh.BrakeUp);
        s.MrPress -= t.step(t.veh.BrakeUp) / 10;
    } else if (s.BcPressT > target && s.BpPress >= maxPress - maxPress / brake) {
        s.BcPressT -= t.release(t.veh.BrakeDown, s.BcPressT);
    }
    stepMotorCylinderService(t, target);
}

void emergency(const AirBrakeTick& t) {
    TrainState& s = t.s;
    const Extended fill = t.step(t.veh.BrakeUp) * 3;
    if (s.BcPressT < t.veh.EBPress) {
        s.BcPressT += fill;
        s.MrPress -= t.step(t.veh.BrakeUp) / 5;
    }
    if (s.BcPressM < t.veh.EBPress) s.BcPressM += fill;
    const Extended perThirdTick = t.T / 3;
    s.ErPress -= t.veh.BrakeUp / perThirdTick;
    s.SapPress -= t.veh.SAPUp / perThirdTick;
    s.BpPress -= t.veh.BrakeUp / perThirdTick;
}

// The cylinders release only once the equalising reservoir has recharged.
void release(const AirBrakeTick& t, std::int32_t brake) {
    TrainState& s = t.s;
    const Extended ebPress = t.veh.EBPress;
    if (s.ErPress < ebPress - ebPress / brake) return;
    if (s.BcPressT > 0 || s.SapPress > 0) {
        s.BcPressT -= t.release(t.veh.BrakeDown, s.BcPressT);
        s.SapPress -= t.release(t.veh.SAPDown, s.SapPress);
    }
    if (s.BcPressM > 0) s.BcPressM -= t.release(t.veh.BrakeDown, s.BcPressM);
}

void recharge(const AirBrakeTick& t) {
    TrainState& s = t.s;
    const Extended step = t.step(t.veh.BrakeDown) / 5;
    s.ErPress += step;
    if (s.ErPress > s.ErCeiling) s.ErPress = s.ErCeiling;
    s.BpPress += step;
    if (s.BpPress > s.ErCeiling) s.BpPress = s.ErCeiling;
}

}  // namespace

void stepElectroPneumaticBrake(const AirBrakeTick& t) {
    TrainState& s = t.s;
    const std::int32_t brake = t.veh.Brake;
    straightAirPipe(t, brake);
    clampPressures(s);
    if (-brake < s.BrakeNotch && s.BrakeNotch < 0)
        service(t, brake);
    else if (s.BrakeNotch == -brake)
        emergency(t);
    else if (s.BrakeNotch == 0)
        release(t, brake);
    clampPressures(s);
    if (s.BrakeNotch != -brake) recharge(t);
}

}  // namespace tovra
