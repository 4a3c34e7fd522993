#include "input/SerialMessages.h"

#include <array>
#include <cstddef>
#include <cstdint>

#include "common/TextCodec.h"

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
constexpr std::array<HandleMove, 3> kReversers{
    HandleMove::ReverserForward, HandleMove::ReverserNeutral, HandleMove::ReverserBack};

SerialAction actionOf(std::size_t entry) {
    if (entry < kNeutral)
        return {HandleCommand{HandleMove::SetPowerPosition, std::int32_t(entry - kFirstPower + 1)}};
    if (entry == kNeutral) return {HandleCommand{HandleMove::HandlesOff}};
    if (entry < kFirstReverser)
        return {HandleCommand{HandleMove::SetBrakePosition, std::int32_t(entry - kFirstBrake + 1)}};
    if (entry < kFirstButton) return {HandleCommand{kReversers[entry - kFirstReverser]}};
    return {std::nullopt, kButtonKeys[entry - kFirstButton]};
}

}  // namespace

std::vector<SerialAction> serialActions(const MasconTable& mascon, std::string_view message) {
    // The controller sends the bytes of the file's code page.
    const std::string_view head = message.substr(0, kComparedBytes);
    std::vector<SerialAction> actions;
    const auto& entries = mascon.entries;
    for (std::size_t entry = 0; entry < entries.size() && entry < kEntryCount; ++entry) {
        if (utf8ToCp932(entries[entry]) == head) actions.push_back(actionOf(entry));
    }
    return actions;
}

}  // namespace tovra
