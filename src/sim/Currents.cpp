#include "sim/Currents.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "sim/DoorInterlock.h"
#include "sim/PhysicsMath.h"
#include "sim/TractionState.h"
#include "sim/TrainState.h"

namespace tovra {

namespace {

// A current rounded half away from zero, held inside the int32 range.
std::int32_t roundCurrent(Extended amps) {
    constexpr Extended kLimit = std::numeric_limits<std::int32_t>::max();
    return std::int32_t(roundHalfAway(std::clamp(finiteOrZero(amps), -kLimit, kLimit)));
}

// Power_Type 1: the ammeter shows the force of the last physics tick.
void forceAmmeter(TrainState& s, TractionState& traction, const VehicleSpec& veh) {
    const Extended m = trainMassKg(veh);
    if (s.BrakeNotch < 0 || s.PowerNotch >= 1)
        s.AmmeterValue = roundCurrent(Extended(s.LastTractiveForce) * 3.6L / m * 50);
    else
        s.AmmeterValue = 0;
}

// Power_Type 0: the resistor steps are notched up while the current allows.
void resistorSteps(TrainState& s, TractionState& traction, const VehicleSpec& veh) {
    std::int32_t& step = traction.PowerStep;
    if (s.PowerNotch == 0) {
        step = 0;
        s.MotorCurrent = 0;
    } else if (s.PowerNotch >= 1 && doorInterlockPasses(veh, traction.doorsOpen)) {
        const Extended v = std::fabs(s.Speed);
        const std::int32_t rows = std::int32_t(veh.CurrentP.size());
        for (std::int32_t j = 0; j < rows; ++j) {
            if (step < j && s.PowerNotch >= veh.CurrentP[j].StepNotch &&
                s.MotorCurrent < veh.MaxCurrent)
                step += 1;
            const CurrentPRow& row = veh.CurrentP[step];
            if (v != row.StepV0) s.MotorCurrent = roundCurrent(row.StepK / (v - row.StepV0));
        }
    }
    s.AmmeterValue = s.MotorCurrent;
}

// Brake_Type 1: the current rises and falls at the vehicle's rates.
void ratedElectricBrake(TrainState& s, const VehicleSpec& veh, std::int32_t tickRate) {
    if (veh.BrakeType2 < 1) return;
    const Extended perTick = 3.0L / tickRate;
    const std::int32_t brake = veh.Brake;
    const std::int32_t notch = s.ElecBrakeNotch;
    Extended& current = s.ElecBrakeCurrent;
    if (-brake < notch) {
        const Extended target = notch < 0 ? Extended(veh.EBrakeCurr) / (brake - 1) * -notch : 0;
        const bool fading = s.Speed < veh.Lose_elec;
        if (target > current + 50 && !fading)
            current += veh.EBrakeUp * perTick;
        else if (target < current || fading)
            current -= veh.EBrakeDown * perTick;
        clampAtZero(current);
    }
    if (current > 0 && (notch == 0 || notch == -brake)) {
        current -= veh.EBrakeDown * perTick;
        clampAtZero(current);
    }
    if (current > 0) s.AmmeterValue = -roundCurrent(current);
}

// The current limit of a brake position; a position beyond the table has none.
std::int32_t brakeCurrentLimit(const VehicleSpec& veh, std::int32_t position) {
    return position >= 0 && std::size_t(position) < veh.BrakeCurrMax.size()
               ? veh.BrakeCurrMax[position]
               : 0;
}

// Brake_Type 0: the electric brake steps through its table like the motor.
void steppedElectricBrake(TrainState& s, TractionState& traction, const VehicleSpec& veh) {
    std::int32_t& step = traction.ElecBrakeStep;
    Extended& current = s.ElecBrakeCurrent;
    const std::int32_t notch = s.ElecBrakeNotch;
    if (notch < 0 && doorInterlockPasses(veh, traction.doorsOpen)) {
        if (s.Speed >= veh.Lose_elec || step != 0) {
            const Extended v = std::fabs(s.Speed);
            const std::int32_t limit = brakeCurrentLimit(veh, -notch);
            const std::int32_t rows = std::int32_t(veh.CurrentB.size());
            for (std::int32_t j = 0; j < rows; ++j) {
                const CurrentBRow& row = veh.CurrentB[step];
                if (row.EbA != 0) current = (v - row.EbB) / row.EbA;
                if (limit == 0) {
                    step = 0;
                    current = 0;
                } else if (step < j && limit > current) {
                    step += 1;
                }
            }
        } else {
            current = 0;
        }
    }
    if (notch == 0) step = 0;
    if (current < 100 || notch == 0) current = 0;
    if (step >= 1) traction.PowerStep = 0;
    if (current > 0) s.AmmeterValue = -roundCurrent(current);
}

}  // namespace

void step_currents(TrainState& s, TractionState& traction, const VehicleSpec& veh,
                   std::int32_t tickRate) {
    if (veh.Power_Type == 1)
        forceAmmeter(s, traction, veh);
    else if (veh.Power_Type == 0)
        resistorSteps(s, traction, veh);
    if (veh.Brake_Type == 1)
        ratedElectricBrake(s, veh, tickRate);
    else if (veh.Brake_Type == 0)
        steppedElectricBrake(s, traction, veh);
}

}  // namespace tovra
