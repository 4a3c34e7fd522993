#include "sim/AirBrakeModels.h"

namespace tovra {

namespace {

// Brake-valve positions; -4 is emergency because the loader sets Brake to 4.
constexpr std::int32_t kMaintain = -1;
constexpr std::int32_t kHold = -2;
constexpr std::int32_t kApply = -3;
constexpr std::int32_t kEmergency = -4;
constexpr std::int32_t kRemove = -5;

// Trailer first, then motor car.
template <typename Each>
void eachCylinder(TrainState& s, Each each) {
    each(s.BcPressT, true);
    each(s.BcPressM, false);
}

void release(const AirBrakeTick& t) {
    TrainState& s = t.s;
    eachCylinder(s, [&](Currency& p, bool) {
        if (p < s.BpPress) p -= t.release(t.veh.BrakeDown, p);
    });
    const Extended ceiling = s.ErCeiling;
    const Extended back = t.step(t.veh.BPReturn);
    if (s.ErPress >= s.BpPress) {
        if (s.BpPress < ceiling - 1) {
            s.BpPress += back;
            s.MrPress -= back / 5;
        }
        if (s.ErPress < ceiling - 1) s.ErPress += back;
    } else {
        if (s.BpPress < ceiling) {
            const Extended w = back / 2.5L;
            s.BpPress += w;
            s.MrPress -= w / 5;
        }
        if (s.ErPress < ceiling) s.ErPress += back / 2.5L;
    }
}

void maintain(const AirBrakeTick& t) {
    TrainState& s = t.s;
    const Extended refill = t.step(t.veh.BrakeDown) / 2.5L;
    if (s.ErPress < s.ErCeiling) s.ErPress += refill;
    if (s.BpPress < s.ErCeiling) {
        s.BpPress += refill;
        s.MrPress -= t.step(t.veh.BrakeUp) / 20;
    }
    if (s.BcPressM < s.BpPress) s.BcPressM -= t.release(t.veh.BrakeDown, s.BcPressM, 1.4L);
}

// The cylinders follow the pipe reduction: 140 kPa of it gives MAXPress.
void fillTowards(const AirBrakeTick& t, Extended target, bool chargesSap) {
    TrainState& s = t.s;
    eachCylinder(s, [&](Currency& p, bool) {
        if (p < t.veh.MAXPress && p < target) {
            p += t.step(t.veh.BrakeUp);
            if (chargesSap) s.SapPress -= t.step(t.veh.SAPUp);
        }
    });
}

void apply(const AirBrakeTick& t, Extended target) {
    TrainState& s = t.s;
    if (s.ErCeiling - s.BpPress > t.veh.ELBR) fillTowards(t, target, true);
    const Extended drop = t.step(t.veh.BrakeUp) / 4.6L;
    s.ErPress -= drop;
    s.BpPress -= drop;
}

void remove(const AirBrakeTick& t, Extended target) {
    eachCylinder(t.s, [&](Currency& p, bool) {
        if (p < t.veh.MAXPress && p < target)
            p += t.step(t.veh.BrakeUp);
        else if (p > target + 10)
            p -= t.release(t.veh.BrakeDown, p);
    });
}

void hold(const AirBrakeTick& t, Extended target) {
    if (t.s.ErCeiling - t.s.BpPress > t.veh.ELBR) fillTowards(t, target, false);
}

void emergency(const AirBrakeTick& t) {
    TrainState& s = t.s;
    eachCylinder(s, [&](Currency& p, bool trailer) {
        if (p < t.veh.EBPress && s.BpPress > 0) {
            p += t.step(t.veh.BrakeUp) / 0.3L;
            if (trailer) s.SapPress -= t.step(t.veh.SAPDown) / 3;
        }
    });
    s.ErPress -= t.step(t.veh.BrakeUp) / 4.6L;
    s.BpPress -= t.step(t.veh.BrakeUp) / 0.6L;
}

// Model 0 treats the service protection brake as an emergency too.
void protectionBrake(const AirBrakeTick& t) {
    TrainState& s = t.s;
    const Extended fill = t.step(t.veh.BrakeUp) / 0.3L;
    if (s.BcPressT < t.veh.EBPress) {
        s.BcPressT += fill;
        s.MrPress -= t.step(t.veh.BrakeUp) / 3.3L;
        s.SapPress -= t.step(t.veh.SAPDown) / 3;
    }
    if (s.BcPressM < t.veh.EBPress) s.BcPressM += fill;
    const Extended drop = t.step(t.veh.BrakeUp) / 0.6L;
    s.ErPress -= drop;
    s.BpPress -= drop;
    if (s.BrakeHandle == 0 || s.BrakeHandle == -1) s.MrPress -= t.step(t.veh.BrakeUp) / 4.6L;
}

}  // namespace

void stepAutomaticAirBrake(const AirBrakeTick& t) {
    TrainState& s = t.s;
    const Extended target = (s.ErCeiling - s.BpPress) * t.veh.MAXPress / 140;
    if (s.ProtectEmergency || s.ProtectService) {
        protectionBrake(t);
    } else {
        const std::int32_t position = s.BrakeNotch;
        if (position == 0 || (position == kMaintain && t.veh.Pull == 1))
            release(t);
        else if (position == kMaintain && t.veh.Pull == 0)
            maintain(t);
        else if (position == kApply)
            apply(t, target);
        else if (position == kRemove)
            remove(t, target);
        else if (position == kHold)
            hold(t, target);
        else if (position == kEmergency)
            emergency(t);
    }
    clampPressures(s);
}

}  // namespace tovra
