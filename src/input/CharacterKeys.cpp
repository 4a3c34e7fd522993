#include <cmath>
#include <optional>

#include "cab/Cab.h"
#include "input/HandleMoves.h"
#include "input/HandleSounds.h"
#include "input/KeyCommands.h"
#include "input/LaterCommands.h"
#include "input/Masconupdate.h"

namespace tovra {

namespace {

std::optional<HandleMove> handleMoveFor(const Cab& cab, char key) {
    const bool oneLever = cab.vehicle.Handle == 0;
    const bool twoHandles = cab.vehicle.Handle == 1;
    switch (key) {
        case 'z':
            if (oneLever) return HandleMove::TowardsPower;
            if (twoHandles) return HandleMove::PowerUp;
            break;
        case 'a':
            if (oneLever) return HandleMove::TowardsBrake;
            if (twoHandles) return HandleMove::PowerDown;
            break;
        case 'q':
            if (oneLever) return HandleMove::Emergency;
            break;
        case ',':
            if (twoHandles) return HandleMove::BrakeRelease;
            break;
        case '.':
            if (twoHandles) return HandleMove::BrakeApply;
            break;
        case '/':
            if (twoHandles) return HandleMove::BrakeEmergency;
            break;
        case '8':
            return HandleMove::TowardsPower;
        case '2':
            return HandleMove::TowardsBrakeKeypad;
        case '5':
            return HandleMove::Neutral;
        case '0':
            return HandleMove::Emergency;
        case '9':
        case 'w':
            return HandleMove::NextPowerMode;
        case 't':
            return HandleMove::ConstSpeedKey;
        case 'f':
            return HandleMove::ReverserForward;
        case 'b':
            return HandleMove::ReverserBack;
        case 'n':
            return HandleMove::ReverserNeutral;
        default:
            break;
    }
    return std::nullopt;
}

// The gear keys serve a lever gearbox; on a vehicle with power modes "w"
// only changes the mode.
void setGearLever(Cab& cab, std::int32_t position) {
    if (cab.vehicle.Gear_Type != 1 || !cab.vehicle.PowerModeName.empty()) return;
    cab.diesel.GearLever = position;
    masconupdate(cab);
}

void otherKey(Cab& cab, char key) {
    const VehicleSpec& v = cab.vehicle;
    const TrainState& s = cab.state;
    const std::int32_t oneMan = cab.route.OneMan;
    switch (key) {
        case '3':
            if (v.HasSound_Horn4) {
                cab.controller.hornHeld = true;
            } else {
                cab.sound.restartOnce(v.Sound_Horn);
            }
            break;
        case '6':
            cab.sound.restartOnce(v.Sound_Horn2);
            break;
        case '4':
            cab.controller.buzzerHeld = true;
            break;
        case 'd':
        case '7':
            if (oneMan > 0) Door_operate(cab);
            break;
        case 'r':
            if (s.BrakeHandle == -v.Brake && std::fabs(s.Speed) < 0.1L) AtsReset(cab);
            break;
        case ' ':
            AtsAcknowledge(cab);
            break;
        case 'c':
        case '1':
            if (oneMan == 1) nextOneManAnnouncement(cab);
            break;
        case '-':
            if (oneMan == 1) previousOneManAnnouncement(cab);
            break;
        case 'w':
            setGearLever(cab, 2);
            break;
        case 's':
            setGearLever(cab, 0);
            break;
        case 'x':
            setGearLever(cab, 1);
            break;
        default:
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
    if (cab.controller.keypadSwapped) key = key == '2' ? '8' : key == '8' ? '2' : key;
    if (cab.KeysLocked) return;

    const NotchesBefore before{cab.state.PowerNotch, cab.state.BrakeNotch};
    if (const auto move = handleMoveFor(cab, key)) {
        moveHandle(cab, *move);
        cab.controller.panelRefresh.fill(true);
    }
    masconupdate(cab);
    playHandleSounds(cab, before);
    otherKey(cab, key);
    updateGearText(cab);
}

}  // namespace tovra
