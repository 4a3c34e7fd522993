#include "input/Masconupdate.h"

#include <string>

#include "input/HandlePanel.h"
#include "input/LaterCommands.h"
#include "input/PowerModes.h"
#include "sim/Cab.h"

namespace tovra {

namespace {

const std::string& powerModeName(const VehicleSpec& v, std::int32_t mode, std::size_t which) {
    static const std::string none;
    return mode >= 0 && std::size_t(mode) < v.PowerModeName.size()
               ? v.PowerModeName[std::size_t(mode)][which]
               : none;
}

void updateConstSpeed(Cab& cab) {
    TrainState& s = cab.state;
    const VehicleSpec& v = cab.vehicle;
    if (s.ConstSpeed != 0 && (s.BrakeHandle != s.BrakeNotch || s.PowerHandle != s.PowerNotch)) {
        s.ConstSpeed = 0;
        s.PowerNotch = s.PowerHandle;
    }
    // The driver has just stepped back from the notch above ConstNotch and
    // the power delay has not yet run out.
    if (s.Speed >= v.ConstMinSpeed && s.ConstSpeed == 0 && v.ConstNotch > 1 &&
        s.PowerHandle == v.ConstNotch && s.PowerNotch == v.ConstNotch + 1) {
        s.ConstSpeed = 1;
    }
    if (s.ConstSpeed != 0 && (s.ProtectEmergency || s.ProtectService)) {
        s.ConstSpeed = 0;
        s.PowerNotch = s.PowerHandle;
    }
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
        const std::int32_t mode = c.PowerMode;
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
    ControllerState& c = cab.controller;
    if (c.departureCalloutPending && cab.state.PowerHandle > 0 && !cab.traction.doorsOpen) {
        c.departureCalloutPending = false;
        raise_departure_callout(cab);
    }
}

void showLamp(Cab& cab, const char* name, bool lit) {
    if (Sprite* lamp = cab.sprites.find(name)) lamp->visible = lit;
}

}  // namespace

void updateGearText(Cab& cab) {
    const VehicleSpec& v = cab.vehicle;
    std::string& text = cab.controller.GearText;
    if (v.Engine_Type == 1) {
        text = powerModeName(v, cab.controller.PowerMode, 1);
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
    showLamp(cab, "img_Lamp_Fwd", cab.state.Reverser == 1);
    showLamp(cab, "img_Lamp_Bck", cab.state.Reverser == -1);
    updateConstSpeed(cab);
    updateBrakeText(cab);
    updateMasconText(cab);
    updateReverserText(cab);
    showHandlePanel(cab);
    checkDepartureCallout(cab);
    updateGearText(cab);
}

}  // namespace tovra
