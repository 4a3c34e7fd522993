#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "data/ControllerFiles.h"
#include "input/ExternalControllerState.h"
#include "input/PadReading.h"

namespace tovra {

// A handle step a reading asks for; none leaves that handle as it is.
using Step = std::optional<std::int32_t>;

// What one reading of a game controller asks for.
struct PadCommand {
    Step power;
    Step brake;
    std::string keys;          // the characters of the pressed buttons, in order
    std::optional<bool> horn;  // a horn button held or not
    bool callout = false;      // the call-out button, which acts as Enter
};

// Buttons 0-3 and 8-15 as the values 1, 2, 4, 8 and 16 .. 2048.
std::int32_t padButtonsLow(const PadReading& pad);
// Buttons 4-7 as the values 1, 2, 4, 8.
std::int32_t padButtonsHigh(const PadReading& pad);
// X + Y + both button sums. Two readings with the same signature are taken
// for the same state.
std::int64_t padSignature(const PadReading& pad);

// One reading of a controller of the given type; the adapter's positions are
// the user's codes.
PadCommand padCommand(PadType type, const ControllerCodes& codes, const PadReading& pad);

// A button that types a key while pressed.
struct ButtonKey {
    int button;
    char key;
};

// What a type reads where, for a general mapping to start from: the buttons
// that type keys, the call-out and horn buttons, and the levers' limits of
// raw travel (power pulling Y, axis 1, negative; brake pushing X, axis 0,
// positive) where the levers are axes.
struct PadTypeLayout {
    std::span<const ButtonKey> keys;
    std::optional<int> calloutButton;
    std::optional<int> hornButton;
    std::span<const std::int64_t> powerLimits;
    std::span<const std::int64_t> brakeLimits;
};
PadTypeLayout padTypeLayout(PadType type);

}  // namespace tovra
