#include "input/Masconupdate.h"

#include <string>

#include "cab/Cab.h"
#include "cab/LaterCommands.h"
#include "input/HandlePanel.h"
#include "sim/HandleRules.h"
#include "sim/PowerModes.h"

namespace tovra {

namespace {

const std::string& powerModeName(const VehicleSpec& v, std::int32_t mode, std::size_t which) {
    static const std::string none;
    return mode >= 0 && std::size_t(mode) < v.PowerModeName.size()
               ? v.PowerModeName[std::size_t(mode)][which]
               : none;
}

// Later rules win where several apply.
void updateBrakeText(Cab& cab) {
    const TrainState& s = cab.state;
    const VehicleSpec& v = cab.vehicle;
    const ProgramSettings& t = cab.settings;
    std::string& text = cab.controller.BrakeText;
    const std::int32_t handle = s.BrakeHandle;
    if (handle == -v.Brake) text = t.EB;
    if (handle == 0) text = t.Neut;
    if (v.BrakeType > 0 && -v.Brake < handle && handle < 0 && !s.HoldBrake) {
        text = "B" + std::to_string(-handle);
    }
    if (s.HoldBrake) text = t.Hold2;
    if (v.BrakeType == 0) {
        switch (handle) {
            case -3:
                text = t.Apply;
                break;
            case -2:
                text = t.Hold;
                break;
            case -1:
                text = t.Maintain;
                break;
            case -5:
                text = t.Remove;
                break;
            default:
                break;
        }
    }
}

void updateMasconText(Cab& cab) {
    const TrainState& s = cab.state;
    const VehicleSpec& v = cab.vehicle;
    ControllerState& c = cab.controller;
    if (s.ConstSpeed != 0) {
        c.MasconText = cab.settings.Const;
    } else if (s.PowerHandle == 0) {
        c.MasconText = cab.settings.Neut2;
    } else if (s.PowerHandle > 0 && s.PowerHandle <= v.Power) {
        const std::int32_t mode = cab.handles.PowerMode;
        const std::int32_t inMode =
            mode == 0 ? s.PowerHandle : s.PowerHandle - modeStartOf(v, mode - 1);
        c.MasconText = powerModeName(v, mode, 0) + std::to_string(inMode);
    }
}

void updateReverserText(Cab& cab) {
    const std::int32_t r = cab.state.Reverser;
    cab.controller.ReverserText = r == 1    ? cab.settings.Forward
                                  : r == -1 ? cab.settings.Reverse
                                            : cab.settings.Neutral;
}

void checkDepartureCallout(Cab& cab) {
    StationState& st = cab.stations;
    if (st.departureCalloutPending && cab.state.PowerHandle > 0 && !cab.traction.doorsOpen) {
        st.departureCalloutPending = false;
        raise_departure_callout(cab);
    }
}

}  // namespace

void updateGearText(Cab& cab) {
    const VehicleSpec& v = cab.vehicle;
    std::string& text = cab.controller.GearText;
    if (v.Engine_Type == 1) {
        text = powerModeName(v, cab.handles.PowerMode, 1);
        return;
    }
    const auto& gears = cab.settings.Gears;
    const std::int32_t lever = cab.diesel.GearLever;
    if (lever == 0 || lever == 1) {
        text = gears[std::size_t(lever)];
    } else if (lever == 2 && v.Engine.size() == 3) {
        text = gears[2];
    } else if (lever >= 2) {
        text = gears[2] + std::to_string(lever - 1);
    }
}

void masconupdate(Cab& cab) {
    update_const_speed(cab.state, cab.vehicle);
    showHandleState(cab);
}

void showHandleState(Cab& cab) {
    cab.state.handleDisplayDue = false;
    cab.lamps.forward = cab.state.Reverser == 1;
    cab.lamps.backward = cab.state.Reverser == -1;
    updateBrakeText(cab);
    updateMasconText(cab);
    updateReverserText(cab);
    showHandlePanel(cab);
    checkDepartureCallout(cab);
    updateGearText(cab);
}

}  // namespace tovra
