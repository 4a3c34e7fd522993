#pragma once

#include <cstdint>
#include <optional>

#include "data/VehicleSpec.h"
#include "sim/HandleCommand.h"

namespace tovra {

// What a typed character asks for besides a handle move.
enum class KeyAction {
    None,
    Horn,
    Horn2,
    Buzzer,
    Doors,
    AtsReset,
    AtsAcknowledge,
    NextAnnouncement,
    PreviousAnnouncement,
    GearLever,  // to KeyCommand::gearLever
};

// A typed character as commands: "w" is both the next power mode and a gear
// position, so a key may carry both.
struct KeyCommand {
    std::optional<HandleCommand> handle;
    KeyAction action = KeyAction::None;
    std::int32_t gearLever = 0;
};

// The key table of this vehicle's controller: the one-lever keys with
// Handle 0, the two-handle keys with Handle 1, the keypad's lever keys with
// every controller.
KeyCommand keyCommandFor(const VehicleSpec& v, char key);

// Scroll Lock exchanges the keypad's "2" and "8".
char keypadKey(bool swapped, char key);

}  // namespace tovra
