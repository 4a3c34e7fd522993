#include "sim/DieselTraction.h"

#include <algorithm>
#include <cmath>

#include "sim/DieselState.h"
#include "sim/DieselTables.h"
#include "sim/TrainState.h"

namespace tovra {

namespace {

constexpr Extended kGravity = 9.8L;  // N per kgf

// Effort along a segment of the gear's curve, in kgf. A segment of zero
// length has no slope rather than an infinite one.
Extended segmentEffort(Extended v, std::int32_t speedFrom, std::int32_t speedTo, double effortFrom,
                       double effortTo) {
    if (speedTo == speedFrom) return effortFrom;
    return effortFrom +
           std::fabs(v - speedFrom) * (Extended(effortTo) - effortFrom) / (speedTo - speedFrom);
}

}  // namespace

void compute_diesel_traction(TrainState& s, const VehicleSpec& vehicle, const DieselState& diesel) {
    if (diesel.ShiftState != 0 || s.PowerNotch <= 0 || vehicle.Power <= 0) return;

    const EngineRow row = engineRow(vehicle, diesel.GearActual);
    const Extended v = std::fabs(s.Speed);
    const std::int32_t notch = s.PowerNotch;
    Extended force = 0;
    if (v < row.SpeedHigh) {
        // Starting pulls at most like notch 2, so the train does not jerk away.
        const std::int32_t pulling = s.Speed < vehicle.PowerJerk ? std::min(notch, 2) : notch;
        const Extended e =
            segmentEffort(v, row.SpeedLow, row.SpeedHigh, row.EffortLow, row.EffortHigh);
        force = pulling * e * kGravity / vehicle.Power;
    } else if (v < row.SpeedMax) {
        const Extended e =
            segmentEffort(v, row.SpeedHigh, row.SpeedMax, row.EffortHigh, row.EffortMax);
        force = notch * e * kGravity / vehicle.Power;
    }
    s.TractiveForce += force;
}

}  // namespace tovra
