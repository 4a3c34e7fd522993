#include "sim/Gearbox.h"

#include <cmath>

#include "sim/DieselTables.h"
#include "sim/DoorInterlock.h"
#include "sim/HandleRules.h"

namespace tovra {

namespace {

enum ShiftStates : std::int32_t { kEngaged = 0, kEngaging = 1, kToNeutral = 2 };

constexpr std::int32_t kShiftTicks = 10;  // the clutch takes one second
constexpr Extended kFirstGearBelow = 10;  // km/h

// Up above a gear's top speed, down below its lowest, within the table. A
// lever taken outside the table would never be matched by a row again, so
// the gearbox would stay there for the rest of the run.
void chooseGear(DieselState& d, const TrainState& s, const VehicleSpec& vehicle) {
    const std::int32_t rows = engineRows(vehicle);
    const Extended v = std::fabs(s.Speed);
    for (std::int32_t j = 0; j < rows; ++j) {
        const EngineRow& row = vehicle.Engine[static_cast<std::size_t>(j)];
        if (j == d.GearLever && d.GearActual < rows - 1 && d.GearLever < rows - 1 &&
            v > row.SpeedMax)
            d.GearLever += 1;
        if (j == d.GearLever && d.GearLever > 0 && v < row.SpeedLow) d.GearLever -= 1;
    }
    if (s.Speed < kFirstGearBelow && d.GearActual != 0) d.GearActual = 1;
}

void startShift(DieselState& d, TrainState& s, const VehicleSpec& v) {
    if (d.ShiftState != kEngaged || d.ShiftTimer != 0) return;
    if (s.EngineState == 1 && s.PowerNotch >= 1 && d.GearActual != d.GearLever &&
        !s.ProtectEmergency) {
        d.ShiftState = kEngaging;
        handles_moved_by_train(s, v);
    } else if (d.GearActual != 0 && s.PowerNotch == 0) {
        // With power off the gearbox always goes to neutral.
        d.GearActual = 0;
        d.ShiftState = kToNeutral;
        handles_moved_by_train(s, v);
    }
}

void continueShift(DieselState& d, TrainState& s, PanelLamps& lamps, const VehicleSpec& v,
                   bool doorsOpen) {
    if (d.ShiftState == kEngaged) return;
    d.ShiftTimer += 1;
    if (d.ShiftTimer != kShiftTicks) return;
    d.ShiftTimer = 0;
    if (d.ShiftState == kEngaging && doorInterlockPasses(v, doorsOpen) && !s.ProtectEmergency &&
        d.GearLever >= 1)
        d.GearActual = d.GearLever;
    if (d.ShiftState == kToNeutral) d.GearActual = 0;
    lamps.gearPattern = d.GearActual;
    d.ShiftState = kEngaged;
    handles_moved_by_train(s, v);
}

}  // namespace

void step_gearbox(DieselState& d, TrainState& s, PanelLamps& lamps, const VehicleSpec& v,
                  bool doorsOpen) {
    if (v.Engine_Type != 0) return;
    if (v.Gear_Type == 0 && d.ShiftState == kEngaged) chooseGear(d, s, v);
    startShift(d, s, v);
    continueShift(d, s, lamps, v, doorsOpen);
}

}  // namespace tovra
