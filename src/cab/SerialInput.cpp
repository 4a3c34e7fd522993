#include "cab/SerialInput.h"

#include "cab/Cab.h"
#include "cab/HandleInput.h"
#include "cab/KeyInput.h"
#include "common/TextCodec.h"
#include "input/SerialMessages.h"
#include "ports/Host.h"

namespace tovra {

void RxChar(Cab& cab, std::string_view chunk) {
    cab.external.serialBuffer.receive(
        chunk, [&](std::string_view message) { SerialMessage(cab, message); });
}

void SerialMessage(Cab& cab, std::string_view message) {
    if (!cab.running()) return;
    resetVigilance(cab);
    std::string_view text = message;
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    cab.external.serialCaption = cp932ToUtf8(text);

    for (const SerialAction& action : serialActions(cab.mascon, message)) {
        if (action.handle) {
            operateHandles(cab, *action.handle);
        } else {
            cab.host.postCharacter(action.key);
        }
    }
}

void COMOpened(Cab& cab) {
    cab.host.showMessage("Connect to controller.");
}

void COMClosed(Cab& cab) {
    // A message cut short would swallow the first one of the next connection.
    cab.external.serialBuffer.clear();
    cab.host.showMessage("Disconnect from controller.");
}

}  // namespace tovra
