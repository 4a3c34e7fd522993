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

    // Set by the "3" and "4" keys; the logic tick sounds the horn and the
    // buzzer while the keys stay held.
    bool hornHeld = false;
    bool buzzerHeld = false;
};

}  // namespace tovra
