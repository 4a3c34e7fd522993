#include "sim/BrakeForce.h"

#include <cmath>

#include "data/VehicleSpec.h"
#include "sim/PhysicsMath.h"
#include "sim/TrainState.h"

namespace tovra {

namespace {

Extended frictionCurve(Extended v, Extended coef) {
    return (v * 0.01L + 1) / (v * coef + 1);
}

// Electric brake force on the given mass (t).
Extended electricForce(const TrainState& s, const VehicleSpec& veh, Extended tonnes) {
    if (s.ElecBrakeCurrent <= 0) return 0;
    return finiteOrZero(s.ElecBrakeCurrent * Extended(veh.BrakeRateElec) / veh.EBrakeCurr / 3.6L *
                        tonnes * 1000);
}

}  // namespace

// Normalised to 1 at BrakeRateSpeed, and exactly 1 from there on.
Currency frictionFactor(const VehicleSpec& veh, Extended v) {
    const Extended reference = veh.BrakeRateSpeed;
    if (v >= reference && v > 0) return Currency(1);
    if (v > 0)
        return frictionCurve(v, veh.FrictionCoef) / frictionCurve(reference, veh.FrictionCoef);
    return veh.BrakeRateAir;
}

void compute_brake_force(TrainState& s, const VehicleSpec& veh) {
    s.FrictionFactor = frictionFactor(veh, std::fabs(s.Speed));
    const Extended f = s.FrictionFactor;
    const auto air = [&](Currency pressure, Currency tonnes) {
        return finiteOrZero(Extended(veh.BrakeRateAir) * pressure / veh.EBPress / 3.6L * tonnes *
                            1000 * f);
    };
    switch (veh.BrakeType2) {
        case 0:
            s.BrakeForce = air(s.BcPressM, veh.Mt) + air(s.BcPressT, veh.Tt);
            break;
        case 1:
            s.BrakeForce = air(s.BcPressM, veh.Mt) + air(s.BcPressT, veh.Tt) +
                           air(s.BcPressT, veh.Tct) + electricForce(s, veh, veh.Mt);
            break;
        case 2:
            s.BrakeForce = air(s.BcPressM, veh.Mt) + air(s.BcPressM, veh.Tt) +
                           air(s.BcPressT, veh.Tct) +
                           electricForce(s, veh, Extended(veh.Mt) + Extended(veh.Tt));
            break;
        default:
            break;
    }
    if (s.Speed > 0)
        s.TractiveForce -= s.BrakeForce;
    else if (s.Speed < 0)
        s.TractiveForce += s.BrakeForce;
}

}  // namespace tovra
