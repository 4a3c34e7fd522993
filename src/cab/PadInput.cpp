#include "cab/PadInput.h"

#include <string>

#include "cab/Cab.h"
#include "cab/KeyInput.h"
#include "cab/Masconupdate.h"
#include "input/GamePad.h"
#include "ports/Host.h"
#include "sim/HandleMoves.h"
#include "view/StatusTextUpdates.h"

namespace tovra {

void pollGamePad(Cab& cab, GamePadInput& pad) {
    if (cab.external.controllerType != PadType::None) USBScan(cab, pad.read());
}

void USBScan(Cab& cab, const PadReading& pad) {
    ExternalControllerState& controllers = cab.external;
    const std::int64_t signature = padSignature(pad);
    if (controllers.controllerType == PadType::None || controllers.lastPadSignature == signature)
        return;
    resetVigilance(cab);
    const PadCommand command = padCommand(controllers.controllerType, cab.controllerCodes, pad);
    for (const char key : command.keys) cab.host.postCharacter(key);
    if (command.horn) controllers.controllerHorn = *command.horn;
    applyPadSteps(cab, command.power, command.brake);
    if (controllers.debug)
        setWindowCaption(cab.statusTexts, cab.host,
                         "X:" + std::to_string(pad.x) + " Y:" + std::to_string(pad.y));
    controllers.lastPadSignature = signature;
    // The host queues characters only; the call-out key acts here, after the
    // poll, where a queued key would have acted.
    if (command.callout) keydowns(cab, VirtualKey::Enter, false);
}

void applyPadSteps(Cab& cab, Step power, Step brake) {
    // A game controller moves one handle without touching the other.
    if (power)
        applyHandleCommand(cab.state, cab.handles, cab.vehicle, {HandleMove::PowerStep, *power});
    if (brake)
        applyHandleCommand(cab.state, cab.handles, cab.vehicle, {HandleMove::BrakeStep, *brake});
    masconupdate(cab);
}

void showControllerNotice(Cab& cab, const std::string& text) {
    cab.statusTexts.noticeText = text;
    --cab.video.ShownFrame;  // drawn again with the line
}

void debug1Click(Cab& cab) {
    ExternalControllerState& controllers = cab.external;
    controllers.debug = !controllers.debug;
    if (!controllers.debug) setWindowCaption(cab.statusTexts, cab.host, cab.route.LineName);
}

}  // namespace tovra
