#include "sim/DieselEngine.h"

#include <algorithm>
#include <cmath>

#include "sim/DieselState.h"
#include "sim/DieselTables.h"
#include "sim/TrainState.h"

namespace tovra {

namespace {

constexpr Extended kIdleRpm = 30;
constexpr Extended kFreeRevLimit = 95;
constexpr Extended kFreeRevTarget = 100;

// Under load the engine follows the gear's speed: quickly when far off, then
// gently, and not at all within a small band.
Extended approach(Extended rpm, Extended target) {
    if (rpm > target + 5) return rpm - 0.6L;
    if (rpm < target - 5) return rpm + 0.6L;
    if (rpm > target + 1) return rpm - 0.03L;
    if (rpm < target - 1) return rpm + 0.03L;
    return rpm;
}

// Down to idle and no further: stepping below it would let the starter's
// climb overshoot, and the engine would hunt about idle for ever.
Extended windDown(Extended rpm) {
    return rpm > kIdleRpm ? std::max(rpm - 1, kIdleRpm) : rpm;
}

}  // namespace

void step_engine_speed(TrainState& s, DieselState& d, const VehicleSpec& vehicle) {
    if (vehicle.Engine_Type != 0) return;
    const bool pulling = s.PowerNotch > 0 && d.ShiftState == 0;

    if (d.GearActual > 0) {
        const EngineRateRow rate = engineRateRow(vehicle, d.GearActual);
        d.EngineRpmTarget = std::fabs(s.Speed) * rate.RpmFactor + rate.RpmOffset;
        if (!pulling) {
            s.EngineRpm = windDown(s.EngineRpm);
        } else if (d.GearActual == engineRows(vehicle)) {
            s.EngineRpm = d.EngineRpmTarget;  // direct drive: the engine turns with the wheels
        } else {
            s.EngineRpm = approach(s.EngineRpm, d.EngineRpmTarget);
        }
    }
    if (d.GearActual == 0) {
        // In neutral the engine idles down without power whatever the
        // gearbox; only a lever gearbox lets it rev up freely.
        const bool lever = vehicle.Gear_Type == 1;
        if (lever) d.EngineRpmTarget = kFreeRevTarget;
        if (!pulling) {
            s.EngineRpm = windDown(s.EngineRpm);
        } else if (lever && s.EngineRpm < kFreeRevLimit) {
            s.EngineRpm = std::min(s.EngineRpm + 0.5L, kFreeRevLimit);
        }
    }

    if (s.EngineState == 0) {
        if (s.EngineRpm > 0) s.EngineRpm -= 3;
    } else if (s.EngineRpm < kIdleRpm) {
        s.EngineRpm = std::min(s.EngineRpm + 3, kIdleRpm);
    }
    s.EngineRpm = std::max(s.EngineRpm, Extended(0));
}

}  // namespace tovra
