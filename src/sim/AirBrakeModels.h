#pragma once

#include "common/Numeric.h"
#include "data/VehicleSpec.h"
#include "sim/TrainState.h"

namespace tovra {

// What one air-brake model needs for one physics tick.
struct AirBrakeTick {
    TrainState& s;
    const VehicleSpec& veh;
    Extended T;  // physics ticks per second

    // A per-second rate as one tick's step.
    Extended step(Extended perSecond) const { return perSecond / T; }
    // A release step, slowed down as the pressure falls.
    Extended release(Extended perSecond, Extended pressure, Extended k = 1.2L) const {
        return perSecond / T / releaseSlowdown(k, pressure);
    }
};

void stepAutomaticAirBrake(const AirBrakeTick& t);      // BrakeType 0
void stepElectroPneumaticBrake(const AirBrakeTick& t);  // BrakeType 1
void stepElectricCommandBrake(const AirBrakeTick& t);   // BrakeType 2

// The motor-car cylinder in service braking, shared by BrakeType 1 and 2:
// it follows the target until the electric brake takes over at ELBR.
void stepMotorCylinderService(const AirBrakeTick& t, Extended target);

// Every pressure of the brake clamped at 0.
void clampPressures(TrainState& s);

}  // namespace tovra
