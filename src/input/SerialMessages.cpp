#include "input/SerialMessages.h"

#include <array>
#include <cstddef>

#include "cab/Cab.h"
#include "common/TextCodec.h"
#include "input/ExternalControllerState.h"
#include "input/HandleOperations.h"
#include "input/KeyCommands.h"
#include "input/Masconupdate.h"
#include "ports/Host.h"
#include "sim/PendingDelays.h"

namespace tovra {

namespace {

// Entries of mascon.dat by meaning; entries after the buttons mean nothing.
constexpr std::size_t kFirstPower = 0;      // power positions 1..6
constexpr std::size_t kNeutral = 6;         // power off and brake released
constexpr std::size_t kFirstBrake = 7;      // brake positions 1..9
constexpr std::size_t kFirstReverser = 16;  // forward, neutral, backward
constexpr std::size_t kFirstButton = 19;    // the buttons of kButtonKeys
constexpr std::array<char, 4> kButtonKeys{' ', '3', '7', '1'};
constexpr std::size_t kEntryCount = kFirstButton + kButtonKeys.size();
constexpr std::size_t kComparedBytes = 5;

void act(Cab& cab, std::size_t entry) {
    if (entry < kNeutral) {
        SetPowerPosition(cab, std::int32_t(entry - kFirstPower + 1));
    } else if (entry == kNeutral) {
        cab.state.PowerHandle = 0;
        cab.state.BrakeHandle = 0;
        markAllPending(cab.state);
        masconupdate(cab);
    } else if (entry < kFirstReverser) {
        SetBrakePosition(cab, std::int32_t(entry - kFirstBrake + 1));
    } else if (entry < kFirstButton) {
        SetReverser(cab, 1 - std::int32_t(entry - kFirstReverser));
    } else {
        cab.host.postCharacter(kButtonKeys[entry - kFirstButton]);
    }
}

}  // namespace

void RxChar(Cab& cab, std::string_view chunk) {
    ExternalControllerState& controllers = cab.external;
    controllers.serialBuffer.receive(
        chunk, [&](std::string_view message) { SerialMessage(cab, message); });
}

void SerialMessage(Cab& cab, std::string_view message) {
    ExternalControllerState& controllers = cab.external;
    if (!cab.running()) return;
    resetVigilance(cab);
    std::string_view text = message;
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    controllers.serialCaption = cp932ToUtf8(text);

    // The controller sends the bytes of the file's code page.
    const std::string_view head = message.substr(0, kComparedBytes);
    const auto& entries = cab.mascon.entries;
    for (std::size_t entry = 0; entry < entries.size() && entry < kEntryCount; ++entry) {
        if (utf8ToCp932(entries[entry]) == head) act(cab, entry);
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
