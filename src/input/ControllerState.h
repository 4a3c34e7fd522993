#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tovra {

// The keyboard's own switches and what the keys hold.
struct ControllerState {
    // Tell the panel drawing to redraw the handle, notch and lamp images.
    std::array<bool, 4> panelRefresh{};

    bool keypadSwapped = false;  // Scroll Lock: "2" and "8" exchanged

    // The door side chosen with Page Up / Page Down; its lamp is lit exactly
    // while it is 1.
    std::int32_t doorSide = 0;
    std::string doorSideText;

    // Set by the "3" and "4" keys; the logic tick sounds the horn and the
    // buzzer while the keys stay held.
    bool hornHeld = false;
    bool buzzerHeld = false;
};

}  // namespace tovra
