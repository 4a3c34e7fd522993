#include <cmath>

#include "cab/Cab.h"
#include "cab/KeyInput.h"
#include "cab/LaterCommands.h"
#include "cab/Masconupdate.h"
#include "input/KeyMap.h"
#include "sim/HandleMoves.h"
#include "sound/HandleSounds.h"

namespace tovra {

namespace {

// The gear keys serve a lever gearbox; on a vehicle with power modes "w"
// only changes the mode.
void setGearLever(Cab& cab, std::int32_t position) {
    if (cab.vehicle.Gear_Type != 1 || !cab.vehicle.PowerModeName.empty()) return;
    cab.diesel.GearLever = position;
    masconupdate(cab);
}

void act(Cab& cab, const KeyCommand& command) {
    const VehicleSpec& v = cab.vehicle;
    const TrainState& s = cab.state;
    const std::int32_t oneMan = cab.route.OneMan;
    switch (command.action) {
        case KeyAction::Horn:
            if (v.HasSound_Horn4) {
                cab.controller.hornHeld = true;
            } else {
                cab.sound.restartOnce(v.Sound_Horn);
            }
            break;
        case KeyAction::Horn2:
            cab.sound.restartOnce(v.Sound_Horn2);
            break;
        case KeyAction::Buzzer:
            cab.controller.buzzerHeld = true;
            break;
        case KeyAction::Doors:
            if (oneMan > 0) Door_operate(cab);
            break;
        case KeyAction::AtsReset:
            if (s.BrakeHandle == -v.Brake && std::fabs(s.Speed) < 0.1L) AtsReset(cab);
            break;
        case KeyAction::AtsAcknowledge:
            AtsAcknowledge(cab);
            break;
        case KeyAction::NextAnnouncement:
            if (oneMan == 1) nextOneManAnnouncement(cab);
            break;
        case KeyAction::PreviousAnnouncement:
            if (oneMan == 1) previousOneManAnnouncement(cab);
            break;
        case KeyAction::GearLever:
            setGearLever(cab, command.gearLever);
            break;
        case KeyAction::None:
            break;
    }
}

}  // namespace

void resetVigilance(Cab& cab) {
    cab.protection.vigilanceCount = 0;
    cab.sound.stop(cab.vehicle.Sound_EBring);
    cab.lamps.emergency = false;
}

void AsciiDown(Cab& cab, char key) {
    // A paused run changes nothing until it resumes.
    if (!cab.running()) return;
    resetVigilance(cab);
    key = keypadKey(cab.controller.keypadSwapped, key);
    if (cab.KeysLocked) return;

    const KeyCommand command = keyCommandFor(cab.vehicle, key);
    const NotchesBefore before{cab.state.PowerNotch, cab.state.BrakeNotch};
    if (command.handle) {
        applyHandleCommand(cab.state, cab.handles, cab.vehicle, *command.handle);
        cab.controller.panelRefresh.fill(true);
    }
    masconupdate(cab);
    playHandleSounds(cab.sound, cab.state, cab.vehicle, before);
    act(cab, command);
    updateGearText(cab);
}

}  // namespace tovra
