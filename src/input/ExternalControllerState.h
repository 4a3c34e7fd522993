#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "input/SerialAssembler.h"

namespace tovra {

// The USB game controller chosen in the Controller menu. The serial master
// controller works whichever is chosen.
enum class PadType : std::int32_t {
    None = 0,       // keyboard and serial controller only: no polling
    TwoLever = 1,   // power on the Y axis, brake on the X axis
    PsAdapter = 2,  // readings matched against the codes of the settings store
    OneHandle = 3,  // positions encoded on the buttons
};

// The serial master controller and the game controller of one cab window.
struct ExternalControllerState {
    PadType controllerType = PadType::None;
    SerialAssembler serialBuffer;
    // The last serial message without its carriage return, decoded: the value
    // display shows it as its caption.
    std::string serialCaption;
    // None until the first poll, so that the first reading always acts.
    std::optional<std::int64_t> lastPadSignature;
    bool controllerHorn = false;  // held on the game controller
    bool debug = false;           // the caption shows the controller's axes
};

}  // namespace tovra
