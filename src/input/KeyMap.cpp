#include "input/KeyMap.h"

namespace tovra {

namespace {

std::optional<HandleMove> handleMoveFor(const VehicleSpec& v, char key) {
    const bool oneLever = v.Handle == 0;
    const bool twoHandles = v.Handle == 1;
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

KeyAction actionFor(char key) {
    switch (key) {
        case '3':
            return KeyAction::Horn;
        case '6':
            return KeyAction::Horn2;
        case '4':
            return KeyAction::Buzzer;
        case 'd':
        case '7':
            return KeyAction::Doors;
        case 'r':
            return KeyAction::AtsReset;
        case ' ':
            return KeyAction::AtsAcknowledge;
        case 'c':
        case '1':
            return KeyAction::NextAnnouncement;
        case '-':
            return KeyAction::PreviousAnnouncement;
        case 'w':
        case 's':
        case 'x':
            return KeyAction::GearLever;
        default:
            return KeyAction::None;
    }
}

}  // namespace

KeyCommand keyCommandFor(const VehicleSpec& v, char key) {
    KeyCommand command;
    if (const auto move = handleMoveFor(v, key)) command.handle = HandleCommand{*move};
    command.action = actionFor(key);
    if (command.action == KeyAction::GearLever)
        command.gearLever = key == 'w' ? 2 : key == 's' ? 0 : 1;
    return command;
}

char keypadKey(bool swapped, char key) {
    if (!swapped) return key;
    return key == '2' ? '8' : key == '8' ? '2' : key;
}

}  // namespace tovra
