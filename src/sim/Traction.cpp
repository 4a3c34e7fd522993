#include "sim/Traction.h"

#include <cmath>

#include "common/RememberedMath.h"
#include "data/VehicleSpec.h"
#include "sim/DieselTraction.h"
#include "sim/DoorInterlock.h"
#include "sim/PhysicsMath.h"
#include "sim/TrainState.h"

namespace tovra {

namespace {

bool tractionAllowed(const TrainState& s, const VehicleSpec& veh, bool doorsOpen) {
    return s.Speed < veh.MaxSpeed && doorInterlockPasses(veh, doorsOpen) && s.EngineState == 1 &&
           !s.ProtectService && !s.ProtectEmergency;
}

// Each range of the curve adds its own force, stored separately.
void addAcceleration(Currency& force, Extended accel, Extended massKg) {
    force += finiteOrZero(accel / 3.6L * massKg);
}

Extended resistorStepForce(const VehicleSpec& veh, std::int32_t motorCurrent, Extended v,
                           Extended massKg) {
    Extended a = veh.CurrAccel / 3.6L;
    if (v >= veh.CurrSpeed) a = a * veh.CurrSpeed / v;
    return finiteOrZero(massKg * a / veh.MaxCurrent * motorCurrent);
}

void applyReverser(Currency& force, std::int32_t reverser) {
    if (reverser == -1)
        force = Currency::fromRaw(-force.raw());
    else if (reverser != 1)
        force = Currency{};
}

}  // namespace

Currency notchForce(const NotchRecord& notch, Extended v, Extended massKg) {
    const Extended start = notch.AccelStart;
    const Extended constant = notch.AccelConst;
    const Extended speedConst = notch.SpeedConst;
    const Extended speedPower = notch.SpeedPower;
    Currency force;
    if (start <= 0) {
        if (speedConst <= v && v < speedPower) addAcceleration(force, start, massKg);
        return force;
    }
    if (v < speedConst) addAcceleration(force, start + v * (constant - start) / speedConst, massKg);
    if (speedConst <= v && v < speedPower)
        addAcceleration(force, speedConst * constant / v, massKg);
    if (v >= speedPower) {
        const Extended base = notch.DecayBase;
        const Extended atSpeedPower =
            speedConst * constant / rememberedPow(base, Extended(notch.SpeedPower));
        addAcceleration(force, atSpeedPower * rememberedPow(base, Extended(roundHalfAway(v))) / v,
                        massKg);
    }
    return force;
}

void compute_traction(TrainState& s, const VehicleSpec& veh, const DieselState& diesel,
                      bool doorsOpen) {
    if (!tractionAllowed(s, veh, doorsOpen)) return;
    const Extended v = std::fabs(s.Speed);
    const Extended m = trainMassKg(veh);
    if (veh.Engine_Type == 1) {
        if (veh.Power_Type == 1 && s.PowerNotch > 0 && s.BrakeHandle == 0 &&
            std::size_t(s.PowerNotch) <= veh.Notch.size())
            s.TractiveForce += notchForce(veh.Notch[s.PowerNotch - 1], v, m);
        else if (veh.Power_Type == 0 && s.PowerNotch > 0)
            s.TractiveForce += resistorStepForce(veh, s.MotorCurrent, v, m);
    } else if (veh.Engine_Type == 0) {
        compute_diesel_traction(s, veh, diesel);
    }
    applyReverser(s.TractiveForce, s.Reverser);
}

}  // namespace tovra
