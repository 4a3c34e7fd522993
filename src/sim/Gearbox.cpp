#include "sim/Gearbox.h"

#include <cmath>

#include "input/Masconupdate.h"
#include "sim/Cab.h"
#include "sim/DieselTables.h"
#include "sim/DoorInterlock.h"

namespace tovra {

namespace {

enum ShiftStates : std::int32_t { kEngaged = 0, kEngaging = 1, kToNeutral = 2 };

constexpr std::int32_t kShiftTicks = 10;  // the clutch takes one second
constexpr Extended kFirstGearBelow = 10;  // km/h

// Up above a gear's top speed, down below its lowest, within the table. A
// lever taken outside the table would never be matched by a row again, so
// the gearbox would stay there for the rest of the run.
void chooseGear(Cab& cab) {
    DieselState& d = cab.diesel;
    const VehicleSpec& vehicle = cab.vehicle;
    const std::int32_t rows = engineRows(vehicle);
    const Extended v = std::fabs(cab.state.Speed);
    for (std::int32_t j = 0; j < rows; ++j) {
        const EngineRow& row = vehicle.Engine[static_cast<std::size_t>(j)];
        if (j == d.GearLever && d.GearActual < rows - 1 && d.GearLever < rows - 1 &&
            v > row.SpeedMax)
            d.GearLever += 1;
        if (j == d.GearLever && d.GearLever > 0 && v < row.SpeedLow) d.GearLever -= 1;
    }
    if (cab.state.Speed < kFirstGearBelow && d.GearActual != 0) d.GearActual = 1;
}

void startShift(Cab& cab) {
    DieselState& d = cab.diesel;
    const TrainState& s = cab.state;
    if (d.ShiftState != kEngaged || d.ShiftTimer != 0) return;
    if (s.EngineState == 1 && s.PowerNotch >= 1 && d.GearActual != d.GearLever &&
        !s.ProtectEmergency) {
        d.ShiftState = kEngaging;
        masconupdate(cab);
    } else if (d.GearActual != 0 && s.PowerNotch == 0) {
        // With power off the gearbox always goes to neutral.
        d.GearActual = 0;
        d.ShiftState = kToNeutral;
        masconupdate(cab);
    }
}

void continueShift(Cab& cab) {
    DieselState& d = cab.diesel;
    if (d.ShiftState == kEngaged) return;
    d.ShiftTimer += 1;
    if (d.ShiftTimer != kShiftTicks) return;
    d.ShiftTimer = 0;
    if (d.ShiftState == kEngaging && doorInterlockPasses(cab.vehicle, cab.traction.doorsOpen) &&
        !cab.state.ProtectEmergency && d.GearLever >= 1)
        d.GearActual = d.GearLever;
    if (d.ShiftState == kToNeutral) d.GearActual = 0;
    if (Sprite* indicator = cab.sprites.find("img_lamp_gear"))
        indicator->patternIndex = d.GearActual;
    d.ShiftState = kEngaged;
    masconupdate(cab);
}

}  // namespace

void step_gearbox(Cab& cab) {
    if (cab.vehicle.Engine_Type != 0) return;
    if (cab.vehicle.Gear_Type == 0 && cab.diesel.ShiftState == kEngaged) chooseGear(cab);
    startShift(cab);
    continueShift(cab);
}

}  // namespace tovra
